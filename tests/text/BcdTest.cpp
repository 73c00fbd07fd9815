#include "text/Bcd.h"

#include <gtest/gtest.h>

using namespace vardex;

// Up to 0x99 every byte decodes as high half-byte × 10 + low, even a low half-byte above 9.
TEST(Bcd, NumbersUpTo99AreTwoDecimalDigitsElse0xFFAndDecodeBack)
{
    const std::pair<int, int> encoded[] = {{0, 0x00},  {10, 0x10},  {59, 0x59},
                                           {99, 0x99}, {100, 0xFF}, {-1, 0xFF}};
    for (const auto &[value, byte] : encoded)
        EXPECT_EQ(encodeBcd(value), byte) << value;
    const std::pair<int, int> decoded[] = {{0x0A, 10},  {0x1A, 20},  {0x8F, 95}, {0x99, 99},
                                           {0x9A, 255}, {0xA0, 255}, {0xFF, 255}};
    for (const auto &[byte, value] : decoded)
        EXPECT_EQ(decodeBcd(quint8(byte)), value) << byte;
    for (int v = 0; v <= 99; ++v)
        EXPECT_EQ(decodeBcd(encodeBcd(v)), v);
}
