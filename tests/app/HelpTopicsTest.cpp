#include "app/HelpTopics.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace vardex;
using vardex::testing::TempDir;

static void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

TEST(HelpTopics, APageIsFoundOnlyWhenIndexTopicAndFileExist)
{
    TempDir dir;
    const QString topic = QString::fromUtf8(kHelpStartTopic);
    EXPECT_FALSE(findHelpPage(dir.path(), topic).ok); // no index
    writeFile(dir.file(QStringLiteral("topics.txt")),
              "\xEF\xBB\xBF# rejst\xC5\x99\xC3\xADk\r\n\r\nbez rovn\xC3\xADtka\r\n=sirotek.html\r\n"
              "Postup zpracov\xC3\xA1n\xC3\xAD = postup.html\r\n");
    const HelpPage missing = findHelpPage(dir.path(), topic);
    EXPECT_TRUE(!missing.ok && missing.error.contains(QStringLiteral("postup.html")));

    writeFile(dir.file(QStringLiteral("postup.html")), "<html></html>");
    const HelpPage page = findHelpPage(dir.path(), topic);
    ASSERT_TRUE(page.ok) << page.error.toStdString();
    EXPECT_EQ(page.path, dir.file(QStringLiteral("postup.html")));
    EXPECT_EQ(parseHelpTopics(QStringLiteral("=sirotek.html\nbez\nA=\n")).size(), 0);
}

TEST(HelpTopics, TheFolderBesideTheProgramWinsOverTheFallback)
{
    TempDir exe, fallback, empty;
    writeFile(fallback.file(QStringLiteral("topics.txt")), "");
    // A "help" folder without an index is not a help folder.
    ASSERT_TRUE(QDir(exe.path()).mkdir(QStringLiteral("help")));
    EXPECT_EQ(locateHelpDir(exe.path(), fallback.path()), fallback.path());
    writeFile(exe.file(QStringLiteral("help/topics.txt")), "");
    EXPECT_EQ(locateHelpDir(exe.path(), fallback.path()), exe.file(QStringLiteral("help")));
    EXPECT_EQ(locateHelpDir(empty.path(), empty.path()), QString());
}
