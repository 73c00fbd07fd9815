#include "timecal/Calendar.h"

#include <QDate>
#include <gtest/gtest.h>

#include <tuple>

using namespace vardex;

const auto Text = [](const Date &d) { return FormatDate(d).toStdString(); };

// Days inside 1900..2100 (with their leap years) are walked against QDate below; these are
// the ends of the range and the days a month lacks.
TEST(Calendar, LeapYearsJulianDaysAndMonthStepsAlsoForDaysTheMonthLacks)
{
    const std::tuple<int, bool> years[] = {{4000, false}, {4400, true}, {0, false}};
    for (const auto &[year, leap] : years) {
        EXPECT_EQ(IsLeapYear(year), leap) << year;
        EXPECT_EQ(DaysInMonth(year, 2), leap ? 29 : 28) << year;
    }
    EXPECT_EQ(DaysInMonth(2023, 13), 0);
    const std::tuple<Date, qint32> cases[] = {
        {{0, 3, 1}, 1721120}, {{0, 2, 28}, -1},         {{65535, 12, 31}, 25657575},
        {{65536, 1, 1}, -1},  {{2023, 4, 31}, 2460066}, {{2023, 3, 0}, 2460004},
    };
    for (const auto &[date, day] : cases)
        EXPECT_EQ(JulianDay(date), day) << Text(date);
    // 4000 has no leap day: its 29 February counts as 1 March.
    EXPECT_EQ(JulianDay(4000, 2, 29), JulianDay(4000, 3, 1));
    EXPECT_EQ(DaysInclusive({2024, 3, 1}, {2024, 2, 1}), 30);
    EXPECT_EQ(DaysInclusive({2023, 4, 31}, {2023, 4, 1}), 31);
    EXPECT_EQ(DaysInclusive({65536, 1, 1}, {2024, 2, 1}), 0);
    // Going back a month cuts the day to the month's length, going forward keeps it.
    const std::tuple<Date, Date, Date> steps[] = {
        {{2000, 3, 31}, {2000, 2, 29}, {2000, 4, 31}},
        {{2001, 3, 31}, {2001, 2, 28}, {2001, 4, 31}},
        {{2023, 1, 1}, {2022, 12, 1}, {2023, 2, 1}},
        {{2023, 12, 31}, {2023, 11, 30}, {2024, 1, 31}},
        {{2024, 1, 31}, {2023, 12, 31}, {2024, 2, 31}},
        {{0, 1, 1}, {0, 12, 1}, {0, 2, 1}},
    };
    for (const auto &[from, prevMonth, nextMonth] : steps) {
        EXPECT_EQ(PrevMonth(from), prevMonth) << Text(from);
        EXPECT_EQ(NextMonth(from), nextMonth) << Text(from);
    }
    EXPECT_EQ(PrevDay({0, 1, 1}), (Date{0, 12, 31}));
    EXPECT_EQ(PrevDay({2023, 5, 0}), (Date{2023, 5, 0}));
    EXPECT_EQ(FormatDate({987, 2, 3}), QStringLiteral("03.02.987"));
    EXPECT_TRUE(DateLater({2024, 2, 1}, {2024, 1, 31}));
    EXPECT_FALSE(DateLater({2023, 12, 31}, {2024, 1, 1}));
}

// Walks day by day over two centuries, before and after the weekday anchor, against Qt's
// own proleptic Gregorian calendar, which agrees with ours until the year 4000.
TEST(Calendar, DayStepsDayNumbersAndWeekdaysAgreeWithQDate)
{
    Date d{1899, 12, 31};
    for (QDate q(1899, 12, 31); q.year() < 2101; q = q.addDays(1)) {
        ASSERT_EQ(d, (Date{q.year(), q.month(), q.day()}));
        ASSERT_EQ(JulianDay(d), q.toJulianDay()) << Text(d);
        ASSERT_EQ(WeekdayFromMonday(d), q.dayOfWeek()) << Text(d);
        ASSERT_EQ(WeekdayFromSunday(d), q.dayOfWeek() % 7) << Text(d);
        ASSERT_EQ(PlatformWeekday(d), q.dayOfWeek() % 7 + 1) << Text(d);
        const Date next = NextDay(d);
        ASSERT_EQ(PrevDay(next), d) << Text(next);
        d = next;
    }
    EXPECT_EQ(WeekdayFromSunday({0, 1, 1}), -1);
    // A day the month lacks has the weekday of the day it counts as: 1 May, a Monday.
    EXPECT_EQ(WeekdayFromMonday({2023, 4, 31}), 1);
    EXPECT_EQ(DayName(WeekdayFromMonday({2000, 1, 1})), QStringLiteral("so"));
    EXPECT_TRUE(DayName(0).isEmpty());
    EXPECT_TRUE(DayName(8).isEmpty());
}

// Known years are checked against an independent Easter table (for 1900..2099 only the
// earliest and latest dates), every year of that span against the short rule.
TEST(Calendar, EasterMonday)
{
    const std::tuple<int, int, int> cases[] = {
        {1583, 4, 11}, {1700, 4, 12}, {1818, 3, 23}, {1943, 4, 26}, {2008, 3, 24},
        {2100, 3, 29}, {2200, 4, 7},  {2285, 3, 23}, {3000, 4, 14},
    };
    for (const auto &[year, month, day] : cases)
        EXPECT_EQ(EasterMonday(year), (Date{year, month, day})) << year;
    for (int year = 1900; year <= 2099; ++year) {
        const int a = (204 - 11 * (year % 19)) % 30;
        const int d = a + 21 > 48 ? a + 20 : a + 21;
        const int x = d + 7 - (year + year / 4 + d + 1) % 7;
        const Date expected = x < 31 ? Date{year, 3, x + 1} : Date{year, 4, x - 30};
        ASSERT_EQ(EasterMonday(year), expected) << year;
    }
}
