#include "text/LineFile.h"

#include "support/TempDir.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace vardex;
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

TEST(LineFile, ReadsCrLfAndBareLfLines)
{
    struct Case
    {
        const char *name;
        QByteArray raw;
        QStringList expected;
    } cases[] = {
        {"crlf", "Po\r\n\xDAter\xFD\r\n", {QStringLiteral("Po"), QStringLiteral("Úterý")}},
        {"lf", "a\nb\n", {QStringLiteral("a"), QStringLiteral("b")}},
        {"mixed, no final end", "a\r\nb\nc", {"a", "b", "c"}},
        {"empty lines kept", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"only a line end", "\r\n", {""}},
        {"empty file", "", {}},
        {"cr inside a line stays", "a\rb\r\n", {QStringLiteral("a\rb")}},
        {"double cr", "a\r\r\n", {QStringLiteral("a\r")}},
    };
    TempDir dir;
    for (const Case &c : cases) {
        const QString path = dir.file(QStringLiteral("in.txt"));
        putRaw(path, c.raw);
        const LinesRead read = readLines(path);
        ASSERT_TRUE(read.ok) << c.name;
        EXPECT_EQ(read.lines, c.expected) << c.name;
    }
}

TEST(LineFile, FailuresAreReportedWithThePath)
{
    TempDir dir;
    const QString missing = dir.file(QStringLiteral("SVATKY.INI"));
    const LinesRead read = readLines(missing);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, QStringLiteral("Soubor nelze otevřít: ") + missing);

    const QString noDir = dir.file(QStringLiteral("nic/KLICE.SDF"));
    const FileWritten written = writeLineFile(noDir, {QStringLiteral("a")});
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.error, QStringLiteral("Soubor nelze otevřít: ") + noDir);
    EXPECT_FALSE(QFileInfo::exists(noDir));
}

TEST(LineFile, FullDeviceGivesWriteErrorAndStaysFailed)
{
    const QString full = QStringLiteral("/dev/full");
    if (!QFileInfo::exists(full))
        GTEST_SKIP() << "no /dev/full here";
    LineFileWriter writer;
    ASSERT_TRUE(writer.open(full, LineFileWriter::Mode::Create));
    writer.writeLines(QStringList(64, QString(1000, u'x')));
    EXPECT_FALSE(writer.close());
    EXPECT_EQ(writer.errorString(), QStringLiteral("Chyba zápisu do souboru: /dev/full"));
    EXPECT_FALSE(writer.writeLine(QStringLiteral("a")));
}
