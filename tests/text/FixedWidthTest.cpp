#include "text/FixedWidth.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vardex;

// Widths count characters; one beyond 16 bits is one character (one "?" in the file).
TEST(FixedWidth, FieldIsCutOrPaddedOnTheRightCountingCharacters)
{
    const std::tuple<const char *, int, const char *> cases[] = {
        {"Novák", 8, "Novák   "}, {"Žluťoučký kůň", 5, "Žluťo"},
        {"ČŘ", 2, "ČŘ"},          {"", 3, "   "},
        {"abc", 0, ""},           {"abc", -2, ""},
        {"a😀bc", 2, "a😀"},        {"😀", 3, "😀  "},
    };
    for (const auto &[text, width, expected] : cases)
        EXPECT_EQ(fitToWidth(QString::fromUtf8(text), width), QString::fromUtf8(expected))
            << text << " / " << width;
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
    const std::tuple<const char *, QList<int>, QStringList> cases[] = {
        {"  ab  čd", {4, 4}, {"ab", "čd"}},  {"abcdef", {2, 2, 2}, {"ab", "cd", "ef"}},
        {"abc", {2, 4, 3}, {"ab", "c", ""}}, {"", {3, 3}, {"", ""}},
        {"abcdefgh", {2, 2}, {"ab", "cd"}},  {"  Šťáva  x", {7, 3}, {"Šťáva", "x"}},
        {"ab", {0, 2, -1}, {"", "ab", ""}},
    };
    for (const auto &[body, widths, expected] : cases)
        EXPECT_EQ(splitFixedWidthFields(QString::fromUtf8(body), widths), expected) << body;
}

// No "#" at the end, or a body that is not the 4 characters of the record: a shorter or
// longer line would shift every later field. A character beyond 16 bits counts as one.
TEST(FixedWidth, LineWithoutClosingMarkOrOfAnotherLengthIsRefused)
{
    for (const char *bad : {"", "abcd", "ab#cd", "#abcd ", "#", "abc#", "abcde#", "a😀c#"})
        EXPECT_FALSE(parseFixedWidthLine(QString::fromUtf8(bad), {2, 2})) << bad;
    EXPECT_EQ(parseFixedWidthLine(u" a#b#", {2, 2}), QStringList({"a", "#b"}));
    EXPECT_EQ(parseFixedWidthLine(QStringLiteral("a😀cd#"), {2, 2}),
              QStringList({QStringLiteral("a😀"), "cd"}));
}
