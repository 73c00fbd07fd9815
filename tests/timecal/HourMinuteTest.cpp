#include "timecal/HourMinute.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vardex;

constexpr auto hm = MakeHourMinute;

TEST(HourMinute, ParseAcceptsOnlyTheFiveCharacterForm)
{
    const std::tuple<const char16_t *, quint16> cases[] = {
        {u"23:59", 5947},  {u"00:00", 0},     {u"06:00", 1536},  {u"7:30", 65535},
        {u"07.30", 65535}, {u"24:00", 65535}, {u"12:60", 65535}, {u" 7:30", 65535},
        {u"+7:30", 65535}, {u"0a:10", 65535}, {u"07:3 ", 65535}, {u"07:30 ", 65535},
        {u"", 65535},      {u"07:-5", 65535}, {u"٠٧:٣٠", 65535}, {u"0730:", 65535},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(ParseHourMinute(QStringView(text)), expected)
            << QString::fromUtf16(text).toStdString();
    EXPECT_TRUE(IsValidHourMinute(hm(23, 59)));
    EXPECT_FALSE(IsValidHourMinute(hm(24, 0)));
    EXPECT_FALSE(IsValidHourMinute(hm(10, 60)));
}

TEST(HourMinute, ArithmeticBorrowsAndCarriesAndTextsPadAndSign)
{
    const std::tuple<quint16, quint16, quint16, quint16> cases[] = {
        {hm(8, 10), hm(7, 30), hm(0, 40), hm(15, 40)},
        {hm(8, 0), hm(0, 1), hm(7, 59), hm(8, 1)},
        {hm(14, 45), hm(6, 15), hm(8, 30), hm(21, 0)},
        {hm(23, 59), hm(23, 59), 0, hm(47, 58)},
    };
    for (const auto &[a, b, difference, sum] : cases) {
        EXPECT_EQ(SubHourMinute(a, b), difference) << FormatHourMinute(a).toStdString();
        EXPECT_EQ(AddHourMinute(a, b), sum) << FormatHourMinute(a).toStdString();
    }
    // Out of order operands and sums past the word's reach neither wrap nor crash.
    EXPECT_EQ(SubHourMinute(hm(7, 30), hm(8, 0)), 0);
    EXPECT_EQ(AddHourMinute(hm(200, 30), hm(100, 30)), MaxHourMinute);
    EXPECT_EQ(FormatHourMinute(hm(7, 5)), QStringLiteral("07:05"));
    EXPECT_EQ(FormatHourMinute(hm(100, 0)), QStringLiteral("100:00"));
    EXPECT_EQ(SignedDiffText(hm(8, 0), hm(8, 0)), QStringLiteral(" 00:00"));
    EXPECT_EQ(SignedDiffText(hm(8, 0), hm(7, 30)), QStringLiteral("-00:30"));
    EXPECT_EQ(SignedDiffText(hm(6, 50), hm(9, 10)), QStringLiteral("+02:20"));
}

TEST(HourMinute, OverlapAndRangeIncludeOrExcludeTheirEnds)
{
    const std::tuple<quint16, quint16, quint16, quint16, quint16> cases[] = {
        {hm(8, 0), hm(12, 0), hm(13, 0), hm(14, 0), 0},           // second after first
        {hm(8, 0), hm(12, 0), hm(12, 0), hm(14, 0), 0},           // touching
        {hm(8, 0), hm(12, 0), hm(6, 0), hm(7, 0), 0},             // second before first
        {hm(8, 0), hm(12, 0), hm(6, 0), hm(8, 0), 0},             // touching at the start
        {hm(9, 15), hm(11, 0), hm(8, 0), hm(12, 0), hm(1, 45)},   // first inside second
        {hm(8, 0), hm(12, 0), hm(8, 0), hm(12, 0), hm(4, 0)},     // the same interval
        {hm(8, 0), hm(12, 10), hm(10, 30), hm(14, 0), hm(1, 40)}, // second runs past the end
        {hm(8, 0), hm(12, 0), hm(9, 20), hm(10, 0), hm(0, 40)},   // second inside first
        {hm(8, 40), hm(12, 0), hm(6, 0), hm(10, 10), hm(1, 30)},  // second starts earlier
    };
    for (const auto &[a, b, c, d, expected] : cases)
        EXPECT_EQ(OverlapLength(a, b, c, d), expected)
            << FormatHourMinute(c).toStdString() << "-" << FormatHourMinute(d).toStdString();
    EXPECT_TRUE(InRange(hm(8, 0), hm(12, 0), hm(12, 0)));
    EXPECT_FALSE(InRange(hm(8, 0), hm(12, 0), hm(12, 1)));
}
