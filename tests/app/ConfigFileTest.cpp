#include "app/ConfigFile.h"
#include "app/SystemLog.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace vardex;
using vardex::testing::ScriptedFileChooser;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

} // namespace

TEST(ConfigRecord, EveryFieldSitsAtItsOffset)
{
    ConfigRecord r;
    r.homeDir = QStringLiteral("/opt/vardex/");
    r.outputDir = QStringLiteral("/opt/vardex/VÝSTUP/");
    r.databaseDir = QStringLiteral("/data");
    r.autoCollect = 'A';
    r.usageHistory = 'N';
    r.reserved[0] = 0x11;
    r.reserved[88] = 0x22;
    r.keyReaderAddress = 0xC5;
    const QByteArray b = r.toBytes();
    ASSERT_EQ(b.size(), 335);
    EXPECT_EQ(quint8(b[0]), 12);
    EXPECT_EQ(b.mid(1, 12), QByteArray("/opt/vardex/"));
    EXPECT_EQ(quint8(b[81]), 19);
    EXPECT_EQ(quint8(b[81 + 1 + 12]), 0x56); // 'V'
    EXPECT_EQ(quint8(b[81 + 1 + 13]), 0xDD); // 'Ý' in cp1250
    EXPECT_EQ(quint8(b[162]), 5);
    EXPECT_EQ(b.mid(163, 5), QByteArray("/data"));
    EXPECT_EQ(b[243], 'A');
    EXPECT_EQ(b[244], 'N');
    EXPECT_EQ(quint8(b[245]), 0x11);
    EXPECT_EQ(quint8(b[333]), 0x22);
    EXPECT_EQ(quint8(b[334]), 0xC5);

    const auto back = ConfigRecord::fromBytes(b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->outputDir, r.outputDir);
    EXPECT_EQ(back->reserved, r.reserved);
    EXPECT_EQ(back->toBytes(), b);
}

TEST(ConfigRecord, DamagedLengthBytesNeverReadPastTheField)
{
    ConfigRecord r;
    r.homeDir = QString(80, QLatin1Char('x'));
    QByteArray b = r.toBytes();
    b[0] = char(250);
    const auto back = ConfigRecord::fromBytes(b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->homeDir, r.homeDir);
    EXPECT_FALSE(ConfigRecord::fromBytes(b.left(334)));
}

TEST(ConfigFile, FirstStartCreatesTheFileAndTheOutputDirectoryOnce)
{
    TempDir dir;
    const QString home = dir.path() + QLatin1Char('/');
    ScriptedMessages messages;
    const Result<ConfigRecord> load = loadOrCreateConfig(home, messages);
    ASSERT_TRUE(load) << load.error().toStdString();
    EXPECT_EQ(load->outputDir, home + QStringLiteral("VYSTUP/"));
    EXPECT_EQ(load->databaseDir, home);
    EXPECT_TRUE(QDir(home + QStringLiteral("VYSTUP")).exists());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Vytvořen adresář \r\n") + home +
                                            QStringLiteral("VYSTUP/")});
    const QByteArray bytes = readAll(home + QStringLiteral("WKVRCFG.DBF"));
    ASSERT_EQ(bytes.size(), 335);
    EXPECT_EQ(bytes[243], 'N');
    EXPECT_EQ(bytes.mid(245, 90), QByteArray(90, '\0'));
}

// A home deeper than the record's 80 characters: the file goes into the home
// itself (not into its name cut short), and the next start gets the whole
// directories back.
TEST(ConfigFile, AHomeDeeperThanTheRecordKeepsItsWholePaths)
{
    TempDir dir;
    const QString home = dir.file(QString(90, QLatin1Char('d'))) + QLatin1Char('/');
    ASSERT_TRUE(QDir().mkpath(home));
    ScriptedMessages messages;
    ASSERT_TRUE(loadOrCreateConfig(home, messages));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QString(90, QLatin1Char('d'))});
    EXPECT_EQ(QDir(home).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("VYSTUP"), QStringLiteral("WKVRCFG.DBF")}));
    EXPECT_EQ(quint8(readAll(home + QStringLiteral("WKVRCFG.DBF"))[0]), 80);

    const Result<ConfigRecord> again = loadOrCreateConfig(home, messages);
    ASSERT_TRUE(again) << again.error().toStdString();
    EXPECT_EQ(again->homeDir, home);
    EXPECT_EQ(again->outputDir, home + QStringLiteral("VYSTUP/"));
    EXPECT_EQ(again->databaseDir, home);
}

