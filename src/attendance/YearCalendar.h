#pragma once

#include "base/Result.h"
#include "timecal/Calendar.h"

#include <QString>

#include <array>

namespace vardex {

class Table;

// The kind of a day in the year calendar.
namespace DayKind {
inline constexpr char Working = 'P'; // Monday to Friday
inline constexpr char Weekend = 'N'; // Saturday, Sunday
inline constexpr char Holiday = 'S'; // a day of the holiday table
inline constexpr char None = ' ';    // beyond the month's end
} // namespace DayKind

// The day kinds of one year: a text of 31 characters per month whose
// character d-1 is the kind of day d.
struct YearCalendar
{
    int year = 0; // 0 while nothing is built
    std::array<QString, 12> months{};

    // The kind of that day; ' ' for a day outside this year or its month.
    char kind(int month, int day) const;
    char kind(const Date &date) const;
    bool isHoliday(const Date &date) const { return kind(date) == DayKind::Holiday; }
};

// The working days and weekends of `year`, without holidays.
YearCalendar weekdayCalendar(int year);

// The calendar of `year` with every holiday of that year in `holidays` (a
// cursor of the caller's, filtered to the year and left filtered so) marked
// 'S'; a read failure of the table fails.
Result<YearCalendar> yearCalendarOf(Table &holidays, int year);

} // namespace vardex
