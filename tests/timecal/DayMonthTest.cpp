#include "timecal/DayMonth.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vardex;

// Only the six-character form parses; leap years themselves are the calendar's, here only
// that the year is asked.
TEST(DayMonth, ParseFormatAndValidity)
{
    const std::tuple<const char16_t *, quint16> cases[] = {
        {u"31.12.", 3103},  {u"01.01.", 257},    {u"29.02.", 2 * 256 + 29}, {u"00.12.", 65535},
        {u"1.12.0", 65535}, {u"32.01.", 65535},  {u"15.13.", 65535},        {u"15.00.", 65535},
        {u"15.01", 65535},  {u"15.01.2", 65535}, {u" 5.01.", 65535},        {u"+5.01.", 65535},
        {u"1a.01.", 65535}, {u"", 65535},        {u"15-01.", 65535},        {u"15.01-", 65535},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(ParseDayMonth(QStringView(text)), expected)
            << QString::fromUtf16(text).toStdString();
    EXPECT_EQ(FormatDayMonth(PackDayMonth(5, 7)), QStringLiteral("05.07."));
    const std::tuple<int, int, int, bool, bool> valid[] = {
        {29, 2, 2024, true, true},   {29, 2, 2023, true, false},   {31, 4, 2024, true, false},
        {30, 4, 2024, true, true},   {31, 12, 0, true, false},     {0, 5, 2024, false, false},
        {32, 5, 2024, false, false}, {10, 13, 2024, false, false}, {10, 0, 2024, false, false},
    };
    for (const auto &[day, month, year, always, inYear] : valid) {
        const quint16 word = PackDayMonth(day, month);
        EXPECT_EQ(IsValidDayMonth(word), always) << day << "." << month;
        EXPECT_EQ(IsValidDayMonthInYear(word, year), inYear) << day << "." << month << "." << year;
    }
}
