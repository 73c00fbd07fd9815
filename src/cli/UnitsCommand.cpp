#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"

namespace vardex {

namespace {

constexpr int kNameWidth = 15;

int listUnits(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    Table &units = app.db0.tbUni;
    units.setIndex(QString());
    QString text;
    for (units.first(); !units.eof(); units.next()) {
        const QString address = units.asString(QStringLiteral("ADRESA"));
        text += QStringList{address.isEmpty() ? QStringLiteral("--") : address,
                            units.asString(QStringLiteral("TYP")),
                            units.asString(QStringLiteral("NAZEV")).leftJustified(kNameWidth),
                            units.asString(QStringLiteral("POUZITI")),
                            units.asString(QStringLiteral("ALARM")),
                            units.asString(QStringLiteral("RELE")),
                            units.asString(QStringLiteral("KONFIG"))}
                    .join(QLatin1Char(' '));
        text += QLatin1Char('\n');
    }
    if (units.readFailed())
        return call.failed(units.errorMessage());
    print(call.out, text);
    return 0;
}

} // namespace

QList<CommandDef> unitsCommands()
{
    CommandDef units;
    units.name = QStringLiteral("units");
    units.summary = QStringLiteral("vypíše jednotky: adresa, typ, název, použití, poplach, relé a "
                                   "konfigurační data");
    units.synopsis = QStringLiteral("vardex units");
    units.details =
        QStringLiteral("  Jeden řádek na jednotku v pořadí adres; \"--\" u jednotky bez "
                       "adresy.\n");
    units.run = listUnits;
    return {units};
}

} // namespace vardex
