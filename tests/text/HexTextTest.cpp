#include "text/HexText.h"
#include "text/KeyNumber.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vardex;

// The lenient reading pads in front, takes two characters and never fails; the strict one
// refuses what is not one or two hex digits (nullopt).
TEST(HexText, ReadingOneByteLenientlyOrStrictly)
{
    const std::tuple<const char *, int, std::optional<int>> cases[] = {
        {"", 0x00, std::nullopt},    {"A", 0x0A, 0x0A},           {"1f", 0x1F, 0x1F},
        {"ABC", 0xAB, std::nullopt}, {"05 ", 0x05, std::nullopt}, {"G1", 0x01, std::nullopt},
        {"1G", 0x10, std::nullopt},  {" 5", 0x05, std::nullopt},  {"Z", 0x00, std::nullopt},
        {"Ž9", 0x09, std::nullopt},
    };
    for (const auto &[text, lenient, strict] : cases) {
        EXPECT_EQ(hexToByte(QString::fromUtf8(text)), lenient) << text;
        EXPECT_EQ(parseHexByte(QString::fromUtf8(text)), strict) << text;
    }
}

TEST(HexText, BlockReadsByteZeroFirst)
{
    QByteArray block;
    for (int i = 0; i < 16; ++i)
        block.append(char(i * 17));
    const QString text = bytesToHex(block);
    EXPECT_EQ(text, QStringLiteral("00112233445566778899AABBCCDDEEFF"));
    EXPECT_EQ(byteToHex(0x0A), QStringLiteral("0A"));
    EXPECT_EQ(hexToBytes(text, 16), block);
    EXPECT_EQ(parseHexBytes(text), block);
    // A short text still gives the whole block; what is missing reads as 0.
    EXPECT_EQ(hexToBytes(u"0102", 4), QByteArray("\x01\x02\x00\x00", 4));
    EXPECT_EQ(hexToBytes(u"010203", 2), QByteArray("\x01\x02", 2));
    EXPECT_FALSE(parseHexBytes(u"012"));
    EXPECT_FALSE(parseHexBytes(u"01X2"));
}

// The text holds the family code, then the serial most significant byte first.
TEST(KeyNumber, TextReadsBackAndAllZeroIsNoKey)
{
    const std::pair<KeyBytes, const char *> cases[] = {
        {{0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66}, "01665544332211"},
        {{0x01, 0xAB, 0x12, 0x00, 0x00, 0x00, 0x00}, "010000000012AB"},
        {{0xFF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x80}, "FF800000000001"},
    };
    for (const auto &[bytes, chars] : cases) {
        const QString text = QString::fromLatin1(chars);
        EXPECT_EQ(keyToText(bytes), text);
        EXPECT_EQ(keyFromText(text), bytes) << chars;
        EXPECT_EQ(parseKeyText(text), bytes) << chars;
        EXPECT_EQ(parseKeyText(text.toLower()), bytes) << chars;
    }
    // The lenient reading of a short text fills the missing pairs with 0.
    EXPECT_EQ(keyFromText(u"0166"), (KeyBytes{0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x66}));
    EXPECT_EQ(emptyKeyText(), keyToText(KeyBytes{}));
    EXPECT_TRUE(isEmptyKeyText(u"00000000000000"));
    EXPECT_TRUE(isEmptyKeyText(u""));
    // A single set bit in the family code or the last serial byte is a key.
    EXPECT_FALSE(isEmptyKeyText(u"00000000000001"));
    EXPECT_FALSE(isEmptyKeyText(u"01000000000000"));
    EXPECT_FALSE(isEmptyKey(KeyBytes{0, 0, 0, 0, 0, 0, 1}));
}

TEST(KeyNumber, AHoldersKeyIsFourteenHexDigitsStoredUpperCase)
{
    EXPECT_EQ(holderKeyText(u"0166554433221a").valueOr({}), QStringLiteral("0166554433221A"));
    EXPECT_EQ(holderKeyText(u" 01665544332211 ").valueOr({}), QStringLiteral("01665544332211"));
    for (const char *typed : {"XYZ", "0166554433221", "016655443322110", "0166554433221G",
                              "01 665544332211", "00000000000000"}) {
        const Result<QString> key = holderKeyText(QString::fromLatin1(typed));
        EXPECT_FALSE(key) << typed;
        EXPECT_EQ(key.code(), InvalidKeyNumber) << typed;
        EXPECT_TRUE(key.error().contains(QString::fromLatin1(typed).trimmed())) << typed;
    }
}
