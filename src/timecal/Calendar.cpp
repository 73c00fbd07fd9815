#include "timecal/Calendar.h"

#include <QLatin1Char>

namespace vardex {

namespace {

constexpr qint32 FirstDayNumber = 1721120;     // 1 March 0000
constexpr qint32 PastLastDayNumber = 25657576; // 1 January 65536
constexpr qint32 Sunday1995 = 2449719;         // Sunday, 1 January 1995

// Division rounding down and its non-negative remainder, for arithmetic on negative numbers.
constexpr int FloorDiv(int a, int b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

constexpr int FloorMod(int a, int b)
{
    return a - b * FloorDiv(a, b);
}

} // namespace

qint32 JulianDay(int year, int month, int day)
{
    // The formula as it stands, for any day and month: a day past the month's end runs on
    // into the next month. Its div and mod round towards zero, as C++ does; 64 bits keep
    // any int argument from overflowing.
    qint64 m = 0;
    qint64 y = 0;
    if (month < 3) {
        m = qint64(month) + 9;
        y = qint64(year) - 1;
    } else {
        m = qint64(month) - 3;
        y = year;
    }
    const qint64 c = y / 4000;
    const qint64 r = y % 4000;
    const qint64 j = c * 1460969 + (r / 100 * 146097) / 4 + ((r % 100) * 1461) / 4 +
                     (153 * m + 2) / 5 + day + 1721119;
    if (j < FirstDayNumber || j >= PastLastDayNumber)
        return -1;
    return qint32(j);
}

qint32 JulianDay(const Date &date)
{
    return JulianDay(date.year, date.month, date.day);
}

bool IsLeapYear(int year)
{
    return year % 4 == 0 && !(year % 100 == 0 && year % 400 != 0) && year % 4000 != 0;
}

int WeekdayFromSunday(const Date &date)
{
    const qint32 j = JulianDay(date);
    if (j < 0)
        return -1;
    // The count runs from a Sunday; the remainder is taken non-negative so that dates before
    // it get their true weekday as well.
    return FloorMod(j - Sunday1995, 7);
}

int WeekdayFromMonday(const Date &date)
{
    const int w = WeekdayFromSunday(date);
    return w == 0 ? 7 : w;
}

int PlatformWeekday(const Date &date)
{
    const int w = WeekdayFromSunday(date);
    return w < 0 ? -1 : w + 1;
}

QString DayName(int weekdayFromMonday)
{
    switch (weekdayFromMonday) {
    case 1:
        return QStringLiteral("po");
    case 2:
        return QStringLiteral("út");
    case 3:
        return QStringLiteral("st");
    case 4:
        return QStringLiteral("čt");
    case 5:
        return QStringLiteral("pá");
    case 6:
        return QStringLiteral("so");
    case 7:
        return QStringLiteral("ne");
    default:
        return QString();
    }
}

int DaysInMonth(int year, int month)
{
    switch (month) {
    case 2:
        return IsLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    default:
        return 0;
    }
}

Date PrevMonth(const Date &date)
{
    Date result = date;
    if (date.month <= 1) {
        result.month = 12;
        if (date.year > 0)
            result.year = date.year - 1;
    } else {
        result.month = date.month - 1;
    }
    result.day = qMin(date.day, DaysInMonth(result.year, result.month));
    return result;
}

Date PrevDay(const Date &date)
{
    if (date.day <= 0)
        return date;
    if (date.day == 1) {
        Date result = PrevMonth(date);
        result.day = DaysInMonth(result.year, result.month);
        return result;
    }
    return {date.year, date.month, date.day - 1};
}

Date NextMonth(const Date &date)
{
    Date result = date;
    if (date.month >= 12) {
        result.month = 1;
        result.year = date.year + 1;
    } else {
        result.month = date.month + 1;
    }
    return result;
}

Date NextDay(const Date &date)
{
    if (date.day >= DaysInMonth(date.year, date.month)) {
        // NextMonth keeps the day; the first of the month is always a real date.
        Date result = NextMonth(date);
        result.day = 1;
        return result;
    }
    return {date.year, date.month, date.day + 1};
}

QString FormatDate(int year, int month, int day)
{
    return QStringLiteral("%1.%2.%3")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(year);
}

QString FormatDate(const Date &date)
{
    return FormatDate(date.year, date.month, date.day);
}

int DaysInclusive(const Date &date1, const Date &date2)
{
    const qint32 j1 = JulianDay(date1);
    const qint32 j2 = JulianDay(date2);
    if (j1 < 0 || j2 < 0)
        return 0;
    return j1 - j2 + 1;
}

bool DateLater(const Date &date1, const Date &date2)
{
    if (date1.year != date2.year)
        return date1.year > date2.year;
    if (date1.month != date2.month)
        return date1.month > date2.month;
    return date1.day > date2.day;
}

Date EasterMonday(int year)
{
    // The anonymous Gregorian computus (Meeus/Jones/Butcher) gives Easter Sunday for any
    // year; the short form valid for 1900..2099 agrees with it there.
    const int a = FloorMod(year, 19);
    const int b = FloorDiv(year, 100);
    const int c = FloorMod(year, 100);
    const int d = FloorDiv(b, 4);
    const int e = FloorMod(b, 4);
    const int f = FloorDiv(b + 8, 25);
    const int g = FloorDiv(b - f + 1, 3);
    const int h = FloorMod(19 * a + b - d - g + 15, 30);
    const int i = FloorDiv(c, 4);
    const int k = FloorMod(c, 4);
    const int l = FloorMod(32 + 2 * e + 2 * i - h - k, 7);
    const int m = FloorDiv(a + 11 * h + 22 * l, 451);
    const int month = FloorDiv(h + l - 7 * m + 114, 31);
    const int day = FloorMod(h + l - 7 * m + 114, 31) + 1;
    // Easter Sunday falls between 22 March and 25 April, so the Monday is at most one month
    // step away.
    return NextDay({year, month, day});
}

} // namespace vardex
