#include "timecal/LongDuration.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vardex;

constexpr auto lng = MakeLongDuration;

// Addition carries minutes into hours; texts show at least three hour digits, and a
// difference is signed "-" or " ", never "+".
TEST(LongDuration, AdditionCarriesAndTextsPadAndSign)
{
    const std::tuple<quint32, quint32, quint32> cases[] = {
        {lng(7, 45), lng(8, 45), lng(16, 30)},
        {lng(255, 59), lng(0, 1), lng(256, 0)}, // past the reach of a word
        {lng(65000, 59), lng(535, 59), lng(65536, 58)},
    };
    for (const auto &[a, b, sum] : cases)
        EXPECT_EQ(AddLongDuration(a, b), sum) << FormatLongDuration(a).toStdString();
    EXPECT_EQ(AddLongDuration(lng(300, 50), quint16(8 * 256 + 20)), lng(309, 10));
    EXPECT_EQ(AddLongDuration(lng(MaxLongHours, 30), lng(1, 30)), lng(MaxLongHours, 59));
    EXPECT_EQ(FormatLongDuration(lng(7, 30)), QStringLiteral("007:30"));
    EXPECT_EQ(FormatLongDuration(lng(999, 59)), QStringLiteral("999:59"));
    EXPECT_EQ(FormatLongDuration(lng(1234, 1)), QStringLiteral("1234:01"));
    EXPECT_EQ(FormatLongDuration(lng(65535, 59)), QStringLiteral("65535:59"));
    // A shortfall and a surplus, each with a borrow; none; one past three digits.
    EXPECT_EQ(SignedLongDiffText(lng(160, 0), lng(168, 30)), QStringLiteral("-008:30"));
    EXPECT_EQ(SignedLongDiffText(lng(170, 10), lng(168, 30)), QStringLiteral(" 001:40"));
    EXPECT_EQ(SignedLongDiffText(lng(168, 0), lng(168, 0)), QStringLiteral(" 000:00"));
    EXPECT_EQ(SignedLongDiffText(lng(0, 0), lng(1000, 0)), QStringLiteral("-1000:00"));
    EXPECT_TRUE(LongGreater(lng(8, 1), lng(8, 0)));
    EXPECT_TRUE(LongGreater(lng(9, 0), lng(8, 59)));
    EXPECT_FALSE(LongGreater(lng(8, 0), lng(8, 0)));
    EXPECT_EQ(SubLongDuration(lng(1, 0), lng(2, 0)), 0u);
}
