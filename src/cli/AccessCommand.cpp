#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "admin/PermissionGroups.h"
#include "admin/ScheduleLookup.h"
#include "app/Application.h"
#include "text/HexText.h"

namespace vardex {

namespace {

constexpr int kScheduleNameWidth = 20;
constexpr int kUnitNameWidth = 15;

QString withoutTrailingBlanks(QString line)
{
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line;
}

int listSchedules(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    const Result<QList<NamedSchedule>> schedules = ScheduleLookup(app.vx.tbCas).all();
    if (!schedules)
        return call.failed(schedules.error());
    QString text;
    for (const NamedSchedule &s : *schedules) {
        QStringList components;
        for (int i = 1; i <= s.block.count(); ++i)
            components.append(componentText(s.block.component(i)));
        text += withoutTrailingBlanks(s.name.leftJustified(kScheduleNameWidth) + QLatin1Char(' ') +
                                      components.join(QLatin1Char('|'))) +
                QLatin1Char('\n');
    }
    print(call.out, text);
    return 0;
}

int listGroups(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    Table &groups = app.vx.tbAcc;
    Table &units = app.db0.tbUni;
    groups.setIndex(QString());
    units.setIndex(QString());
    QString text;
    for (bool more = groups.first(); more; more = groups.next()) {
        text += groups.asString(QStringLiteral("OPRAVNENI")) + QLatin1Char('\n');
        for (const PermissionRow &row : filledPermissionRows(groups)) {
            // Looked up without a message: an unknown unit is shown as "?".
            QString name = QStringLiteral("?");
            if (units.findKey({row.address}))
                name = units.asString(QStringLiteral("NAZEV"));
            else if (units.readFailed())
                return call.failed(units.errorMessage());
            text += withoutTrailingBlanks(QStringLiteral("  %1 %2 %3 %4")
                                              .arg(row.address, name.leftJustified(kUnitNameWidth),
                                                   byteToHex(row.attribute), row.schedule)) +
                    QLatin1Char('\n');
        }
    }
    if (groups.readFailed())
        return call.failed(groups.errorMessage());
    print(call.out, text);
    return 0;
}

} // namespace

QList<CommandDef> accessCommands()
{
    CommandDef schedules;
    schedules.name = QStringLiteral("access-schedules");
    schedules.summary = QStringLiteral("vypíše časové rozvrhy pro přístup: název a složky");
    schedules.synopsis = QStringLiteral("vardex access-schedules");
    schedules.details =
        QStringLiteral("  Jeden řádek na rozvrh v pořadí názvů: název (20 znaků), pak složky\n"
                       "  \"od - do dny\" oddělené znakem \"|\".\n");
    schedules.run = listSchedules;

    CommandDef groups;
    groups.name = QStringLiteral("permission-groups");
    groups.summary = QStringLiteral("vypíše skupiny oprávnění pro přístup: jednotky, atributy a "
                                    "rozvrhy");
    groups.synopsis = QStringLiteral("vardex permission-groups");
    groups.details =
        QStringLiteral("  Pro každou skupinu řádek s jejím názvem a pod ním odsazený řádek na\n"
                       "  každou jednotku skupiny: adresa, název jednotky (\"?\" u neznámé),\n"
                       "  atribut a název rozvrhu.\n");
    groups.run = listGroups;
    return {schedules, groups};
}

} // namespace vardex
