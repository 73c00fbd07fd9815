#include "attendance/AttendanceResults.h"

#include "timecal/HourMinute.h"
#include "timecal/LongDuration.h"

namespace vardex {

MonthResults PrazdnaSestava(const PlannedMonth &plan)
{
    MonthResults results;
    for (size_t d = 0; d < results.days.size(); ++d) {
        DayResult &day = results.days[d];
        day.norm = plan.required[d];
        day.note = plan.notes[d];
        day.night = plan.plan.days[d].crosses();
    }
    return results;
}

void storeDay(DayResult &result, const DayState &state)
{
    result.place = state.place;
    result.arrived = state.arrived;
    result.firstArrival = state.firstArrival;
    result.lastDeparture = state.lastDeparture;
    result.work = state.work;
    result.business = state.business;
    result.doctor = state.doctor;
    result.lunch = state.lunch;
    result.other = state.other;
}

void recomputeDay(DayResult &day)
{
    day.total =
        AddHourMinute(AddHourMinute(day.work, day.business), AddHourMinute(day.doctor, day.other));
    day.balance = SignedDiffText(day.norm, day.total);
}

void DopocitatDny(MonthResults &results, const EvaluatedPeriod &period)
{
    for (int d = period.fromDay; d <= period.toDay; ++d)
        recomputeDay(results.days[size_t(d)]);
}

PeriodTotals Sumarizace(const MonthResults &results, const EvaluatedPeriod &period)
{
    PeriodTotals t;
    for (int d = period.fromDay; d <= period.toDay; ++d) {
        const DayResult &day = results.days[size_t(d)];
        t.norm = AddLongDuration(t.norm, day.norm);
        t.total = AddLongDuration(t.total, day.total);
        t.work = AddLongDuration(t.work, day.work);
        t.business = AddLongDuration(t.business, day.business);
        t.lunch = AddLongDuration(t.lunch, day.lunch);
        t.doctor = AddLongDuration(t.doctor, day.doctor);
        t.other = AddLongDuration(t.other, day.other);
    }
    return t;
}

} // namespace vardex
