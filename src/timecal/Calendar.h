#pragma once

#include <QString>
#include <QtGlobal>

namespace vardex {

// A calendar date: year, month 1..12, day 1..31. The calendar is the Gregorian one with one
// more rule: a year divisible by 4000 is not a leap year. Day numbers exist from
// 1 March 0000 to 31 December 65535. The functions take a day the month does not have as it
// comes (31 April counts as 1 May, day 0 of March as the last of February); callers that
// need a real date check or clamp it themselves.
struct Date
{
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const Date &, const Date &) = default;
};

// The Julian Day Number of the date (1 January 2000 is 2451545) by the day-number formula,
// also for a day the month does not have (31.04.2023 gives 2460066, as 1 May); -1 when the
// result lies outside the range of day numbers.
qint32 JulianDay(int year, int month, int day);
qint32 JulianDay(const Date &date);

// Divisible by 4, not a century unless divisible by 400, and not divisible by 4000.
bool IsLeapYear(int year);

// 0 = Sunday .. 6 = Saturday, counted from the day number (a day the month does not have
// gets the weekday of the day it counts as); -1 for a date without a day number.
int WeekdayFromSunday(const Date &date);

// 1 = Monday .. 7 = Sunday (the index of DayName); -1 for a date without a day number.
int WeekdayFromMonday(const Date &date);

// 1 = Sunday .. 7 = Saturday, the numbering of the host's date functions; -1 for a date
// without a day number.
int PlatformWeekday(const Date &date);

// The two-letter Czech name of weekday-from-Monday 1..7 ("po" .. "ne"); empty otherwise.
QString DayName(int weekdayFromMonday);

// 28..31; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// The same day a month earlier, cut to that month's length; January goes to December of the
// previous year, but not before year 0.
Date PrevMonth(const Date &date);

// The day before; a day of 0 or less is left as it is.
Date PrevDay(const Date &date);

// The same day a month later, not cut to that month's length (31 January gives day 31 of
// February); December goes to January of the next year.
Date NextMonth(const Date &date);

// The day after; a day at or past the month's end gives the first of the next month.
Date NextDay(const Date &date);

// "dd.mm.yyyy": day and month with two digits, the year in decimal.
QString FormatDate(int year, int month, int day);
QString FormatDate(const Date &date);

// JulianDay(date1) − JulianDay(date2) + 1: the days from date2 to date1 counting both
// (31.04.2023 to 01.04.2023 gives 31); 0 when either date has no day number.
int DaysInclusive(const Date &date1, const Date &date2);

// date1 comes after date2 (compared by year, month, then day).
bool DateLater(const Date &date1, const Date &date2);

// Easter Monday (the day after Easter Sunday, Gregorian computus) of the year.
Date EasterMonday(int year);

} // namespace vardex
