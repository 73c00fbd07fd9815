#include "events/ReportFile.h"
#include "events/PrintLayout.h"
#include "text/LineFile.h"

#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::TempDir;

TEST(PrintLayout, LongLinesGoOnInTheNextPrintedLinesAndPagesHoldTheirRows)
{
    struct Case
    {
        QStringList lines;
        int columns, rows;
        QList<QStringList> pages;
    };
    const QString s = QStringLiteral("0123456789abcdefghijKLMNO");
    const Case cases[] = {
        {{s}, 10, 9, {{s.left(10), s.mid(10, 10), s.mid(20)}}},
        // Continuations count as rows; an empty line is a row too.
        {{s, {}, QStringLiteral("x")},
         10,
         2,
         {{s.left(10), s.mid(10, 10)}, {s.mid(20), {}}, {"x"}}},
        {{QStringLiteral("a\tb"), QStringLiteral("abcdefgh\tc")},
         80,
         9,
         {{QStringLiteral("a       b"), QStringLiteral("abcdefgh        c")}}},
        // Trailing spaces would only print an empty continuation.
        {{QStringLiteral("abcde     ")}, 5, 9, {{"abcde"}}},
        {{"1", "2", "3", "4", "5", "6", "7"}, 80, 3, {{"1", "2", "3"}, {"4", "5", "6"}, {"7"}}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(layoutPages(c.lines, c.columns, c.rows), c.pages)
            << c.lines.join('|').toStdString();
}

TEST(ReportFile, NoFileMeansNoDataAnEmptyOneIsEmptyAndSavesAppendWithFourEmptyLines)
{
    TempDir dir;
    const QString out = dir.path() + QDir::separator();
    const Result<QStringList> missing = readReportFile(out);
    EXPECT_EQ(missing.error(), "Žádná data pro výstup");
    EXPECT_EQ(missing.code(), NoReportData);

    ASSERT_TRUE(writeReportFile(out, {}).ok());
    EXPECT_EQ(readReportFile(out).valueOr({"x"}), QStringList());
    ASSERT_TRUE(writeReportFile(out, {QStringLiteral("Čtvrtek")}).ok());
    EXPECT_EQ(readReportFile(out).valueOr({}), QStringList{QStringLiteral("Čtvrtek")});

    const QString saved = dir.file(QStringLiteral("VYSTUP.TXT"));
    const QStringList copy = {"a", "", "b", "", "", "", ""};
    ASSERT_TRUE(saveReportText(saved, {"a", "", "b"}, SaveMode::Append).ok());
    ASSERT_TRUE(saveReportText(saved, {"a", "", "b"}, SaveMode::Append).ok());
    EXPECT_EQ(readLines(saved).lines, copy + copy);
    ASSERT_TRUE(saveReportText(saved, {"a", "", "b"}, SaveMode::Overwrite).ok());
    EXPECT_EQ(readLines(saved).lines, copy);
}
