// `vardex upload` against the demo site's units, simulated in-process on
// the site's link.
#include "CliRun.h"

#include <QFileInfo>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;
using testing::CmdResult;

const QString kWarning = u"vardex upload: POZOR!\nChyby při nastavení jednotek\n"_s;

class UploadCommand : public ::testing::Test
{
protected:
    void SetUp() override { waiting = testing::startDemoSite(site, simulator).events.size(); }

    CmdResult run(const QStringList &args)
    {
        return testing::runVardex(QStringList{u"upload"_s} + args, site);
    }

    testing::TempDir dir;
    QString site = dir.file(u"site"_s);
    qsizetype waiting = 0;
    FixedClock clock{QDateTime(QDate(2027, 1, 5), QTime(8, 0))};
    sim::Kvr8Simulator simulator{clock};
};

TEST_F(UploadCommand, StatisticsCheckAndAnUploadStoppedOrRunToItsEnd)
{
    const qint64 archived = testing::SiteTables(site).db.tbEvents.recordCount();
    CmdResult r = run({u"--stats"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines().size(), 5);
    EXPECT_TRUE(r.lines()[1].startsWith(u"Klíče "_s));
    EXPECT_TRUE(r.lines()[1].contains(u" 30 "_s)) << r.out.toStdString();
    EXPECT_EQ(run({u"--stats"_s, u"--check"_s}).status, 2);

    // The demo's databases are consistent; the file is written either way.
    r = run({u"--check"_s});
    EXPECT_EQ(r.status, 0) << r.out.toStdString();
    EXPECT_EQ(r.out, u"Žádné chyby nezjištěny.\n"_s);
    const qint64 withoutOption = QFileInfo(site + u"/WKVRRTS.DAT"_s).size();
    EXPECT_GT(withoutOption, 0);
    EXPECT_EQ(withoutOption % 14, 0);
    EXPECT_EQ(run({u"--check"_s, u"--all-attendance"_s}).status, 0);
    EXPECT_GE(QFileInfo(site + u"/WKVRRTS.DAT"_s).size(), withoutOption);

    // SIGTERM: the exchange under way ends, then the warning.
    QTimer signal;
    QObject::connect(&signal, &QTimer::timeout, [&] {
        if (simulator.heard().size() >= 3) {
            signal.stop();
            std::raise(SIGTERM);
        }
    });
    signal.start(5);
    r = run({});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, kWarning);
    EXPECT_FALSE(r.out.isEmpty());

    // Without holders only the units themselves are set, quickly.
    ASSERT_TRUE(testing::SiteTables(site).db.tbKey.empty());
    r = run({});
    EXPECT_EQ(r.status, 0) << r.err.toStdString() << r.out.toStdString();
    EXPECT_EQ(r.lines().last(), u"Hotovo!"_s);
    EXPECT_TRUE(r.out.contains(u"\nZÁMEK 01 "_s));
    EXPECT_EQ(testing::SiteTables(site).db.tbEvents.recordCount(), archived + waiting);
}

} // namespace
} // namespace vardex
