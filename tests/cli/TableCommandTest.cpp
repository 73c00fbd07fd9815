#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace vardex;
using namespace Qt::StringLiterals;
using vardex::testing::addEvent;
using vardex::testing::CmdResult;
using vardex::testing::fileBytes;
using vardex::testing::runVardex;
using vardex::testing::SiteTables;
using vardex::testing::TempDir;

// The administrator's backup: every table of a site written out, read into
// an empty site with --replace and written out again comes back byte for
// byte.
TEST(TableCommand, EveryTableOfASiteComesBackWholeThroughItsTextFile)
{
    TempDir root;
    const QString site = root.file(u"site"_s), copy = root.file(u"copy"_s);
    ASSERT_EQ(runVardex({u"demo-site"_s, site}, root.path()).status, 0);
    ASSERT_TRUE(QDir().mkpath(copy));
    qint64 events = 0; // the demo site's month of attendance and three more
    {
        SiteTables tables(site);
        for (const QString &res : {u"10"_s, u"38"_s, u"81"_s})
            addEvent(tables.db.tbEvents, QDate(2026, 12, 1), res);
        events = tables.db.tbEvents.recordCount();
    }
    const CmdResult list = runVardex({u"table"_s, u"list"_s}, site);
    ASSERT_EQ(list.status, 0) << list.err.toStdString();
    const QStringList lines = list.lines();
    EXPECT_EQ(lines.size(), 18);
    for (const QString &counted :
         {u"WKVRKEY 30"_s, u"EVENTS "_s + QString::number(events), u"WKVRDCH 3"_s})
        EXPECT_TRUE(lines.contains(counted)) << counted.toStdString();

    for (const QString &line : lines) {
        const QString base = line.section(u' ', 0, 0);
        SCOPED_TRACE(base.toStdString());
        const QString first = root.file(base + u".1"_s), second = root.file(base + u".2"_s);
        EXPECT_EQ(runVardex({u"table"_s, u"export"_s, base, first}, site).status, 0);
        const CmdResult in =
            runVardex({u"table"_s, u"import"_s, base, first, u"--replace"_s}, copy);
        EXPECT_EQ(in.status, 0) << in.err.toStdString();
        EXPECT_EQ(runVardex({u"table"_s, u"export"_s, base, second}, copy).status, 0);
        EXPECT_TRUE(QFile::exists(first) && QFile::exists(second));
        EXPECT_EQ(fileBytes(first), fileBytes(second));
        EXPECT_EQ(fileBytes(first).count("#\r\n"), line.section(u' ', 1).toInt());
    }
    const CmdResult unknown =
        runVardex({u"table"_s, u"export"_s, u"NIC"_s, root.file(u"nic"_s)}, site);
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(unknown.err.contains(u"neznámá tabulka NIC"_s)) << unknown.err.toStdString();
}
