#include "attendance/MonthPlan.h"

#include "timecal/Calendar.h"

namespace vardex {

void ClearMonthPlan(MonthPlan &plan)
{
    for (DayShift &day : plan.days)
        ClearDay(day);
}

bool IsMonthPlanEmpty(const MonthPlan &plan)
{
    const int last = DaysInMonth(plan.year, plan.month);
    for (int d = 0; d <= last && d < int(plan.days.size()); ++d)
        if (!IsDayEmpty(plan.days[size_t(d)]))
            return false;
    return true;
}

} // namespace vardex
