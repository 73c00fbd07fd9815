#include "CliRun.h"
#include "events/ReportFile.h"

#include <QFile>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace vardex;
using namespace Qt::StringLiterals;
using vardex::testing::CmdResult;
using vardex::testing::fileBytes;
using vardex::testing::runProgram;
using vardex::testing::runVardex;
using vardex::testing::TempDir;

namespace {

const QStringList kReport = {u"Přehled událostí za prosinec"_s, QString(), u"Žluťoučký kůň"_s};

} // namespace

// Without a report there is nothing to show; with one, the text is printed
// and saved as the output window saves it, an existing file kept unless a
// flag says what to do with it.
TEST(ReportCommand, PrintsAndSavesTheReportAndKeepsAnExistingFileUnlessTold)
{
    TempDir dir;
    CmdResult r = runVardex({u"report"_s}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(u"Žádná data pro výstup"_s)) << r.err.toStdString();
    ASSERT_TRUE(writeReportFile(dir.file(u"VYSTUP/"_s), kReport));

    r = runVardex({u"report"_s}, dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kReport.join(u'\n') + u'\n');

    const QString saved = dir.file(u"VYSTUP.TXT"_s);
    const QByteArray once = fileBytes(dir.file(u"VYSTUP/WKVR.RTF"_s)) + "\r\n\r\n\r\n\r\n";
    // Flags after --save FILE, status, the file afterwards.
    const std::tuple<QStringList, int, QByteArray> cases[] = {
        {{}, 0, once},
        {{}, 1, once},
        {{u"--append"_s}, 0, once + once},
        {{u"--overwrite"_s}, 0, once},
    };
    for (const auto &[flags, status, content] : cases) {
        SCOPED_TRACE(flags.join(u' ').toStdString());
        r = runVardex(QStringList{u"report"_s, u"--save"_s, saved} + flags, dir.path());
        EXPECT_EQ(r.status, status) << r.err.toStdString();
        EXPECT_EQ(fileBytes(saved), content);
    }
    EXPECT_TRUE(once.startsWith("P\xf8\x65hled")); // cp1250, CR LF
}

// For the monthly mail from cron: the program itself, without a display,
// draws the report into a PDF whose text is the report's.
TEST(ReportCommand, DrawsTheReportIntoAPdfWithoutADisplay)
{
    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    TempDir dir;
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << u"%1 Dvořák Petr příchod 07:%2"_s.arg(i, 3).arg(i % 60, 2, 10, QLatin1Char('0'));
    ASSERT_EQ(runVardex({u"report"_s}, dir.path()).status, 1); // makes the output folder
    ASSERT_TRUE(writeReportFile(dir.file(u"VYSTUP/"_s), lines));
    const QString pdf = dir.file(u"sestava.pdf"_s);
    const CmdResult r = runProgram({u"--home"_s, dir.path(), u"report"_s, u"--pdf"_s, pdf,
                                    u"--font"_s, u"DejaVu Sans Mono,10"_s},
                                   dir.path());
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const int pages = r.out.section(u"stran: "_s, 1).trimmed().toInt();
    EXPECT_GE(pages, 2);

    QProcess text;
    text.start(pdftotext, {u"-layout"_s, pdf, u"-"_s});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString drawn = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_EQ(drawn.count(u'\f'), pages);
    for (const QString &line : {lines.first(), lines.last()})
        EXPECT_TRUE(drawn.contains(line.trimmed())) << line.toStdString();
}
