#pragma once

#include "accessdata/TableTextFile.h"
#include "base/Result.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace vardex {

class Table;

// The text file of shift schedules ("ROZPISY.SDF"): one line per schedule,
// cp1250 with CR LF. Columns: the name (17), the cycle length as two digits,
// the start "dd.mm.yyyy" (10 blanks when there is none), then one shift name
// of 17 characters per cycle day, then "#". Names are padded with blanks or
// cut to 17.
inline constexpr auto ScheduleFileName = "ROZPISY.SDF";

// One schedule as the file holds it.
struct ScheduleLine
{
    QString name;
    int length = 0;
    QDate start; // null when the file has none
    QStringList shiftNames;
};

// The line of the current record of `schedules` (without the line end).
QString scheduleTextLine(const Table &schedules);
// The schedule of a line; nothing when it does not end with "#" or does not
// have the layout above (its length must fit the cycle length exactly).
std::optional<ScheduleLine> parseScheduleLine(QStringView line);

// Writes every schedule in name order, whatever the position of the
// caller's cursor; gives how many.
Result<int> exportScheduleText(Table &schedules, const QString &path);

struct ScheduleImportHandlers
{
    // A line that is not a schedule line: true skips it, false ends the
    // import. Without a handler the line is skipped.
    std::function<bool(int lineNo, const QString &line)> badLine;
    // The table refused the schedule (a name already there, no name): true
    // goes on, false ends the import. Without a handler it goes on.
    std::function<bool(int lineNo, const QString &line, const QString &message)> refused;
};

// Reads the whole file, then in one transaction empties the table when
// `emptyFirst` and appends one schedule per line. Ending the import keeps
// the schedules before the line, unless the table was emptied: then it is
// left as it was. In AllOrNothing mode any line left out leaves it as it
// was too. The outcome as for the table text import.
TextImportResult importScheduleText(Table &schedules, const QString &path, bool emptyFirst,
                                    const ScheduleImportHandlers &handlers,
                                    TextImportMode mode = TextImportMode::SkipBadLines);

} // namespace vardex
