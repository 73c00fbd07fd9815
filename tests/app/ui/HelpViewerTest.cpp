#include "app/ui/HelpViewer.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

using namespace vardex;
using namespace vardex::testing;

// The help shipped with the program, in the source tree.
static const QString kHelp =
    QDir::cleanPath(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../../../help");

TEST(HelpViewer, OpensTheShippedHelpAtTheStartTopicOnce)
{
    QWidget owner;
    ScriptedMessages messages;
    HelpViewer *viewer = HelpViewer::showHelp(messages, &owner, kHelp);
    ASSERT_NE(viewer, nullptr) << messages.texts().join('|').toStdString();
    EXPECT_EQ(viewer->browser()->documentTitle(), QStringLiteral("Postup zpracování"));
    EXPECT_EQ(HelpViewer::showTopic(kHelp, kHelpStartTopic, messages, &owner), viewer);
    EXPECT_TRUE(messages.shown().isEmpty());

    // Enter in a page presses no button ("Zpět" would go back).
    viewer->browser()->setSource(QUrl::fromLocalFile(kHelp + "/index.html"));
    pressKey(viewer->browser(), Qt::Key_Return);
    EXPECT_EQ(viewer->browser()->source().fileName(), QStringLiteral("index.html"));
}

TEST(HelpViewer, MissingHelpIsReportedInsteadOfAnEmptyWindow)
{
    TempDir empty;
    const QString cases[][2] = {{QString(), kHelpStartTopic},
                                {empty.path(), kHelpStartTopic},
                                {kHelp, QStringLiteral("Neexistující téma")}};
    for (const auto &[help, topic] : cases) {
        QWidget owner;
        ScriptedMessages messages;
        EXPECT_EQ(HelpViewer::showTopic(help, topic, messages, &owner), nullptr);
        ASSERT_EQ(messages.texts(ScriptedMessages::Kind::Error).size(), 1) << topic.toStdString();
        EXPECT_TRUE(messages.texts().first().startsWith("Nápověda není k dispozici: "));
        EXPECT_TRUE(owner.findChildren<HelpViewer *>().isEmpty());
    }
}
