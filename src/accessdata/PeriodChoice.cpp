// The processing interval chosen by the operator in the date dialog.

#include "accessdata/TDB0DM.h"
#include "timecal/DayMonth.h"

namespace vardex {

namespace {

QDate startOf(const ProcessingInterval &i)
{
    return QDate(i.startYear, MonthOfDayMonth(i.startDate), DayOfDayMonth(i.startDate));
}

QDate endOf(const ProcessingInterval &i)
{
    return QDate(i.endYear, MonthOfDayMonth(i.endDate), DayOfDayMonth(i.endDate));
}

void setStart(ProcessingInterval &i, const QDate &day)
{
    i.startDate = PackDayMonth(day.day(), day.month());
    i.startYear = day.year();
}

void setEnd(ProcessingInterval &i, const QDate &day)
{
    i.endDate = PackDayMonth(day.day(), day.month());
    i.endYear = day.year();
}

} // namespace

bool TDB0DM::UrceniIntervaluZpracovani(int maxDays)
{
    // A stored day the calendar cannot show (31.04.) counts as no interval.
    if (JeprazdnyInterval() || !startOf(interval).isValid() || !endOf(interval).isValid())
        TentoMesic();
    const DatePeriodRequest request{false, maxDays, {startOf(interval), endOf(interval)}};
    const std::optional<DatePeriod> chosen =
        showDateDialog ? showDateDialog(request) : std::nullopt;
    if (!chosen)
        return false;
    Q_ASSERT(chosen->first.isValid() && chosen->first <= chosen->last);
    setStart(interval, chosen->first);
    setEnd(interval, chosen->last);
    return true;
}

bool TDB0DM::UrceniDne()
{
    DatumDnes();
    if (interval.startDate == 0 || interval.startYear == 0 || !startOf(interval).isValid())
        setStart(interval, QDate(m_dnes.year, m_dnes.month, m_dnes.day));
    interval.endDate = interval.startDate;
    interval.endYear = interval.startYear;
    const QDate day = startOf(interval);
    const std::optional<DatePeriod> chosen =
        showDateDialog ? showDateDialog(DatePeriodRequest{true, 1, {day, day}}) : std::nullopt;
    if (!chosen)
        return false;
    Q_ASSERT(chosen->first.isValid());
    setStart(interval, chosen->first);
    setEnd(interval, chosen->first);
    return true;
}

} // namespace vardex
