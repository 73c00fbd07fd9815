#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace vardex {

// Day-month words: month * 256 + day in 16 bits, used for yearly dates such as holidays.

// The word a failed parse yields.
inline constexpr quint16 InvalidDayMonth = 65535;

// "dd.mm." with day 01..31 and month 01..12, exactly six characters; anything else gives
// InvalidDayMonth. The day is not checked against the month's length.
quint16 ParseDayMonth(QStringView text);

// "dd.mm.": day and month with two digits, each followed by ".".
QString FormatDayMonth(quint16 word);

constexpr int DayOfDayMonth(quint16 word)
{
    return word & 0xFF;
}

constexpr int MonthOfDayMonth(quint16 word)
{
    return word >> 8;
}

constexpr quint16 PackDayMonth(int day, int month)
{
    return quint16(month * 256 + day);
}

// Day 1..31 and month 1..12.
bool IsValidDayMonth(quint16 word);

// Day 1..31, month 1..12, year not 0, and the day within the month's length in that year.
bool IsValidDayMonthInYear(quint16 word, int year);

} // namespace vardex
