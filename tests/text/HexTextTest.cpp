#include "text/HexText.h"
#include "text/KeyNumber.h"

#include <gtest/gtest.h>

using namespace vardex;

TEST(HexText, ReadingPadsInFrontUsesTwoCharactersAndNeverFails)
{
    struct Case
    {
        const char *text;
        int lenient;
        std::optional<int> strict;
    } cases[] = {
        {"", 0x00, std::nullopt},    {"A", 0x0A, 0x0A},           {"1f", 0x1F, 0x1F},
        {"ABC", 0xAB, std::nullopt}, {"05 ", 0x05, std::nullopt}, {"G1", 0x01, std::nullopt},
        {"1G", 0x10, std::nullopt},  {" 5", 0x05, std::nullopt},  {"Z", 0x00, std::nullopt},
        {"Ž9", 0x09, std::nullopt},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(hexToByte(text), c.lenient) << c.text;
        const auto strict = parseHexByte(text);
        EXPECT_EQ(strict.has_value(), c.strict.has_value()) << c.text;
        if (strict && c.strict) {
            EXPECT_EQ(*strict, *c.strict) << c.text;
        }
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

TEST(KeyNumber, TextHoldsFamilyCodeThenSerialMostSignificantFirst)
{
    struct Case
    {
        KeyBytes bytes;
        const char *text;
    } cases[] = {
        {{0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66}, "01665544332211"},
        {{0x01, 0xAB, 0x12, 0x00, 0x00, 0x00, 0x00},
         "0100000000"
         "12AB"},
        {{0xFF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x80}, "FF800000000001"},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(keyToText(c.bytes), text);
        EXPECT_EQ(keyFromText(text), c.bytes) << c.text;
        EXPECT_EQ(parseKeyText(text), c.bytes) << c.text;
        EXPECT_EQ(parseKeyText(text.toLower()), c.bytes) << c.text;
    }
}

TEST(KeyNumber, AHoldersKeyIsFourteenHexDigitsStoredUpperCase)
{
    struct Case
    {
        const char *typed;
        const char *stored; // nullptr: refused
    } cases[] = {
        {"0166554433221a", "0166554433221A"},
        {" 01665544332211 ", "01665544332211"},
        {"XYZ", nullptr},
        {"0166554433221", nullptr},
        {"016655443322110", nullptr},
        {"0166554433221G", nullptr},
        {"01 665544332211", nullptr},
        {"00000000000000", nullptr},
    };
    for (const Case &c : cases) {
        const Result<QString> key = holderKeyText(QString::fromLatin1(c.typed));
        if (c.stored) {
            EXPECT_EQ(key.valueOr({}), QLatin1String(c.stored)) << c.typed;
            continue;
        }
        EXPECT_FALSE(key) << c.typed;
        EXPECT_EQ(key.code(), InvalidKeyNumber) << c.typed;
        EXPECT_TRUE(key.error().contains(QString::fromLatin1(c.typed).trimmed())) << c.typed;
    }
    // The lenient reading of a short text fills the missing pairs with 0.
    const KeyBytes partial{0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x66};
    EXPECT_EQ(keyFromText(u"0166"), partial);
}

TEST(KeyNumber, AllZeroIsNoKey)
{
    EXPECT_EQ(emptyKeyText(), keyToText(KeyBytes{}));
    for (const char16_t *text : {u"00000000000000", u""})
        EXPECT_TRUE(isEmptyKeyText(text));
    // A single set bit in the family code or the last serial byte is a key.
    for (const char16_t *text : {u"00000000000001", u"01000000000000"})
        EXPECT_FALSE(isEmptyKeyText(text));
    EXPECT_FALSE(isEmptyKey(KeyBytes{0, 0, 0, 0, 0, 0, 1}));
}
