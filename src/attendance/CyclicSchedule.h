#pragma once

#include "attendance/AttendanceSchemas.h"
#include "attendance/DayShift.h"
#include "base/Result.h"
#include "timecal/Calendar.h"

#include <QStringList>

#include <array>

namespace vardex {

class Table;

// A shift schedule as the attendance uses it: the shifts of a cycle of 1
// to 21 days whose day 1 falls on `start`.
struct CyclicSchedule
{
    QString name;
    int length = 0;
    Date start;
    std::array<DayShift, ScheduleCycleDays> days{};
    std::array<QString, ScheduleCycleDays> shiftNames{};

    // Cycle day 1..length (day 1 first).
    const DayShift &day(int cycleDay) const { return days[size_t(cycleDay - 1)]; }
};

// Why a schedule could not be loaded; the codes the loaders report.
namespace ScheduleLoad {
inline constexpr int NoSuchKey = 1;
inline constexpr int KeyHasNoSchedule = 2;
inline constexpr int NoSuchSchedule = 3;
inline constexpr int EmptySchedule = 4;
inline constexpr int NoSuchShift = 5;
inline constexpr int FirstSectionText = 6;
inline constexpr int SecondSectionText = 7;
} // namespace ScheduleLoad

// The text of a load code ("není takový klíč" …); "???" for any other.
QString CtiRozKliErr(int code);

// The failure of a load with that code and its text.
Failure scheduleLoadFailure(int code);

// The cycle day 1..length on which `date` falls in a cycle of `length`
// days whose day 1 is `anchor`; counted backwards for a date before it.
// 0 for a length below 1 or a date without a day number.
int CycleDay(const Date &anchor, int length, const Date &date);

// The schedule of the current record of `schedules`, each named shift
// looked up exactly in `shifts` (a cursor of the caller's, moved by the
// lookups). Fails with the codes above; a read failure of `shifts` fails
// with its message and code 0.
Result<CyclicSchedule> cyclicScheduleOf(const Table &schedules, Table &shifts);

// The day names of a cycle re-anchored on `newStart`: the cycle day that
// falls on `newStart` becomes day 1, so that every date keeps its shift.
QStringList reanchoredNames(const QStringList &names, const Date &oldStart, const Date &newStart);

} // namespace vardex
