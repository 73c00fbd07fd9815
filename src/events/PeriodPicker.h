#pragma once

#include "accessdata/PeriodChoice.h"

namespace vardex {

// The days the date dialog holds while the operator works its calendar.
// A single day follows every click. A period is picked with two clicks
// (first day, last day, in either order) or with a click and a Shift+click;
// the keyboard moves to a new first day and Shift+arrow stretches the
// period to the day it moves to. A period never holds more than the
// request's maximum number of days: it stops short of a day further away.
class PeriodPicker
{
public:
    explicit PeriodPicker(const DatePeriodRequest &request);

    const DatePeriod &period() const { return m_period; }
    bool singleDay() const { return m_singleDay; }
    int maxDays() const { return m_maxDays; }

    void click(const QDate &day, bool shift);
    void move(const QDate &day, bool shift);

private:
    void startAt(const QDate &day);
    void stretchTo(const QDate &day);

    bool m_singleDay;
    int m_maxDays;
    DatePeriod m_period;
    // The day the period is stretched from.
    QDate m_anchor;
    // The first day is set and the next click sets the last one.
    bool m_awaitingLast = false;
};

} // namespace vardex
