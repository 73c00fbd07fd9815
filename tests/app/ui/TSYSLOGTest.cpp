#include "app/ui/TSYSLOG.h"
#include "app/SystemLog.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace vardex;
using namespace vardex::testing;

// Saving itself is the log's, tested with it; here what was cleared is not
// saved.
TEST(TSYSLOG, AnAlarmWhileTheLogIsUpDoesNotNestSmazatEmptiesItAndZavritHides)
{
    TempDir dir;
    SystemLog log;
    ScriptedFileChooser files;
    ScriptedMessages messages;
    const QString saved = dir.file(QStringLiteral("protokol.txt"));
    {
        TSYSLOG window(log, files, messages);
        window.installAsShowModal();
        bool nestedReturned = false;
        log.WriteLog(QStringLiteral("první"));
        runDriven([&] { log.show(); },
                  [&] {
                      log.WriteLog(QStringLiteral("druhý"));
                      log.show(); // must come straight back
                      nestedReturned = true;
                      EXPECT_EQ(window.textArea()->toPlainText(), "první\ndruhý");
                      // Enter in the log presses no button.
                      pressKey(window.textArea(), Qt::Key_Return);
                      EXPECT_TRUE(window.isVisible());
                      window.clearButton()->click();
                      EXPECT_TRUE(window.textArea()->toPlainText().isEmpty());
                      files.choose(saved);
                      window.saveButton()->click();
                      window.closeButton()->click();
                  });
        EXPECT_TRUE(nestedReturned);
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_FALSE(log.showModal); // the window is gone, the log no longer calls it
    EXPECT_TRUE(QFileInfo::exists(saved));
    EXPECT_EQ(QFileInfo(saved).size(), 0);
}
