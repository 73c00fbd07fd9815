#include "accessdata/ProcessingInterval.h"

#include "timecal/Calendar.h"
#include "timecal/DayMonth.h"

namespace vardex {

QString ProcessingInterval::startText() const
{
    return FormatDate(startYear, MonthOfDayMonth(startDate), DayOfDayMonth(startDate));
}

QString ProcessingInterval::endText() const
{
    return FormatDate(endYear, MonthOfDayMonth(endDate), DayOfDayMonth(endDate));
}

} // namespace vardex
