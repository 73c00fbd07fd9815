#include "platform/FileChooser.h"

#include <gtest/gtest.h>

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
    // Name, default extension, the name chosen.
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"KLICE", "SDF", "KLICE.SDF"},
        {"KLICE.TXT", "SDF", "KLICE.TXT"},
        {"/tmp/dir.d/KLICE", "SDF", "/tmp/dir.d/KLICE.SDF"},
        {"KLICE", "", "KLICE"},
        {"", "SDF", ""},
    };
    for (const auto &[name, ext, expected] : cases)
        EXPECT_EQ(withDefaultExtension(QString::fromUtf8(name), QString::fromUtf8(ext)), expected)
            << name;
}
