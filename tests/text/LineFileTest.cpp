#include "text/LineFile.h"

#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <tuple>

using namespace vardex;
using vardex::testing::FileSizeLimit;
using vardex::testing::TempDir;

namespace {

QByteArray rawContent(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void putRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace

TEST(LineFile, WritesCp1250LinesEndedByCrLfAndAppends)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("WKVR.RTF"));
    const FileWritten first =
        writeLineFile(path, {QStringLiteral("Čtvrtek"), QString(), QStringLiteral("漢 kůň")});
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    EXPECT_EQ(rawContent(path), QByteArray("\xC8tvrtek\r\n\r\n? k\xF9\xF2\r\n"));
    ASSERT_TRUE(appendLineFile(path, {QStringLiteral("Žena")}).ok);
    EXPECT_EQ(rawContent(path), QByteArray("\xC8tvrtek\r\n\r\n? k\xF9\xF2\r\n\x8E"
                                           "ena\r\n"));
    // Writing anew empties the file first.
    ASSERT_TRUE(writeLineFile(path, {QStringLiteral("x")}).ok);
    EXPECT_EQ(rawContent(path), QByteArray("x\r\n"));
}

// What today's editors save is UTF-8, with or without the byte order mark; cp1250 text is
// practically never valid UTF-8.
TEST(LineFile, ReadsCrLfAndBareLfLinesInCp1250OrUtf8)
{
    const std::tuple<const char *, QByteArray, QStringList> cases[] = {
        {"crlf", "Po\r\n\xDAter\xFD\r\n", {"Po", "Úterý"}},
        {"lf", "a\nb\n", {"a", "b"}},
        {"mixed, no final end", "a\r\nb\nc", {"a", "b", "c"}},
        {"empty lines kept", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"only a line end", "\r\n", {""}},
        {"empty file", "", {}},
        {"cr inside a line stays", "a\rb\r\n", {"a\rb"}},
        {"double cr", "a\r\r\n", {"a\r"}},
        {"utf-8 with mark", "\xEF\xBB\xBFNov\xC3\xA1k\r\n", {"Novák"}},
        {"utf-8 without mark", "Novák\nŽena", {"Novák", "Žena"}},
        {"mark on plain ascii", "\uFEFFab", {"ab"}},
        {"decomposed utf-8 composed", "Nova\xCC\x81k", {"Novák"}},
        {"cp1250 stays cp1250", "Nov\xE1k \xC3\xA1", {"Novák Ăˇ"}},
        {"cut utf-8 sequence at the end is cp1250", "Nov\xC3", {"NovĂ"}},
    };
    TempDir dir;
    const QString path = dir.file(QStringLiteral("in.txt"));
    for (const auto &[name, raw, expected] : cases) {
        putRaw(path, raw);
        const LinesRead read = readLines(path);
        ASSERT_TRUE(read.ok) << name;
        EXPECT_EQ(read.lines, expected) << name;
    }
}

TEST(LineFile, FailuresAreReportedWithThePathAndLeaveThePreviousFileWhole)
{
    TempDir dir;
    const QString missing = dir.file(QStringLiteral("SVATKY.INI"));
    const LinesRead read = readLines(missing);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, QStringLiteral("Soubor nelze otevřít: ") + missing);
    const QString noDir = dir.file(QStringLiteral("nic/KLICE.SDF"));
    const FileWritten notWritten = writeLineFile(noDir, {QStringLiteral("a")});
    EXPECT_FALSE(notWritten.ok);
    EXPECT_EQ(notWritten.error, QStringLiteral("Soubor nelze otevřít: ") + noDir);
    EXPECT_FALSE(QFileInfo::exists(noDir));

    // A full disk.
    const QString path = dir.file(QStringLiteral("KLICE.SDF"));
    const QStringList big(64, QString(1000, u'x'));
    for (auto write : {&writeLineFile, &appendLineFile}) {
        putRaw(path, "stará data\r\n");
        FileWritten written;
        {
            FileSizeLimit limit(4096);
            ASSERT_TRUE(limit.isSet());
            written = write(path, big);
        }
        EXPECT_FALSE(written.ok);
        EXPECT_EQ(written.error, QStringLiteral("Chyba zápisu do souboru: ") + path);
        EXPECT_EQ(rawContent(path), QByteArray("stará data\r\n"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"KLICE.SDF"})
            << "no temporary file left behind";
    }
}
