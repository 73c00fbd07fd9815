#include "text/Bcd.h"

#include <gtest/gtest.h>

using namespace vardex;

TEST(Bcd, NumbersUpTo99AreTwoDecimalDigitsElse0xFF)
{
    const std::pair<int, int> cases[] = {{0, 0x00},  {7, 0x07},   {10, 0x10},  {59, 0x59},
                                         {99, 0x99}, {100, 0xFF}, {255, 0xFF}, {-1, 0xFF}};
    for (const auto &[value, byte] : cases)
        EXPECT_EQ(encodeBcd(value), byte) << value;
}

TEST(Bcd, DecodingGives255ForAnythingNotTwoDecimalDigits)
{
    const std::pair<int, int> cases[] = {{0x00, 0},   {0x59, 59},  {0x99, 99},  {0x23, 23},
                                         {0xA0, 255}, {0x9A, 255}, {0x1A, 255}, {0xFF, 255}};
    for (const auto &[byte, value] : cases)
        EXPECT_EQ(decodeBcd(quint8(byte)), value) << byte;
    for (int v = 0; v <= 99; ++v)
        EXPECT_EQ(decodeBcd(encodeBcd(v)), v);
}
