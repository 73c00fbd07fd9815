#include "text/Cp1250.h"

#include <gtest/gtest.h>

using namespace vardex;

namespace {

QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

} // namespace

TEST(Cp1250, EveryCzechLetterHasItsCodePageByteAndReadsBack)
{
    struct Case
    {
        const char *letter;
        int byte;
    } cases[] = {
        {"á", 0xE1}, {"č", 0xE8}, {"ď", 0xEF}, {"é", 0xE9}, {"ě", 0xEC}, {"í", 0xED},
        {"ň", 0xF2}, {"ó", 0xF3}, {"ř", 0xF8}, {"š", 0x9A}, {"ť", 0x9D}, {"ú", 0xFA},
        {"ů", 0xF9}, {"ý", 0xFD}, {"ž", 0x9E}, {"Á", 0xC1}, {"Č", 0xC8}, {"Ď", 0xCF},
        {"É", 0xC9}, {"Ě", 0xCC}, {"Í", 0xCD}, {"Ň", 0xD2}, {"Ó", 0xD3}, {"Ř", 0xD8},
        {"Š", 0x8A}, {"Ť", 0x8D}, {"Ú", 0xDA}, {"Ů", 0xD9}, {"Ý", 0xDD}, {"Ž", 0x8E},
    };
    Cp1250Codec codec;
    ASSERT_TRUE(codec.isValid()) << Cp1250Codec::unavailableMessage().toStdString();
    QString letters;
    QByteArray bytes;
    for (const Case &c : cases) {
        letters += QString::fromUtf8(c.letter);
        bytes.append(char(c.byte));
    }
    const EncodedText encoded = codec.encode(letters);
    ASSERT_TRUE(encoded.ok);
    EXPECT_EQ(encoded.bytes.toHex(' '), bytes.toHex(' '));
    EXPECT_EQ(codec.decode(bytes).text, letters);
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    QString loneSurrogate = QStringLiteral("a");
    loneSurrogate.append(QChar(0xD800));
    loneSurrogate.append(QStringLiteral("č"));

    struct Case
    {
        QString text;
        QByteArray expected;
    } cases[] = {
        // A surrogate pair is one character and so one "?".
        {QString::fromUtf8("x\xF0\x9F\x98\x80y"), "x?y"},
        {QStringLiteral("漢čŽ字"), bytesOf({'?', 0xE8, 0x8E, '?'})},
        {loneSurrogate, bytesOf({'a', '?', 0xE8})},
        // In the code page although not Czech: kept, not replaced.
        {QStringLiteral("€ł§"), bytesOf({0x80, 0xB3, 0xA7})},
        // The converter's own substitute byte is a real character too.
        {QString(QChar(0x1A)), bytesOf({0x1A})},
        {QStringLiteral("漢") + QChar(0x1A), bytesOf({'?', 0x1A})},
        {QString(), QByteArray()},
    };
    for (const Case &c : cases) {
        const EncodedText encoded = toCp1250(c.text);
        ASSERT_TRUE(encoded.ok);
        EXPECT_EQ(encoded.bytes.toHex(' '), c.expected.toHex(' ')) << c.text.toStdString();
    }
}

TEST(Cp1250, EveryByteReadsAsOneCharacterAndWritesBackUnchanged)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const DecodedText decoded = fromCp1250(all);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.text.size(), 256);
    EXPECT_EQ(toCp1250(decoded.text).bytes, all);
}
