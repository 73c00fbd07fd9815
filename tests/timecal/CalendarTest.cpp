#include "timecal/Calendar.h"

#include <QDate>

#include <gtest/gtest.h>

#include <tuple>

using namespace vardex;

namespace {
std::string Text(const Date &d)
{
    return FormatDate(d).toStdString();
}
} // namespace

TEST(Calendar, LeapYearsDropCenturiesExceptFourHundredsAndDropFourThousands)
{
    const std::tuple<int, bool> cases[] = {{1900, false}, {2000, true}, {2004, true}, {2001, false},
                                           {4000, false}, {4400, true}, {0, false}};
    for (const auto &[year, leap] : cases) {
        EXPECT_EQ(IsLeapYear(year), leap) << year;
        EXPECT_EQ(DaysInMonth(year, 2), leap ? 29 : 28) << year;
    }
    EXPECT_EQ(DaysInMonth(2023, 13), 0);
}

TEST(Calendar, JulianDayFollowsItsFormulaAlsoForDaysTheMonthLacks)
{
    const std::tuple<Date, qint32> cases[] = {
        {{2000, 1, 1}, 2451545},     {{0, 3, 1}, 1721120},    {{0, 2, 28}, -1},
        {{65535, 12, 31}, 25657575}, {{65536, 1, 1}, -1},     {{2024, 2, 29}, 2460370},
        {{2023, 4, 31}, 2460066},    {{2023, 3, 0}, 2460004},
    };
    for (const auto &[date, day] : cases)
        EXPECT_EQ(JulianDay(date), day) << Text(date);
    // 4000 has no leap day: its 29 February counts as 1 March.
    EXPECT_EQ(JulianDay(4000, 2, 29), JulianDay(4000, 3, 1));
    EXPECT_EQ(DaysInclusive({2024, 3, 1}, {2024, 2, 1}), 30);
    EXPECT_EQ(DaysInclusive({2023, 4, 31}, {2023, 4, 1}), 31);
    EXPECT_EQ(DaysInclusive({65536, 1, 1}, {2024, 2, 1}), 0);
}

// Walks day by day over two centuries, before and after the weekday anchor, against Qt's
// own proleptic Gregorian calendar, which agrees with ours until the year 4000.
TEST(Calendar, DayStepsDayNumbersAndWeekdaysAgreeWithQDate)
{
    Date d{1899, 12, 31};
    QDate q(1899, 12, 31);
    for (; q.year() < 2101; q = q.addDays(1)) {
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
    // A day the month lacks has the weekday of the day it counts as: 31.04.2023 is 1 May,
    // a Monday.
    EXPECT_EQ(WeekdayFromMonday({2023, 4, 31}), 1);
}

TEST(Calendar, DayNamesRunFromMondayOneToSundaySeven)
{
    EXPECT_EQ(DayName(WeekdayFromMonday({2000, 1, 1})), QStringLiteral("so"));
    EXPECT_EQ(DayName(7), QStringLiteral("ne"));
    EXPECT_TRUE(DayName(0).isEmpty());
    EXPECT_TRUE(DayName(8).isEmpty());
}

// Day steps are walked against QDate above; the year 0 is not. Going back a month cuts the
// day to the month's length, going forward keeps it.
TEST(Calendar, MonthStepsAcrossYearEndsAndFebruary)
{
    const std::tuple<Date, Date, Date> cases[] = {
        {{2000, 2, 28}, {2000, 1, 28}, {2000, 3, 28}},
        {{2000, 3, 31}, {2000, 2, 29}, {2000, 4, 31}},
        {{2001, 3, 31}, {2001, 2, 28}, {2001, 4, 31}},
        {{2023, 1, 1}, {2022, 12, 1}, {2023, 2, 1}},
        {{2023, 12, 31}, {2023, 11, 30}, {2024, 1, 31}},
        {{2024, 1, 31}, {2023, 12, 31}, {2024, 2, 31}},
        {{0, 1, 1}, {0, 12, 1}, {0, 2, 1}},
    };
    for (const auto &[from, prevMonth, nextMonth] : cases) {
        EXPECT_EQ(PrevMonth(from), prevMonth) << Text(from);
        EXPECT_EQ(NextMonth(from), nextMonth) << Text(from);
    }
    EXPECT_EQ(PrevDay({0, 1, 1}), (Date{0, 12, 31}));
    EXPECT_EQ(PrevDay({2023, 5, 0}), (Date{2023, 5, 0}));
    EXPECT_EQ(FormatDate({987, 2, 3}), QStringLiteral("03.02.987"));
    EXPECT_TRUE(DateLater({2024, 2, 1}, {2024, 1, 31}));
    EXPECT_FALSE(DateLater({2023, 12, 31}, {2024, 1, 1}));
}

TEST(Calendar, EasterMondayKnownYears)
{
    // Checked against an independent Easter table; 1900..2099 are all
    // checked below, so only the earliest and latest dates of that span.
    const std::tuple<int, int, int> cases[] = {
        {1583, 4, 11}, {1700, 4, 12}, {1818, 3, 23}, {1943, 4, 26}, {2008, 3, 24},
        {2100, 3, 29}, {2200, 4, 7},  {2285, 3, 23}, {3000, 4, 14},
    };
    for (const auto &[year, month, day] : cases)
        EXPECT_EQ(EasterMonday(year), (Date{year, month, day})) << year;
}

TEST(Calendar, EasterMondayAgreesWithTheShortRuleFor1900To2099)
{
    for (int year = 1900; year <= 2099; ++year) {
        const int a = (204 - 11 * (year % 19)) % 30;
        int d = a + 21;
        if (d > 48)
            d = a + 20;
        const int e = (year + year / 4 + d + 1) % 7;
        const int x = d + 7 - e;
        const Date expected = x < 31 ? Date{year, 3, x + 1} : Date{year, 4, x - 30};
        ASSERT_EQ(EasterMonday(year), expected) << year;
        ASSERT_EQ(WeekdayFromMonday(expected), 1) << year;
    }
}
