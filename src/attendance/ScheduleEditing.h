#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>

namespace vardex {

class Table;
class TVXDM;

// What the schedules window does beyond its grid.

// The list entry that clears a cycle day.
inline constexpr auto ClearDayEntry = "*VYMAZAT*";

// The titles of the 21 day columns: for the days of a cycle of `length`
// the short weekday name of 1 January + (day - 1) of `year`, "#" for the
// others.
QStringList scheduleDayTitles(int length, int year);

// Every shift name of the shift table (a cursor of the caller's), then
// the entry that clears the day.
Result<QStringList> shiftNameChoices(Table &shifts);

// A new schedule record: a cycle of 7 days from 1 January of `year`.
void newScheduleDefaults(Table &schedules, int year);

// Stores a choice of the list into cycle day 1..21 of the record being
// edited: a shift name, or nothing for the clearing entry.
bool storeScheduleDay(TVXDM &vx, int day, const QString &choice);

} // namespace vardex
