#include "cli/ArgumentValues.h"
#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "accessdata/TDB0DM.h"
#include "app/Application.h"
#include "attendance/ScheduleFile.h"
#include "timecal/HourMinute.h"

#include <QFileInfo>

namespace vardex {

namespace {

// The schedule table, started and in name order; null when the start failed.
Table *scheduleTable(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return nullptr;
    app.vx.tbDch.setIndex(QString());
    return &app.vx.tbDch;
}

int listSchedules(CommandCall &call)
{
    Table *found = scheduleTable(call);
    if (!found)
        return 1;
    Table &schedules = *found;
    QString text;
    for (schedules.first(); !schedules.eof(); schedules.next()) {
        const int length =
            std::clamp(schedules.asInt(QStringLiteral("DelkaRozpisu")), 0, ScheduleCycleDays);
        QStringList days;
        for (int i = 1; i <= length; ++i)
            days << schedules.asString(scheduleShiftField(i));
        const QDate start = schedules.asDate(QStringLiteral("DatumOd"));
        text += QStringList{schedules.asString(QStringLiteral("ROZPIS")).leftJustified(17),
                            QStringLiteral("%1").arg(length, 2),
                            start.isValid() ? start.toString(QStringLiteral("dd.MM.yyyy"))
                                            : QString(10, u' '),
                            days.join(u'|')}
                    .join(u' ')
                    .trimmed();
        text += u'\n';
    }
    if (schedules.readFailed())
        return call.failed(schedules.errorMessage());
    print(call.out, text);
    return 0;
}

int exportSchedules(CommandCall &call)
{
    Table *schedules = scheduleTable(call);
    if (!schedules)
        return 1;
    const Result<int> count =
        exportScheduleText(*schedules, QFileInfo(call.args[0]).absoluteFilePath());
    if (!count)
        return call.failed(count.error());
    print(call.out, QStringLiteral("Exportováno rozpisů: %1\n").arg(*count));
    return 0;
}

int importSchedules(CommandCall &call)
{
    Table *schedules = scheduleTable(call);
    if (!schedules)
        return 1;
    std::FILE *err = call.err;
    ScheduleImportHandlers handlers;
    handlers.badLine = [err](int lineNo, const QString &line) {
        print(err, QStringLiteral("řádek %1: Chybná data: %2\n").arg(lineNo).arg(line));
        return true;
    };
    handlers.refused = [err](int lineNo, const QString &, const QString &message) {
        print(err, QStringLiteral("řádek %1: %2\n").arg(lineNo).arg(message));
        return true;
    };
    const bool replace = call.isSet(QStringLiteral("replace"));
    const TextImportResult result = importScheduleText(
        *schedules, QFileInfo(call.args[0]).absoluteFilePath(), replace, handlers,
        replace ? TextImportMode::AllOrNothing : TextImportMode::SkipBadLines);
    if (!result.ok)
        return call.failed(result.error);
    print(call.out, QStringLiteral("Importováno rozpisů: %1\n").arg(result.imported));
    return result.skipped.isEmpty() ? 0 : 1;
}

int reanchorSchedules(CommandCall &call)
{
    const Result<int> year = numberArgument(call.args[0], 1995);
    if (!year || *year > 9999)
        return call.usageError(
            QStringLiteral("chybný rok %1 (očekává se 1995 až 9999)").arg(call.args[0]));
    if (!scheduleTable(call))
        return 1;
    const Result<int> count = call.app().vx.tbDchUpravaBazeProRok(*year);
    if (!count)
        return call.failed(count.error());
    print(call.out, QStringLiteral("Upraveno rozpisů: %1\n").arg(*count));
    return 0;
}

int scheduleOf(CommandCall &call)
{
    const Result<KeyBytes> key = keyArgument(call.args[0]);
    if (!key)
        return call.usageError(key.error());
    if (!call.isSet(QStringLiteral("date")))
        return call.usageError(QStringLiteral("chybí --date dd.mm.rrrr"));
    const Result<QDate> date = dateArgument(call.value(QStringLiteral("date")));
    if (!date)
        return call.usageError(date.error());
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    if (const Result<void> loaded = app.vx.CtiRozpisKlice(keyToText(*key)); !loaded)
        return call.failed(loaded.error());
    const CyclicSchedule &cycle = app.vx.cyclicSchedule;
    const Date day{date->year(), date->month(), date->day()};
    if (DateLater(cycle.start, day))
        return call.failed(QStringLiteral("Rozpis nelze aplikovat zpětně!"));
    const int k = app.vx.tbDchUrciDenCyklu(day);
    const DayShift &shift = cycle.day(k);
    print(call.out, QStringList{QStringLiteral("%1").arg(k, 2),
                                cycle.shiftNames[size_t(k - 1)].leftJustified(17),
                                FormatSection(shift.first).leftJustified(SectionTextLength),
                                FormatSection(shift.second).leftJustified(SectionTextLength),
                                QString(QLatin1Char(shift.flag)), FormatHourMinute(shift.required)}
                            .join(u' ') +
                        u'\n');
    return 0;
}

} // namespace

QList<CommandDef> schedulesCommands()
{
    const QString fileFormat = QStringLiteral(
        "  Soubor ROZPISY.SDF: řádek na rozpis, název (17), délka cyklu (2 číslice),\n"
        "  počátek dd.mm.rrrr, pak názvy směn dnů cyklu po 17 znacích a \"#\"; cp1250,\n"
        "  CR LF.\n");
    CommandDef list;
    list.name = QStringLiteral("schedules");
    list.summary = QStringLiteral("vypíše rozpisy směn: název, délka, počátek a směny dnů cyklu");
    list.synopsis = QStringLiteral("vardex schedules");
    list.details =
        QStringLiteral("  Jeden řádek na rozpis v pořadí názvů: název (17), délka cyklu, počátek\n"
                       "  (dd.mm.rrrr) a názvy směn dnů cyklu oddělené znakem \"|\".\n");
    list.run = listSchedules;

    CommandDef exp;
    exp.name = QStringLiteral("schedules export");
    exp.summary = QStringLiteral("uloží rozpisy směn do textového souboru (ROZPISY.SDF)");
    exp.synopsis = QStringLiteral("vardex schedules export SOUBOR");
    exp.details = fileFormat;
    exp.argNames = {QStringLiteral("SOUBOR")};
    exp.minArgs = exp.maxArgs = 1;
    exp.run = exportSchedules;

    CommandDef imp;
    imp.name = QStringLiteral("schedules import");
    imp.summary = QStringLiteral("načte rozpisy směn z textového souboru (ROZPISY.SDF)");
    imp.synopsis = QStringLiteral("vardex schedules import SOUBOR [--replace]");
    imp.details =
        fileFormat + QStringLiteral("  Vynechané řádky vypíše jako \"řádek N: důvod\" a skončí "
                                    "s kódem 1.\n"
                                    "  --replace  nejprve smaže stará data; vše nebo nic: "
                                    "vynechaný řádek ponechá\n"
                                    "             tabulku, jak byla\n");
    imp.options = {QCommandLineOption(QStringLiteral("replace"))};
    imp.argNames = exp.argNames;
    imp.minArgs = imp.maxArgs = 1;
    imp.run = importSchedules;

    CommandDef reanchor;
    reanchor.name = QStringLiteral("schedules reanchor");
    reanchor.summary = QStringLiteral("posune počátek všech rozpisů na 1. leden roku");
    reanchor.synopsis = QStringLiteral("vardex schedules reanchor ROK");
    reanchor.details =
        QStringLiteral("  Jako \"Upravit pro aktuální rok\": každý den zůstane na stejné směně.\n");
    reanchor.argNames = {QStringLiteral("ROK")};
    reanchor.minArgs = reanchor.maxArgs = 1;
    reanchor.run = reanchorSchedules;

    CommandDef of;
    of.name = QStringLiteral("schedule-of");
    of.summary = QStringLiteral("vypíše den cyklu a směnu nositele klíče v daný den");
    of.synopsis = QStringLiteral("vardex schedule-of KLÍČ --date dd.mm.rrrr");
    of.details = QStringLiteral(
        "  Den cyklu, název směny (17), první a druhý úsek (27), příznak (\"A\" přes\n"
        "  půlnoc, \"#\" směna, mezera volno) a čas k odpracování. Kód 1 a důvod\n"
        "  (\"klíč nemá rozpis\" …), když rozpis nelze načíst nebo začíná později.\n");
    of.options = {
        QCommandLineOption(QStringLiteral("date"), QString(), QStringLiteral("dd.mm.rrrr"))};
    of.argNames = {QStringLiteral("KLÍČ")};
    of.minArgs = of.maxArgs = 1;
    of.run = scheduleOf;
    return {list, exp, imp, reanchor, of};
}

} // namespace vardex
