#include "app/ProgramParameters.h"
#include "app/ConfigFile.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace vardex;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;
using Outcome = ParametersOutcome;

// Paths are relative to a fresh temporary directory ("@/") where "home/out"
// and a home deeper than the record's 80 characters ("DEEP") exist, and
// "blocker" is a plain file. `shown` lists the boxes: Information, Warning,
// Error.
TEST(ProgramParameters, ConfirmTestsBothDirectoriesThenWritesTheRecord)
{
    const struct
    {
        const char *home, *output, *database;
        Outcome outcome;
        const char *shown, *stored;
    } cases[] = {
        {"@/home/", "@/home/out/", "@/home/", Outcome::Saved, "", "@/home/out/"},
        {"@/home/", "@/new/vystup/", "@/home/", Outcome::Saved, "I", "@/new/vystup/"},
        {"@/home/", "@/home/out", "@/home/", Outcome::Saved, "", "@/home/out/"},
        {"@/home/", "@/blocker/x/", "@/home/", Outcome::OutputDirRejected, "W", ""},
        {"@/home/", "@/made/", "@/blocker/db", Outcome::DatabaseDirRejected, "IW", ""},
        {"@/home/", "", "@/home/", Outcome::OutputDirRejected, "W", ""},
        // A letter cp1250 lacks would come back from the file as another name.
        {"@/home/", "@/Ёлка/", "@/home/", Outcome::OutputDirRejected, "W", ""},
        // Under a deep home the default output directory is kept whole; any
        // other name the record cannot hold is refused, not cut.
        {"@/DEEP/", "@/DEEP/VYSTUP/", "@/DEEP/", Outcome::Saved, "I", "@/DEEP/VYSTUP/"},
        {"@/DEEP/", "@/DEEP/jinam/", "@/DEEP/", Outcome::OutputDirRejected, "W", ""},
        // Moved program: the record's old home is gone.
        {"@/gone/", "@/home/out/", "@/home/", Outcome::WriteFailed, "E", ""},
    };
    const QString cwd = QDir::currentPath(); // testing a directory never moves there
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.output) + " " + c.database + " home " + c.home);
        TempDir dir;
        const auto inTemp = [&](const char *text) {
            return QString::fromUtf8(text)
                .replace(QStringLiteral("@/"), dir.path() + '/')
                .replace(QStringLiteral("DEEP"), QString(80, 'd'));
        };
        ASSERT_TRUE(QDir().mkpath(dir.file(QStringLiteral("home/out"))));
        ASSERT_TRUE(QDir().mkpath(inTemp("@/DEEP")));
        ASSERT_TRUE(QFile(dir.file(QStringLiteral("blocker"))).open(QIODevice::WriteOnly));

        ConfigRecord record = ConfigRecord::defaults(inTemp(c.home));
        record.keyReaderAddress = 9;
        const ConfigRecord before = record;
        ScriptedMessages messages;
        ProgramParameters parameters(record, messages);
        EXPECT_EQ(parameters.confirm({inTemp(c.output), inTemp(c.database), true, false}),
                  c.outcome);
        QString shown;
        for (const auto &s : messages.shown())
            shown += "IWE"[int(s.kind)];
        EXPECT_EQ(shown, QString::fromLatin1(c.shown)) << messages.texts().join('|').toStdString();
        EXPECT_EQ(QDir::currentPath(), cwd);

        const QString file = record.homeDir + QLatin1String(kConfigFileName);
        if (c.outcome != Outcome::Saved) {
            // Nothing stored, neither in memory nor on disk.
            EXPECT_EQ(record.toBytes(), before.toBytes());
            EXPECT_FALSE(QFileInfo::exists(file));
            continue;
        }
        EXPECT_EQ(record.outputDir, inTemp(c.stored));
        EXPECT_TRUE(QFileInfo(record.outputDir).isDir());
        EXPECT_TRUE(record.autoCollect == 'A' && record.usageHistory == 'N');
        QFile written(file);
        EXPECT_TRUE(written.open(QIODevice::ReadOnly) && written.readAll() == record.toBytes());
    }
}

TEST(ProgramParameters, OutputDirectoryTextsEndWithASlashWhereItFits)
{
    const QString a79(79, 'a'), a80(80, 'a');
    EXPECT_EQ(ProgramParameters::outputDirText(a79), a79 + '/');
    EXPECT_EQ(ProgramParameters::outputDirText(a80), a80);
    EXPECT_EQ(ProgramParameters::outputDirText(a80 + "bbb"), a80 + "bbb/");
    EXPECT_EQ(ProgramParameters::outputDirText(QString()), QString());
}
