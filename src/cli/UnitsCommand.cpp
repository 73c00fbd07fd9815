#include "cli/UnitsCommand.h"
#include "cli/Print.h"

#include "app/Application.h"

namespace vardex {

namespace {

constexpr int kNameWidth = 15;

} // namespace

int unitsCommand(Application &app, const QStringList &args, std::FILE *out, std::FILE *err)
{
    if (!args.isEmpty()) {
        print(err, QStringLiteral("vardex units: nečekaný argument %1\n").arg(args[0]));
        return 2;
    }
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
    if (units.readFailed()) {
        print(err, QStringLiteral("vardex units: ") + units.errorMessage() + QLatin1Char('\n'));
        return 1;
    }
    print(out, text);
    return 0;
}

} // namespace vardex
