#pragma once

#include "base/Result.h"

#include <QString>

namespace vardex {

class OperatorMessages;
class Table;

// The list of fixed-date holidays ("SVATKY.INI") in a site's working
// directory: cp1250, one holiday a line, "dd.mm." and then its name.
inline constexpr auto HolidayListName = "SVATKY.INI";

QString holidayListPath(const QString &workDir);

// The list the program ships: beside the program, else (a program run from
// its build tree) in the sources; empty when there is none.
QString shippedHolidayList();

// Copies the shipped list into the working directory when the site has
// none; nothing to do when it has one or none is shipped.
Result<void> installHolidayList(const QString &workDir);

// What filling a year left out.
struct HolidayFill
{
    int stored = 0;
    int duplicates = 0; // already there: left as they were
    int wrongDates = 0; // lines without a date of that year
};

// Stores the holidays of the list for `year`, then Good Friday (from 2016,
// when it became a public holiday) and Easter Monday. A date already there
// is told as information ("Duplicitní datum svátku - ignorováno") and a
// line without a date as an error ("SVATKY.INI - chybné datum"); the other
// lines are stored all the same. Fails, storing nothing, when the list is
// missing ("SVATKY.INI - soubor nenalezen") or cannot be read, or the table
// fails.
Result<HolidayFill> fillStandardHolidays(Table &holidays, const QString &listPath, int year,
                                         OperatorMessages &messages);

// The first year in which Good Friday is a public holiday.
inline constexpr int GoodFridayFromYear = 2016;

} // namespace vardex
