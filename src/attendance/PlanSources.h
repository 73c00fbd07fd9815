#pragma once

#include "attendance/CyclicSchedule.h"
#include "attendance/MonthPlan.h"
#include "attendance/YearCalendar.h"
#include "base/Result.h"
#include "timecal/Calendar.h"

#include <QString>

#include <array>

namespace vardex {

class TDB0DM;
class TDMRPL;
class TVXDM;

// A worker's month plan as attendance processing uses it: the shifts of
// slots 0..31 (slot 0 the last day of the month before), beside them each
// slot's note ("S" holiday, "N" weekend, "DOVOL." …) and required time
// (the norm of that day), and where the plan came from: the schedule's
// name, or the key number for a calendar plan.
struct PlannedMonth
{
    MonthPlan plan;
    std::array<QString, 32> notes{};
    std::array<quint16, 32> required{};
    QString source;
};

// The code of the failure "Rozpis nelze aplikovat zpětně!" (the schedule
// starts after the period); the schedule load codes are 1..7.
inline constexpr int RetroactiveScheduleCode = 8;
QString retroactiveScheduleText();

// The month plan of `year` and `month` from the cycle: slot d holds the
// cycle day on which day d falls, slot 0 the cycle day before day 1's;
// slots past the month's end go on with the cycle. The cycle must have a
// length of at least 1.
MonthPlan MonthPlanFromCycle(const CyclicSchedule &cycle, int year, int month);

// The norms and notes of a plan built from a cycle, by the calendar of the
// plan's year: a working day keeps its shift's required time and no note;
// a weekend or a holiday gets the norm 0 and the note "N" or "S". The
// shifts stay, so presence on such a day still counts.
void UpravaPodleSvatku(PlannedMonth &month, const YearCalendar &calendar);

// The month plan of `periodStart`'s month for the holder of `ctm` from the
// holder's schedule, with the holiday adjustment; the source is the
// schedule's name. Fails with the load code and its text ("klíč nemá
// rozpis" …), with RetroactiveScheduleCode when the schedule starts after
// `periodStart`, or with a table's error (code 0). The data module's year
// calendar is rebuilt when it holds another year.
Result<PlannedMonth> StandardniRozpisPracovnika(TVXDM &vx, const QString &ctm,
                                                const Date &periodStart);

// The month plan of `year` and `month` for `ctm` from the calendar plan:
// each slot whose day the plan holds gets its shift, note and required
// time; the other days stay empty. The source is the key number. Reads on
// a cursor of its own; fails only when the plan cannot be read.
Result<PlannedMonth> MR_Podle_RPlanu(TDMRPL &rpl, const QString &ctm, int year, int month);

// "Měsíční rozpis prosinec 2026", followed by " pro " and the holder's name
// with titles when `ctm` is in the key table.
QString RozpisPro(TDB0DM &db, const QString &ctm, int year, int month);

// The Czech name of month 1..12 ("leden" .. "prosinec").
QString czechMonthName(int month);

} // namespace vardex