TEST(ConfigFile, ALaterStartReadsTheStoredRecordAndKeepsItAtTheHomeUsed)
{
    TempDir dir;
    ConfigRecord old = ConfigRecord::defaults(QStringLiteral("/old/place/"));
    old.keyReaderAddress = 7;
    QFile f(dir.file(QStringLiteral("WKVRCFG.DBF")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(old.toBytes());
    f.close();

    ScriptedMessages messages;
    const QString home = dir.path() + QLatin1Char('/');
    const Result<ConfigRecord> load = loadOrCreateConfig(home, messages);
    ASSERT_TRUE(load);
    EXPECT_EQ(load->homeDir, home);
    EXPECT_EQ(load->outputDir, QStringLiteral("/old/place/VYSTUP/"));
    EXPECT_EQ(load->keyReaderAddress, 7);
    EXPECT_TRUE(messages.shown().isEmpty());
    ASSERT_TRUE(writeConfig(*load));
    EXPECT_EQ(readAll(f.fileName()), load->toBytes());
}

TEST(ConfigFile, OnlyAFileShorterThanTheRecordIsDamaged)
{
    ConfigRecord stored = ConfigRecord::defaults(QStringLiteral("/x/"));
    stored.keyReaderAddress = 0x42;
    for (const QByteArray &bytes : {stored.toBytes().left(100), stored.toBytes(),
                                    stored.toBytes() + QByteArray("\r\n\x1a")}) {
        TempDir dir;
        QFile f(dir.file(QStringLiteral("WKVRCFG.DBF")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        ScriptedMessages messages;
        const Result<ConfigRecord> load =
            loadOrCreateConfig(dir.path() + QLatin1Char('/'), messages);
        EXPECT_EQ(bool(load), bytes.size() >= 335) << bytes.size();
        if (load)
            EXPECT_EQ(load->keyReaderAddress, 0x42);
        else
            EXPECT_TRUE(load.error().contains(QStringLiteral("WKVRCFG.DBF")))
                << load.error().toStdString();
    }
}

// A mistyped home is refused, not created; one the record's code page cannot
// name is refused, not stored with "?".
TEST(ConfigFile, AHomeThatIsMissingOrOutsideTheCodePageIsRefused)
{
    TempDir dir;
    const QString foreign = dir.file(QStringLiteral("Ёлка")) + QLatin1Char('/');
    ASSERT_TRUE(QDir().mkpath(foreign));
    const struct
    {
        QString home;
        QString reason;
    } cases[] = {
        {dir.file(QStringLiteral("chybi")) + QLatin1Char('/'), QStringLiteral("neexistuje")},
        {foreign, QStringLiteral("cp1250")},
    };
    for (const auto &c : cases) {
        ScriptedMessages messages;
        const Result<ConfigRecord> load = loadOrCreateConfig(c.home, messages);
        ASSERT_FALSE(load) << c.home.toStdString();
        EXPECT_TRUE(load.error().contains(c.home) && load.error().contains(c.reason))
            << load.error().toStdString();
        EXPECT_TRUE(messages.shown().isEmpty());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Ёлка")});
    EXPECT_TRUE(QDir(foreign).isEmpty());
}

TEST(ConfigFile, DirectoryTestSaysWhatHappened)
{
    TempDir dir;
    QFile blocker(dir.file(QStringLiteral("soubor")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    struct Case
    {
        QString dir;
        bool ok;
        QString message;
    } cases[] = {
        {dir.path(), true, {}},
        {dir.file(QStringLiteral("novy/vnoreny")), true,
         QStringLiteral("Vytvořen adresář \r\n") + dir.file(QStringLiteral("novy/vnoreny"))},
        {dir.file(QStringLiteral("soubor/pod")), false,
         QStringLiteral("Nemohu vytvořit adresář \r\n") + dir.file(QStringLiteral("soubor/pod"))},
        {QString(), false, QStringLiteral("Nemohu vytvořit adresář \r\n")},
    };
    const QString cwd = QDir::currentPath();
    for (const Case &c : cases) {
        ScriptedMessages messages;
        EXPECT_EQ(directoryTest(c.dir, messages), c.ok) << c.dir.toStdString();
        EXPECT_EQ(messages.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(QDir::currentPath(), cwd);
    }
}

TEST(SystemLog, SavesLinesAsCp1250WithCrLfAndNothingWhenCancelled)
{
    TempDir dir;
    SystemLog log;
    log.WriteLog(QStringLiteral("Hledaný klíč 01 16.03. 08:15"));
    log.WriteLog(QStringLiteral("Druhý"));
    ScriptedMessages messages;
    ScriptedFileChooser files;
    files.choose(std::nullopt).choose(dir.file(QStringLiteral("protokol")));
    EXPECT_FALSE(log.save(files, messages));
    EXPECT_TRUE(log.save(files, messages));
    ASSERT_EQ(files.saveRequests().size(), 2);
    EXPECT_EQ(files.saveRequests()[0].title, QStringLiteral("Určete jméno"));
    EXPECT_EQ(files.saveRequests()[0].initialName, QStringLiteral("protokol.txt"));
    EXPECT_TRUE(files.saveRequests()[0].promptOverwrite);
    EXPECT_EQ(readAll(dir.file(QStringLiteral("protokol.TXT"))),
              QByteArray("Hledan\xFD kl\xED\xE8 01 16.03. 08:15\r\nDruh\xFD\r\n"));

    log.clear();
    files.choose(dir.file(QStringLiteral("prazdny.txt")));
    EXPECT_TRUE(log.save(files, messages));
    EXPECT_TRUE(readAll(dir.file(QStringLiteral("prazdny.txt"))).isEmpty());
}
