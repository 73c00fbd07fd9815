#pragma once

#include <QDate>

namespace vardex {

// A period of whole days, first and last included.
struct DatePeriod
{
    QDate first;
    QDate last;
    friend bool operator==(const DatePeriod &, const DatePeriod &) = default;
};

// What the date dialog is opened for: a period of at most `maxDays` days,
// or a single day, with the days it shows chosen at first.
struct DatePeriodRequest
{
    bool singleDay = false;
    int maxDays = 1;
    DatePeriod preset;
};

} // namespace vardex
