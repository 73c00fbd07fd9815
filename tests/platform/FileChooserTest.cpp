#include "platform/FileChooser.h"
#include "platform/ConsoleMessages.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace vardex;

TEST(FileChooser, FilterPairsAreSplitAndDanglingDescriptionDropped)
{
    const auto f =
        parseFileFilter(QStringLiteral("Exportní soubor|*.SDF|Všechny soubory|*.*|Zbytek"));
    ASSERT_EQ(f.size(), 2);
    EXPECT_EQ(f[0].description, QStringLiteral("Exportní soubor"));
    EXPECT_EQ(f[0].pattern, QStringLiteral("*.SDF"));
    EXPECT_EQ(f[1].pattern, QStringLiteral("*.*"));
    EXPECT_TRUE(parseFileFilter(QString()).isEmpty());
}

TEST(FileChooser, DefaultExtensionOnlyWhenNameHasNone)
{
    struct Case
    {
        const char *name, *ext, *expected;
    } cases[] = {
        {"KLICE", "SDF", "KLICE.SDF"},
        {"KLICE.TXT", "SDF", "KLICE.TXT"},
        {"/tmp/dir.d/KLICE", "SDF", "/tmp/dir.d/KLICE.SDF"},
        {"KLICE", "", "KLICE"},
        {"", "SDF", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(withDefaultExtension(QString::fromUtf8(c.name), QString::fromUtf8(c.ext)),
                  QString::fromUtf8(c.expected))
            << c.name;
}

TEST(ConsoleMessages, QuestionsGetTheSafeAnswerUnlessToldYes)
{
    char buffer[1024] = {};
    std::FILE *out = fmemopen(buffer, sizeof buffer - 1, "w");
    ConsoleMessages m(out);
    EXPECT_EQ(m.askYesNo(QStringLiteral("Smazat stará data?")), Answer::No);
    EXPECT_EQ(m.askYesNoCancel(QStringLiteral("Uložit?")), Answer::Cancel);
    EXPECT_EQ(m.askOkCancel(QStringLiteral("Pokračovat?")), Answer::Cancel);
    m.setAssumeYes(true);
    EXPECT_EQ(m.askYesNo(QStringLiteral("Smazat stará data?")), Answer::Yes);
    EXPECT_EQ(m.askOkCancel(QStringLiteral("Pokračovat?")), Answer::Ok);
    m.error(QStringLiteral("Chybné datum"));
    std::fclose(out);
    const QString text = QString::fromUtf8(buffer);
    EXPECT_TRUE(text.contains(QStringLiteral("Smazat stará data?"))) << buffer;
    EXPECT_TRUE(text.contains(QStringLiteral("Chyba: Chybné datum"))) << buffer;
}
