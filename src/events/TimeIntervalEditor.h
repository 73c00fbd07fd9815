#pragma once

#include <QString>
#include <QtGlobal>

namespace vardex {

struct ProcessingInterval;

// The time-of-day interval while the time dialog is open. Opening takes the
// stored interval into the counters and clears it, so a dialog closed
// without "Použít" leaves no time interval. The end is never before the
// start: a start moved past the end takes the end along, an end moved
// before the start stops at it.
class TimeIntervalEditor
{
public:
    explicit TimeIntervalEditor(ProcessingInterval &interval);

    int startHour() const { return m_startHour; }
    int startMinute() const { return m_startMinute; }
    int endHour() const { return m_endHour; }
    int endMinute() const { return m_endMinute; }
    // "HH:MM".
    QString startText() const;
    QString endText() const;

    // Hours 0..23, minutes 0..59; a value outside is brought to the nearest bound.
    void setStart(int hour, int minute);
    void setEnd(int hour, int minute);

    // "Použít": stores the two times (hour × 256 + minute) as the interval.
    void apply();

private:
    ProcessingInterval &m_interval;
    int m_startHour = 0;
    int m_startMinute = 0;
    int m_endHour = 0;
    int m_endMinute = 0;
};

} // namespace vardex
