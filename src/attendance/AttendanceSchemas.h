#pragma once

#include "tables/TableSchema.h"

namespace vardex {

// The tables of attendance, each exactly as it is created when its file is
// missing: fields and indexes in their defined order. An existing file is
// opened as it is. Times of day and durations kept as text are "hh:mm"
// (5 characters), day and month "dd.mm." (6 characters).

// Shift schedules (tbDch, "WKVRDCH.DB"): a name, the cycle length, the date of
// cycle day 1 and one shift name per cycle day, NazevDruhuSmeny_1..21.
TableSchema wkvrDchSchema();
inline constexpr int ScheduleCycleDays = 21;
// The shift name field of cycle day 1..21; empty for any other day.
QString scheduleShiftField(int day);

// Workplaces, the attendance evaluation groups (tbPrs, "WKVRPRS.DB").
TableSchema wkvrPrsSchema();
// Shifts (tbSme, "WKVRSME.DB").
TableSchema wkvrSmeSchema();
// Holidays (tbSva, "WKVRSVA.DB").
TableSchema wkvrSvaSchema();
// Attendance results per key holder and period (tbVdch, "WKVRVDCH.DB").
TableSchema wkvrVdchSchema();
// Attendance error records (tbVdEr, "WKVRVDER.DB").
TableSchema wkvrVderSchema();
// Auxiliary named counters (tbPom, "WKVRPOM.DB").
TableSchema wkvrPomSchema();
// Objects placed on the site floor plan (tbPlan); its file has the literal
// name "plan.db", base name "plan".
TableSchema planSchema();
// Yearly plan, one record per key holder and planned day (tbROCPLN,
// "WKVRRPL.DB"). Its DATA field holds one day-shift record.
TableSchema wkvrRplSchema();

// A day-shift record: two sections of four hour-minute words, the crossing
// flag and the required work time.
inline constexpr int DayShiftRecordSize = 19;

// The nine tables in the order in which they are opened: the yearly plan when
// its data module is created, before the start sequence; then shifts, shift
// schedules and workplaces as the start sequence opens them; then the tables
// the start sequence does not open, in their defined order: holidays, results,
// error records, counters and the floor plan.
QList<TableSchema> attendanceSchemas();

} // namespace vardex
