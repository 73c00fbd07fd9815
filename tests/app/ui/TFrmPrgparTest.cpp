#include "app/ui/TFrmPrgpar.h"
#include "app/ConfigFile.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

using namespace vardex;
using namespace vardex::testing;

// Confirming creates the new output directory and saves the record; the
// close box stores and creates nothing.
TEST(TFrmPrgpar, ConfirmCreatesANewDirectoryAndSavesAndTheCloseBoxDoesNothing)
{
    for (const bool confirm : {true, false}) {
        SCOPED_TRACE(confirm ? "confirm" : "close box");
        TempDir dir;
        ConfigRecord record = ConfigRecord::defaults(dir.path() + '/');
        const QByteArray before = record.toBytes();
        ScriptedMessages messages;
        TFrmPrgpar window(record, messages);
        const QString fresh = dir.file(QStringLiteral("sestavy/"));
        const int result = execDriven(window, [&] {
            window.outputEdit()->setText(fresh);
            confirm ? window.confirmButton()->click() : void(window.close());
        });
        EXPECT_EQ(result, confirm ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(QFileInfo(fresh).isDir(), confirm);
        QFile file(dir.file(kConfigFileName));
        EXPECT_EQ(file.open(QIODevice::ReadOnly), confirm);
        if (confirm) {
            EXPECT_EQ(messages.texts(), QStringList{"Vytvořen adresář \r\n" + fresh});
            EXPECT_EQ(ConfigRecord::fromBytes(file.readAll())->outputDir, fresh);
        } else {
            EXPECT_EQ(record.toBytes(), before);
        }
    }
}

TEST(TFrmPrgpar, AnUncreatableDirectoryIsPutBackAndTheWindowStays)
{
    TempDir dir;
    ASSERT_TRUE(QFile(dir.file(QStringLiteral("blocker"))).open(QIODevice::WriteOnly));
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

// Under a home deeper than the record's 80 characters the fields show the
// whole defaults, and confirming them makes no directory of a cut name.
TEST(TFrmPrgpar, ADeepHomeIsShownAndKeptWhole)
{
    TempDir dir;
    ScriptedMessages messages;
    const QString home = dir.file(QString(90, 'd')) + '/';
    ASSERT_TRUE(QDir().mkpath(home + "VYSTUP"));
    ConfigRecord record = ConfigRecord::defaults(home);
    TFrmPrgpar window(record, messages);
    EXPECT_EQ(window.outputEdit()->text(), home + "VYSTUP/");
    EXPECT_EQ(window.databaseEdit()->text(), home);
    const int result = execDriven(window, [&] { window.confirmButton()->click(); });
    EXPECT_EQ(result, QDialog::Accepted) << messages.texts().join('|').toStdString();
    EXPECT_EQ(QDir(home).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"VYSTUP", kConfigFileName}));
}
