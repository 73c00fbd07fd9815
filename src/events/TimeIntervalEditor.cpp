#include "events/TimeIntervalEditor.h"

#include "accessdata/ProcessingInterval.h"
#include "timecal/HourMinute.h"

#include <algorithm>

namespace vardex {

TimeIntervalEditor::TimeIntervalEditor(ProcessingInterval &interval) : m_interval(interval)
{
    setEnd(HourOf(interval.endTime), MinuteOf(interval.endTime));
    setStart(HourOf(interval.startTime), MinuteOf(interval.startTime));
    m_interval.startTime = 0;
    m_interval.endTime = 0;
}

QString TimeIntervalEditor::startText() const
{
    return FormatHourMinute(MakeHourMinute(m_startHour, m_startMinute));
}

QString TimeIntervalEditor::endText() const
{
    return FormatHourMinute(MakeHourMinute(m_endHour, m_endMinute));
}

void TimeIntervalEditor::setStart(int hour, int minute)
{
    m_startHour = std::clamp(hour, 0, 23);
    m_startMinute = std::clamp(minute, 0, 59);
    if (MakeHourMinute(m_startHour, m_startMinute) > MakeHourMinute(m_endHour, m_endMinute)) {
        m_endHour = m_startHour;
        m_endMinute = m_startMinute;
    }
}

void TimeIntervalEditor::setEnd(int hour, int minute)
{
    m_endHour = std::clamp(hour, 0, 23);
    m_endMinute = std::clamp(minute, 0, 59);
    if (MakeHourMinute(m_endHour, m_endMinute) < MakeHourMinute(m_startHour, m_startMinute)) {
        m_endHour = m_startHour;
        m_endMinute = m_startMinute;
    }
}

void TimeIntervalEditor::apply()
{
    m_interval.startTime = MakeHourMinute(m_startHour, m_startMinute);
    m_interval.endTime = MakeHourMinute(m_endHour, m_endMinute);
}

} // namespace vardex
