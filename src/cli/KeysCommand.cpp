#include "cli/CommandDefs.h"
#include "cli/Print.h"
#include "cli/TableTextCommands.h"

#include "app/Application.h"

namespace vardex {

namespace {

constexpr int kNameWidth = 30;
constexpr int kOscisWidth = 12;
constexpr int kGroupWidth = 17;

// The key table, started and in key-number order; null when the start failed.
Table *keyTable(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return nullptr;
    app.db0.tbKey.setIndex(QString());
    return &app.db0.tbKey;
}

int listKeys(CommandCall &call)
{
    Table *found = keyTable(call);
    if (!found)
        return 1;
    Table &keys = *found;
    Application &app = call.app();
    QString text;
    for (bool more = keys.first(); more; more = keys.next()) {
        text += QStringList{keys.asString(QStringLiteral("CTM")),
                            app.db0.tbKeyJmenoTituly(0).leftJustified(kNameWidth),
                            keys.asString(QStringLiteral("OSCIS")).leftJustified(kOscisWidth),
                            keys.asString(QStringLiteral("PRACOVISTE")).leftJustified(kGroupWidth),
                            keys.asString(QStringLiteral("OPRAVNENI")).leftJustified(kGroupWidth),
                            keys.asString(QStringLiteral("ROZPIS"))}
                    .join(QLatin1Char(' '))
                    .trimmed();
        text += QLatin1Char('\n');
    }
    if (keys.readFailed())
        return call.failed(keys.errorMessage());
    print(call.out, text);
    return 0;
}

} // namespace

QList<CommandDef> keysCommands()
{
    const QString noun = QStringLiteral("klíčů");
    CommandDef list;
    list.name = QStringLiteral("keys");
    list.summary = QStringLiteral("vypíše nositele klíčů: klíč, jméno s tituly, osobní číslo, "
                                  "pracoviště, oprávnění a docházku");
    list.synopsis = QStringLiteral("vardex keys");
    list.run = listKeys;

    CommandDef exp;
    exp.name = QStringLiteral("keys export");
    exp.summary = QStringLiteral("uloží databázi klíčů do textového souboru (pevné sloupce)");
    exp.synopsis = QStringLiteral("vardex keys export SOUBOR");
    exp.details = QStringLiteral("  Stejný soubor jako \"Export databáze\" v okně nositelů klíčů "
                                 "(KLICE.SDF).\n");
    exp.argNames = {QStringLiteral("SOUBOR")};
    exp.minArgs = exp.maxArgs = 1;
    exp.run = [noun](CommandCall &call) {
        Table *keys = keyTable(call);
        return keys ? exportTableFile(call, *keys, call.args[0], noun) : 1;
    };

    CommandDef imp;
    imp.name = QStringLiteral("keys import");
    imp.summary = QStringLiteral("načte klíče z textového souboru");
    imp.synopsis = QStringLiteral("vardex keys import SOUBOR [--replace]");
    imp.details = QStringLiteral(
        "  Vynechané řádky vypíše jako \"řádek N: důvod\" a skončí s kódem 1.\n"
        "  --replace  nejprve smaže stará data; vše nebo nic: vynechaný řádek ponechá\n"
        "             tabulku, jak byla\n");
    imp.options = {QCommandLineOption(QStringLiteral("replace"))};
    imp.argNames = exp.argNames;
    imp.minArgs = imp.maxArgs = 1;
    imp.run = [noun](CommandCall &call) {
        Table *keys = keyTable(call);
        return keys ? importTableFile(call, *keys, call.args[0],
                                      call.isSet(QStringLiteral("replace")), noun)
                    : 1;
    };
    return {list, exp, imp};
}

} // namespace vardex
