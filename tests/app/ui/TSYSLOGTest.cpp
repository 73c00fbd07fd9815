#include "app/ui/TSYSLOG.h"
#include "app/SystemLog.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace vardex;
using vardex::testing::runDriven;
using vardex::testing::ScriptedFileChooser;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

// Saving itself is the log's, tested with it.
TEST(TSYSLOG, LinesShowInOrderAndSmazatThenUlozitWritesAnEmptyFile)
{
    TempDir dir;
    SystemLog log;
    ScriptedFileChooser files;
    ScriptedMessages messages;
    TSYSLOG window(log, files, messages);
    log.WriteLog(QStringLiteral("klíč 0001 dveře 1"));
    log.WriteLog(QStringLiteral("klíč 0002 dveře 2"));
    EXPECT_EQ(window.textArea()->toPlainText(), "klíč 0001 dveře 1\nklíč 0002 dveře 2");

    window.clearButton()->click();
    EXPECT_TRUE(window.textArea()->toPlainText().isEmpty());
    files.choose(dir.file(QStringLiteral("protokol.txt")));
    window.saveButton()->click();
    const QFileInfo saved(dir.file(QStringLiteral("protokol.txt")));
    EXPECT_TRUE(saved.exists());
    EXPECT_EQ(saved.size(), 0);
}

TEST(TSYSLOG, AnAlarmWhileTheLogIsUpDoesNotNestAndZavritHides)
{
    SystemLog log;
    ScriptedFileChooser files;
    ScriptedMessages messages;
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
                      // Enter in the log presses no button.
                      vardex::testing::pressKey(window.textArea(), Qt::Key_Return);
                      EXPECT_TRUE(window.isVisible());
                      window.closeButton()->click();
                  });
        EXPECT_TRUE(nestedReturned);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.textArea()->toPlainText(), "první\ndruhý");
    }
    EXPECT_FALSE(log.showModal); // the window is gone, the log no longer calls it
}
