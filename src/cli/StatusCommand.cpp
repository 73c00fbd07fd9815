#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "app/MenuItems.h"

namespace vardex {

namespace {

int runStatus(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    QString text;
    for (const MenuItemDef &item : mainMenuItems()) {
        if (item.action == MenuAction::TopLevel || item.action == MenuAction::Separator)
            continue;
        text += QStringLiteral("%1 %2\n").arg(item.name).arg(app.menu.isEnabled(item.name) ? 1 : 0);
    }
    const std::pair<const char *, Table *> counted[] = {
        {"units", &app.db0.tbUni}, {"keys", &app.db0.tbKey}, {"events", &app.db0.tbEvents}};
    for (const auto &[name, table] : counted) {
        const Result<qint64> n = table->countRecords();
        if (!n)
            return call.failed(n.error());
        text += QStringLiteral("%1 %2\n").arg(QLatin1String(name)).arg(*n);
    }
    print(call.out, text);
    return 0;
}

} // namespace

QList<CommandDef> statusCommands()
{
    CommandDef status;
    status.name = QStringLiteral("status");
    status.summary = QStringLiteral("spustí program bez okna a vypíše dostupnost položek menu a "
                                    "počty jednotek, klíčů a událostí");
    status.synopsis = QStringLiteral("vardex status");
    status.details = QStringLiteral(
        "  Vypíše jeden řádek na položku menu (\"DatabazeCasu 1\": dostupná, 0: ne),\n"
        "  pak \"units N\", \"keys N\" a \"events N\". Kód 1, když se start nepovede.\n");
    status.run = runStatus;
    return {status};
}

} // namespace vardex
