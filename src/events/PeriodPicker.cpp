#include "events/PeriodPicker.h"

#include <algorithm>

namespace vardex {

PeriodPicker::PeriodPicker(const DatePeriodRequest &request)
    : m_singleDay(request.singleDay),
      m_maxDays(request.singleDay ? 1 : std::max(1, request.maxDays))
{
    startAt(request.preset.first);
    m_awaitingLast = false;
    if (!m_singleDay && request.preset.last.isValid())
        stretchTo(request.preset.last);
}

void PeriodPicker::click(const QDate &day, bool shift)
{
    if (!m_singleDay && (shift || m_awaitingLast))
        stretchTo(day);
    else
        startAt(day);
}

void PeriodPicker::move(const QDate &day, bool shift)
{
    if (!m_singleDay && shift)
        stretchTo(day);
    else
        startAt(day);
}

void PeriodPicker::startAt(const QDate &day)
{
    m_anchor = day;
    m_period = {day, day};
    m_awaitingLast = !m_singleDay;
}

void PeriodPicker::stretchTo(const QDate &day)
{
    const int reach = m_maxDays - 1;
    if (day >= m_anchor)
        m_period = {m_anchor, std::min(day, m_anchor.addDays(reach))};
    else
        m_period = {std::max(day, m_anchor.addDays(-reach)), m_anchor};
    m_awaitingLast = false;
}

} // namespace vardex
