#include "cli/CommandDefs.h"
#include "cli/Print.h"
#include "cli/TableTextCommands.h"

#include "app/Application.h"
#include "attendance/ShiftSection.h"

namespace vardex {

namespace {

const QString kNoun = QStringLiteral("směn");

// The shift table, started and in name order; null when the start failed.
Table *shiftTable(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return nullptr;
    app.vx.tbSme.setIndex(QString());
    return &app.vx.tbSme;
}

int listShifts(CommandCall &call)
{
    Table *found = shiftTable(call);
    if (!found)
        return 1;
    Table &shifts = *found;
    QString text;
    for (shifts.first(); !shifts.eof(); shifts.next()) {
        const QString flag = shifts.asString(QStringLiteral("Prechod"));
        text +=
            QStringList{
                shifts.asString(QStringLiteral("NazevSmeny")).leftJustified(17),
                shifts.asString(QStringLiteral("PrvniUsekSmeny")).leftJustified(SectionTextLength),
                shifts.asString(QStringLiteral("DruhyUsekSmeny")).leftJustified(SectionTextLength),
                flag.isEmpty() ? QStringLiteral(" ") : flag.left(1),
                shifts.asString(QStringLiteral("NutnoOdpracovat"))}
                .join(u' ');
        text += u'\n';
    }
    if (shifts.readFailed())
        return call.failed(shifts.errorMessage());
    print(call.out, text);
    return 0;
}

} // namespace

QList<CommandDef> shiftsCommands()
{
    CommandDef list;
    list.name = QStringLiteral("shifts");
    list.summary = QStringLiteral("vypíše směny: název, první a druhý úsek, noc a odpracovat");
    list.synopsis = QStringLiteral("vardex shifts");
    list.details =
        QStringLiteral("  Jeden řádek na směnu v pořadí názvů: název (17), první úsek (27), druhý\n"
                       "  úsek (27), příznak noci (\"A\" = přes půlnoc) a čas k odpracování.\n");
    list.run = listShifts;

    CommandDef exp;
    exp.name = QStringLiteral("shifts export");
    exp.summary = QStringLiteral("uloží databázi směn do textového souboru (SMENY.SDF)");
    exp.synopsis = QStringLiteral("vardex shifts export SOUBOR");
    exp.details = QStringLiteral("  Stejný soubor jako \"Export databáze\" v okně směn: každá "
                                 "položka na svou\n  šířku, na konci \"#\" a CR LF, cp1250.\n");
    exp.argNames = {QStringLiteral("SOUBOR")};
    exp.minArgs = exp.maxArgs = 1;
    exp.run = [](CommandCall &call) {
        Table *shifts = shiftTable(call);
        return shifts ? exportTableFile(call, *shifts, call.args[0], kNoun) : 1;
    };

    CommandDef imp;
    imp.name = QStringLiteral("shifts import");
    imp.summary = QStringLiteral("načte směny z textového souboru (SMENY.SDF)");
    imp.synopsis = QStringLiteral("vardex shifts import SOUBOR [--replace]");
    imp.details = QStringLiteral(
        "  Vynechané řádky (chybný formát, název, který už je, úsek nebo čas, který\n"
        "  nelze přečíst) vypíše jako \"řádek N: důvod\" a skončí s kódem 1.\n"
        "  --replace  nejprve smaže stará data; vše nebo nic: vynechaný řádek ponechá\n"
        "             tabulku, jak byla\n");
    imp.options = {QCommandLineOption(QStringLiteral("replace"))};
    imp.argNames = exp.argNames;
    imp.minArgs = imp.maxArgs = 1;
    imp.run = [](CommandCall &call) {
        Table *shifts = shiftTable(call);
        return shifts ? importTableFile(call, *shifts, call.args[0],
                                        call.isSet(QStringLiteral("replace")), kNoun)
                      : 1;
    };
    return {list, exp, imp};
}

} // namespace vardex
