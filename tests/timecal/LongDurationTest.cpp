#include "timecal/LongDuration.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vardex;

namespace {
constexpr quint32 lng(quint32 h, int m)
{
    return MakeLongDuration(h, m);
}
} // namespace

TEST(LongDuration, AdditionCarriesMinutesIntoHours)
{
    const std::tuple<quint32, quint32, quint32> cases[] = {
        {lng(7, 30), lng(0, 30), lng(8, 0)},
        {lng(7, 45), lng(8, 45), lng(16, 30)},
        {lng(255, 59), lng(0, 1), lng(256, 0)}, // past the reach of a word
        {lng(65000, 59), lng(535, 59), lng(65536, 58)},
    };
    for (const auto &[a, b, sum] : cases)
        EXPECT_EQ(AddLongDuration(a, b), sum) << FormatLongDuration(a).toStdString();
    EXPECT_EQ(AddLongDuration(lng(300, 50), quint16(8 * 256 + 20)), lng(309, 10));
    EXPECT_EQ(AddLongDuration(lng(MaxLongHours, 30), lng(1, 30)), lng(MaxLongHours, 59));
}

TEST(LongDuration, FormatShowsAtLeastThreeHourDigits)
{
    const std::tuple<quint32, const char *> cases[] = {
        {lng(7, 30), "007:30"},   {lng(0, 0), "000:00"},     {lng(42, 5), "042:05"},
        {lng(999, 59), "999:59"}, {lng(1234, 1), "1234:01"}, {lng(65535, 59), "65535:59"},
    };
    for (const auto &[value, text] : cases)
        EXPECT_EQ(FormatLongDuration(value), QString::fromLatin1(text));
}

TEST(LongDuration, SignedDiffTextNeverShowsPlus)
{
    const std::tuple<quint32, quint32, const char *> cases[] = {
        {lng(160, 0), lng(168, 30), "-008:30"},  // shortfall, with borrow
        {lng(170, 10), lng(168, 30), " 001:40"}, // surplus, with borrow
        {lng(168, 0), lng(168, 0), " 000:00"},   {lng(1500, 0), lng(0, 1), " 1499:59"},
        {lng(0, 0), lng(1000, 0), "-1000:00"},
    };
    for (const auto &[total, norm, text] : cases)
        EXPECT_EQ(SignedLongDiffText(total, norm), QString::fromLatin1(text));
    EXPECT_TRUE(LongGreater(lng(8, 1), lng(8, 0)));
    EXPECT_TRUE(LongGreater(lng(9, 0), lng(8, 59)));
    EXPECT_FALSE(LongGreater(lng(8, 0), lng(8, 0)));
    EXPECT_EQ(SubLongDuration(lng(1, 0), lng(2, 0)), 0u);
}
