#include "text/Cp1250.h"

#include <gtest/gtest.h>

using namespace vardex;

TEST(Cp1250, EveryCzechLetterHasItsCodePageByteAndReadsBack)
{
    const QString letters = QStringLiteral("áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ");
    const QByteArray bytes = QByteArray::fromHex("e1e8efe9ecedf2f3f89a9dfaf9fd9e"
                                                 "c1c8cfc9cccdd2d3d88a8ddad9dd8e");
    Cp1250Codec codec;
    ASSERT_TRUE(codec.isValid()) << Cp1250Codec::unavailableMessage().toStdString();
    const EncodedText encoded = codec.encode(letters);
    ASSERT_TRUE(encoded.ok);
    EXPECT_EQ(encoded.bytes.toHex(' '), bytes.toHex(' '));
    EXPECT_EQ(codec.decode(bytes).text, letters);
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    const std::pair<QString, QByteArray> cases[] = {
        // A surrogate pair is one character and so one "?".
        {QString::fromUtf8("x\xF0\x9F\x98\x80y"), "x?y"},
        {QStringLiteral("漢čŽ字"), "?\xE8\x8E?"},
        {QStringLiteral("a") + QChar(0xD800) + QStringLiteral("č"), "a?\xE8"},
        // In the code page although not Czech: kept, not replaced.
        {QStringLiteral("€ł§"), "\x80\xB3\xA7"},
        // The converter's own substitute byte is a real character too.
        {QString(QChar(0x1A)), "\x1A"},
        {QStringLiteral("漢") + QChar(0x1A), "?\x1A"},
        {QString(), QByteArray()},
    };
    for (const auto &[text, expected] : cases) {
        const EncodedText encoded = toCp1250(text);
        ASSERT_TRUE(encoded.ok);
        EXPECT_EQ(encoded.bytes.toHex(' '), expected.toHex(' ')) << text.toStdString();
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
