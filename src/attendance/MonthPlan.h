#pragma once

#include "attendance/DayShift.h"

#include <array>

namespace vardex {

// The shifts of one month for one worker: slot d (1..31) is day d of the
// month, slot 0 the last day of the month before (a night shift that
// starts then ends on day 1).
struct MonthPlan
{
    int year = 0;
    int month = 0;
    std::array<DayShift, 32> days{};
};

// Every slot cleared (required 0, flag ' ').
void ClearMonthPlan(MonthPlan &plan);
// Whether slots 0 to the month's last day hold no shift.
bool IsMonthPlanEmpty(const MonthPlan &plan);

} // namespace vardex
