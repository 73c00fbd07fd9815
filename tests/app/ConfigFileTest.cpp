#include "app/ConfigFile.h"
#include "app/SystemLog.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace vardex;
using namespace Qt::StringLiterals;
using vardex::testing::fileBytes;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

// The record `bytes` in `dir`, loaded as the configuration of that home.
Result<ConfigRecord> loadFrom(const TempDir &dir, const QByteArray &bytes,
                              ScriptedMessages &messages)
{
    QFile f(dir.file(u"WKVRCFG.DBF"_s));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    f.close();
    return loadOrCreateConfig(dir.path() + u'/', messages);
}

} // namespace

TEST(ConfigRecord, EveryFieldSitsAtItsOffset)
{
    ConfigRecord r;
    r.homeDir = u"/opt/vardex/"_s;
    r.outputDir = u"/opt/vardex/VÝSTUP/"_s;
    r.databaseDir = u"/data"_s;
    r.autoCollect = 'A';
    r.usageHistory = 'N';
    r.reserved[0] = 0x11;
    r.reserved[88] = 0x22;
    r.keyReaderAddress = 0xC5;
    const QByteArray b = r.toBytes();
    ASSERT_EQ(b.size(), 335);
    // Each path has its length first, then 80 bytes of cp1250 ('Ý' is DD).
    EXPECT_EQ(b.left(14), QByteArray("\x0c/opt/vardex/\0", 14));
    EXPECT_EQ(b.mid(81, 21), QByteArray("\x13/opt/vardex/V\xddSTUP/\0", 21));
    EXPECT_EQ(b.mid(162, 7), QByteArray("\x05/data\0", 7));
    EXPECT_EQ(b.mid(243, 3), "AN\x11");
    EXPECT_EQ(b.right(2), "\x22\xc5");
    EXPECT_EQ(ConfigRecord::fromBytes(b).value_or(ConfigRecord{}).toBytes(), b);
}

TEST(ConfigRecord, DamagedLengthBytesNeverReadPastTheField)
{
    ConfigRecord r;
    r.homeDir = QString(80, u'x');
    QByteArray b = r.toBytes();
    b[0] = char(250);
    EXPECT_EQ(ConfigRecord::fromBytes(b).value_or(ConfigRecord{}).homeDir, r.homeDir);
    EXPECT_FALSE(ConfigRecord::fromBytes(b.left(334)));
}

// A first start creates the record and the output folder in the home and
// nothing beside it, also in a home deeper than the record's 80 characters:
// there the file goes into the home itself (not into its name cut short),
// and the next start gets the whole directories back.
TEST(ConfigFile, FirstStartCreatesTheFileAndTheOutputDirectoryInTheWholeHome)
{
    for (const QString &name : {u"site"_s, QString(90, u'd')}) {
        TempDir dir;
        const QString home = dir.file(name) + u'/';
        ASSERT_TRUE(QDir().mkpath(home));
        ScriptedMessages messages;
        const Result<ConfigRecord> load = loadOrCreateConfig(home, messages);
        ASSERT_TRUE(load) << load.error().toStdString();
        EXPECT_EQ(messages.texts(), QStringList{u"Vytvořen adresář \r\n"_s + home + u"VYSTUP/"_s});
        EXPECT_EQ(entries(dir.path()), QStringList{name});
        EXPECT_EQ(entries(home), (QStringList{u"VYSTUP"_s, u"WKVRCFG.DBF"_s}));
        const QByteArray file = fileBytes(home + u"WKVRCFG.DBF"_s);
        EXPECT_EQ(file, load->toBytes());
        EXPECT_EQ(quint8(file[0]), std::min(home.size(), qsizetype(80)));

        const Result<ConfigRecord> again = loadOrCreateConfig(home, messages);
        ASSERT_TRUE(again) << again.error().toStdString();
        EXPECT_EQ(again->homeDir, home);
        EXPECT_EQ(again->outputDir, home + u"VYSTUP/"_s);
        EXPECT_EQ(again->databaseDir, home);
    }
}

