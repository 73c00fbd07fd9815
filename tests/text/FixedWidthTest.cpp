#include "text/FixedWidth.h"

#include <gtest/gtest.h>

using namespace vardex;

TEST(FixedWidth, FieldIsCutOrPaddedOnTheRightCountingCharacters)
{
    struct Case
    {
        const char *text;
        int width;
        const char *expected;
    } cases[] = {
        {"Novák", 8, "Novák   "},
        {"Žluťoučký kůň", 5, "Žluťo"},
        {"ČŘ", 2, "ČŘ"},
        {"", 3, "   "},
        {"abc", 0, ""},
        {"abc", -2, ""},
        // A character beyond 16 bits is one character (one "?" in the file).
        {"a\xF0\x9F\x98\x80"
         "bc",
         2, "a\xF0\x9F\x98\x80"},
        {"\xF0\x9F\x98\x80", 3, "\xF0\x9F\x98\x80  "},
    };
    for (const Case &c : cases)
        EXPECT_EQ(fitToWidth(QString::fromUtf8(c.text), c.width), QString::fromUtf8(c.expected))
            << c.text << " / " << c.width;
}

TEST(FixedWidth, KeyTableLineIs160CharactersAndTheMarkAndReadsBack)
{
    const QList<int> widths = {14, 12, 25, 12, 12, 17, 17, 17, 17, 17};
    QStringList values(widths.size());
    values[0] = QStringLiteral("01665544332211");
    values[1] = QStringLiteral("Ing.");
    values[2] = QStringLiteral("Jiří Čermák");
    values[6] = QStringLiteral("Vrátnice a sklad nářadí"); // longer than 17
    QList<FixedWidthField> fields;
    for (qsizetype i = 0; i < widths.size(); ++i)
        fields.append({values[i], widths[i]});
    const QString line = buildFixedWidthLine(fields);
    EXPECT_EQ(line.size(), 161);
    EXPECT_EQ(line.mid(14, 13), QStringLiteral("Ing.        J"));

    values[6] = QStringLiteral("Vrátnice a sklad");
    EXPECT_EQ(parseFixedWidthLine(line, widths), values);
}

TEST(FixedWidth, SplitDropsBlanksAndNeverRunsPastAShortLine)
{
    struct Case
    {
        const char *body;
        QList<int> widths;
        QStringList expected;
    } cases[] = {
        {"  ab  čd", {4, 4}, {"ab", "čd"}},  {"abcdef", {2, 2, 2}, {"ab", "cd", "ef"}},
        {"abc", {2, 4, 3}, {"ab", "c", ""}}, {"", {3, 3}, {"", ""}},
        {"abcdefgh", {2, 2}, {"ab", "cd"}},  {"  Šťáva  x", {7, 3}, {"Šťáva", "x"}},
        {"ab", {0, 2, -1}, {"", "ab", ""}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(splitFixedWidthFields(QString::fromUtf8(c.body), c.widths), c.expected) << c.body;
}

TEST(FixedWidth, LineWithoutClosingMarkOrOfAnotherLengthIsRefused)
{
    // No "#" at the end, or a body that is not the 4 characters of the
    // record: a shorter or longer line would shift every later field.
    for (const char *bad : {"", "abcd", "ab#cd", "#abcd ", "#", "abc#", "abcde#",
                            "a\xF0\x9F\x98\x80"
                            "c#"})
        EXPECT_FALSE(parseFixedWidthLine(QString::fromUtf8(bad), {2, 2})) << bad;
    EXPECT_EQ(parseFixedWidthLine(u" a#b#", {2, 2}), QStringList({"a", "#b"}));
    // A character beyond 16 bits counts as one.
    EXPECT_EQ(parseFixedWidthLine(QString::fromUtf8("a\xF0\x9F\x98\x80"
                                                    "cd#"),
                                  {2, 2}),
              QStringList({QString::fromUtf8("a\xF0\x9F\x98\x80"), "cd"}));
}
