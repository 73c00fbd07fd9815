#include "app/ui/TFrmPrgpar.h"
#include "app/ConfigFile.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

using namespace vardex;
using vardex::testing::execDriven;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

TEST(TFrmPrgpar, SwitchesAreDisabledAndShowTheirBytes)
{
    ConfigRecord record = ConfigRecord::defaults(QStringLiteral("/opt/vardex/"));
    record.autoCollect = 'A';
    ScriptedMessages messages;
    TFrmPrgpar window(record, messages);
    EXPECT_EQ(window.outputEdit()->text(), QStringLiteral("/opt/vardex/VYSTUP/"));
    EXPECT_TRUE(window.autoCollectBox()->isChecked());
    EXPECT_FALSE(window.usageHistoryBox()->isChecked());
    EXPECT_FALSE(window.autoCollectBox()->isEnabled());
    EXPECT_FALSE(window.usageHistoryBox()->isEnabled());
}

TEST(TFrmPrgpar, ConfirmWithANewDirectoryCreatesItSavesAndCloses)
{
    TempDir dir;
    ConfigRecord record = ConfigRecord::defaults(dir.path() + '/');
    ScriptedMessages messages;
    TFrmPrgpar window(record, messages);
    const QString fresh = dir.file(QStringLiteral("sestavy/"));
    const int result = execDriven(window, [&] {
        window.outputEdit()->setText(fresh);
        window.confirmButton()->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(messages.texts(), QStringList{"Vytvořen adresář \r\n" + fresh});
    EXPECT_TRUE(QFileInfo(fresh).isDir());
    QFile file(dir.file(kConfigFileName));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(ConfigRecord::fromBytes(file.readAll())->outputDir, fresh);
}

TEST(TFrmPrgpar, AnUncreatableDirectoryIsPutBackAndTheWindowStays)
{
    TempDir dir;
    QFile blocker(dir.file(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString bad = dir.file(QStringLiteral("blocker/sub/"));
    for (auto edit : {&TFrmPrgpar::outputEdit, &TFrmPrgpar::databaseEdit}) {
        ConfigRecord record = ConfigRecord::defaults(dir.path() + '/');
        record.outputDir = dir.path() + '/';
        ScriptedMessages messages;
        TFrmPrgpar window(record, messages);
        window.show();
        QLineEdit *field = (window.*edit)();
        const QString stored = field->text();
        field->setText(bad);
        window.confirm();
        EXPECT_EQ(messages.texts(), QStringList{"Nemohu vytvořit adresář \r\n" + bad});
        EXPECT_EQ(field->text(), stored);
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(QFileInfo::exists(dir.file(kConfigFileName)));
    }
}

TEST(TFrmPrgpar, TheCloseBoxStoresNothing)
{
    TempDir dir;
    ConfigRecord record = ConfigRecord::defaults(dir.path() + '/');
    const QByteArray before = record.toBytes();
    ScriptedMessages messages;
    TFrmPrgpar window(record, messages);
    const int result = execDriven(window, [&] {
        window.outputEdit()->setText(dir.file(QStringLiteral("jinam/")));
        window.close();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(record.toBytes(), before);
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("jinam"))));
    EXPECT_FALSE(QFileInfo::exists(dir.file(kConfigFileName)));
}

// Under a home deeper than the record's 80 characters the fields show the
// whole defaults, and confirming them makes no directory of a cut name.
TEST(TFrmPrgpar, ADeepHomeIsShownAndKeptWhole)
{
    TempDir dir;
    const QString home = dir.file(QString(90, 'd')) + '/';
    ASSERT_TRUE(QDir().mkpath(home + "VYSTUP"));
    ConfigRecord record = ConfigRecord::defaults(home);
    ScriptedMessages messages;
    TFrmPrgpar window(record, messages);
    EXPECT_EQ(window.outputEdit()->text(), home + "VYSTUP/");
    EXPECT_EQ(window.databaseEdit()->text(), home);
    const int result = execDriven(window, [&] { window.confirmButton()->click(); });
    EXPECT_EQ(result, QDialog::Accepted) << messages.texts().join('|').toStdString();
    EXPECT_EQ(QDir(home).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"VYSTUP", kConfigFileName}));
}