TEST(ConfigFile, ALaterStartReadsTheStoredRecordAndKeepsItAtTheHomeUsed)
{
    TempDir dir;
    ConfigRecord old = ConfigRecord::defaults(u"/old/place/"_s);
    old.keyReaderAddress = 7;
    ScriptedMessages messages;
    const Result<ConfigRecord> load = loadFrom(dir, old.toBytes(), messages);
    ASSERT_TRUE(load);
    EXPECT_EQ(load->homeDir, dir.path() + u'/');
    EXPECT_EQ(load->outputDir, u"/old/place/VYSTUP/"_s);
    EXPECT_EQ(load->keyReaderAddress, 7);
    EXPECT_TRUE(messages.shown().isEmpty());
    ASSERT_TRUE(writeConfig(*load));
    EXPECT_EQ(fileBytes(dir.file(u"WKVRCFG.DBF"_s)), load->toBytes());
}

TEST(ConfigFile, OnlyAFileShorterThanTheRecordIsDamaged)
{
    ConfigRecord stored = ConfigRecord::defaults(u"/x/"_s);
    stored.keyReaderAddress = 0x42;
    const QByteArray bytes = stored.toBytes();
    for (const QByteArray &file : {bytes.left(100), bytes, bytes + QByteArray("\r\n\x1a")}) {
        TempDir dir;
        ScriptedMessages messages;
        const Result<ConfigRecord> load = loadFrom(dir, file, messages);
        EXPECT_EQ(bool(load), file.size() >= 335) << file.size();
        EXPECT_TRUE(load ? load->keyReaderAddress == 0x42 : load.error().contains(u"WKVRCFG.DBF"))
            << file.size();
    }
}

// A mistyped home is refused, not created; one the record's code page cannot
// name is refused, not stored with "?".
TEST(ConfigFile, AHomeThatIsMissingOrOutsideTheCodePageIsRefused)
{
    TempDir dir;
    const QString foreign = dir.file(u"Ёлка"_s) + u'/';
    ASSERT_TRUE(QDir().mkpath(foreign));
    const std::pair<QString, QString> cases[] = {{dir.file(u"chybi"_s) + u'/', u"neexistuje"_s},
                                                 {foreign, u"cp1250"_s}};
    for (const auto &[home, reason] : cases) {
        ScriptedMessages messages;
        const Result<ConfigRecord> load = loadOrCreateConfig(home, messages);
        ASSERT_FALSE(load) << home.toStdString();
        EXPECT_TRUE(load.error().contains(home) && load.error().contains(reason))
            << load.error().toStdString();
        EXPECT_TRUE(messages.shown().isEmpty());
    }
    EXPECT_EQ(entries(dir.path()), QStringList{u"Ёлка"_s});
    EXPECT_TRUE(QDir(foreign).isEmpty());
}

TEST(SystemLog, SavesLinesAsCp1250WithCrLfAndNothingWhenCancelled)
{
    TempDir dir;
    SystemLog log;
    log.WriteLog(u"Hledaný klíč 01 16.03. 08:15"_s);
    log.WriteLog(u"Druhý"_s);
    ScriptedMessages messages;
    vardex::testing::ScriptedFileChooser files;
    files.choose(std::nullopt).choose(dir.file(u"protokol"_s));
    EXPECT_FALSE(log.save(files, messages));
    EXPECT_TRUE(log.save(files, messages));
    ASSERT_EQ(files.saveRequests().size(), 2);
    EXPECT_EQ(files.saveRequests()[0].initialName, u"protokol.txt"_s);
    EXPECT_TRUE(files.saveRequests()[0].promptOverwrite);
    EXPECT_EQ(fileBytes(dir.file(u"protokol.TXT"_s)),
              QByteArray("Hledan\xFD kl\xED\xE8 01 16.03. 08:15\r\nDruh\xFD\r\n"));

    log.clear();
    files.choose(dir.file(u"prazdny.txt"_s));
    EXPECT_TRUE(log.save(files, messages));
    EXPECT_TRUE(fileBytes(dir.file(u"prazdny.txt"_s)).isEmpty());
}
