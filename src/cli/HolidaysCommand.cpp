#include "cli/ArgumentValues.h"
#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "attendance/Holidays.h"

namespace vardex {

namespace {

// The holiday table, started and open; null when it could not be.
Table *holidayTable(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return nullptr;
    Table &holidays = app.vx.tbSva;
    if (!holidays.isOpen() && !holidays.open()) {
        call.failed(holidays.errorMessage());
        return nullptr;
    }
    holidays.setIndex(QString());
    return &holidays;
}

int listHolidays(CommandCall &call)
{
    int year = 0;
    if (call.isSet(QStringLiteral("year"))) {
        const Result<int> y = numberArgument(call.value(QStringLiteral("year")), 1);
        if (!y)
            return call.usageError(y.error());
        year = *y;
    }
    Table *found = holidayTable(call);
    if (!found)
        return 1;
    Table &holidays = *found;
    if (year > 0) {
        holidays.setFilterText(QStringLiteral("ROK='%1'").arg(year, 4, 10, QLatin1Char('0')));
        holidays.setFiltered(true);
    }
    QString text;
    for (holidays.first(); !holidays.eof(); holidays.next())
        text +=
            holidays.asDateTime(QStringLiteral("Datum")).toString(QStringLiteral("dd.MM.yyyy")) +
            u' ' + holidays.asString(QStringLiteral("Rem")) + u'\n';
    if (holidays.readFailed())
        return call.failed(holidays.errorMessage());
    print(call.out, text);
    return 0;
}

int fillHolidays(CommandCall &call)
{
    // The years the Easter rule covers.
    const Result<int> year = numberArgument(call.args[0], 1900);
    if (!year || *year > 2099)
        return call.usageError(
            QStringLiteral("chybný rok %1 (očekává se 1900 až 2099)").arg(call.args[0]));
    Table *holidays = holidayTable(call);
    if (!holidays)
        return 1;
    Application &app = call.app();
    const Result<HolidayFill> fill =
        fillStandardHolidays(*holidays, holidayListPath(app.workDir()), *year, app.messages());
    if (!fill)
        return call.failed(fill.error());
    print(call.out, QStringLiteral("Uloženo svátků: %1\n").arg(fill->stored));
    return fill->wrongDates > 0 ? 1 : 0;
}

} // namespace

QList<CommandDef> holidaysCommands()
{
    CommandDef list;
    list.name = QStringLiteral("holidays");
    list.summary = QStringLiteral("vypíše svátky a nepracovní dny: datum a název");
    list.synopsis = QStringLiteral("vardex holidays [--year RRRR]");
    list.details = QStringLiteral("  Řádky \"dd.mm.rrrr název\" v pořadí dat.\n"
                                  "  --year RRRR  jen svátky toho roku\n");
    list.options = {QCommandLineOption(QStringLiteral("year"), QString(), QStringLiteral("RRRR"))};
    list.run = listHolidays;

    CommandDef fill;
    fill.name = QStringLiteral("holidays fill");
    fill.summary = QStringLiteral("uloží svátky roku podle seznamu SVATKY.INI (\"Standard \")");
    fill.synopsis = QStringLiteral("vardex holidays fill ROK");
    fill.details = QStringLiteral(
        "  Svátky ze seznamu SVATKY.INI v pracovním adresáři, Velký pátek (od roku 2016)\n"
        "  a Pondělí velikonoční. Datum, které už je uloženo, se ponechá; řádek seznamu\n"
        "  bez platného data se vypíše a vynechá a příkaz pak skončí s kódem 1.\n");
    fill.argNames = {QStringLiteral("ROK")};
    fill.minArgs = fill.maxArgs = 1;
    fill.run = fillHolidays;
    return {list, fill};
}

} // namespace vardex
