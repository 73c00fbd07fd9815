// `vardex demo-site` and `vardex collect` against the demo site's units,
// simulated in-process on the site's link.
#include "CliRun.h"
#include "text/KeyNumber.h"

#include <QFile>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace vardex;
using namespace Qt::StringLiterals;
using vardex::testing::CmdResult;
using vardex::testing::SiteTables;

namespace {

const QString kNow = u"2027-01-01 08:00:00"_s;

class DemoSiteOnTheSimulator : public ::testing::Test
{
protected:
    void SetUp() override
    {
        waiting = vardex::testing::startDemoSite(site, simulator).events.size();
        archived = SiteTables(site).db.tbEvents.recordCount();
    }

    // A run with the clock fixed.
    CmdResult run(const QStringList &args)
    {
        return vardex::testing::runVardex(QStringList{u"--now"_s, kNow} + args, site);
    }
    // Events collected: the demo site comes with a month of attendance.
    qint64 storedEvents() { return SiteTables(site).db.tbEvents.recordCount() - archived; }

    vardex::testing::TempDir dir;
    QString site = dir.file(u"site"_s);
    qsizetype waiting = 0;
    qint64 archived = 0;
    FixedClock clock{QDateTime::fromString(kNow, u"yyyy-MM-dd hh:mm:ss"_s)};
    sim::Kvr8Simulator simulator{clock};
};

TEST_F(DemoSiteOnTheSimulator, SiteIsConsistentWithItsSimulator)
{
    // Every window that keeps the holders is open on the demo site.
    const QStringList status = run({u"status"_s}).lines();
    EXPECT_TRUE(status.contains(u"DatabazeKlicu 1"_s) && status.contains(u"SberDat 1"_s));
    // A second site is not written over the first.
    EXPECT_EQ(vardex::testing::runVardex({u"demo-site"_s, site}, dir.path()).status, 1);

    // -C and --home given relative to where the command is typed.
    const CmdResult relative = vardex::testing::runProgram(
        {u"-C"_s, u"site"_s, u"--home"_s, u"site"_s, u"units"_s}, dir.path());
    EXPECT_EQ(relative.lines().size(), 5) << relative.err.toStdString();
    // Attendance and presence have data to work on: an active attendance
    // unit and an outer entrance; the start window has its pictures.
    SiteTables tables(site);
    EXPECT_TRUE(tables.db.tbUniExistujiDochazkove() && tables.db.tbUniExistujiVnejsi());
    for (const char *picture : {"/logo.bmp", "/foto.bmp"}) {
        QFile bmp(site + QLatin1String(picture));
        EXPECT_TRUE(bmp.open(QIODevice::ReadOnly) && bmp.read(2) == "BM") << picture;
    }
}

// SIGTERM (or Ctrl-C) stops the run between two exchanges: what it brought
// is stored, the rest stays in the units for the next run. Once every unit
// is empty, a run with a unit gone silent stores only what came since and
// gives up once the rounds bring nothing.
TEST_F(DemoSiteOnTheSimulator, CollectStopsCleanlyOnSigtermAndGivesUpOnASilentUnit)
{
    QTimer signal;
    QObject::connect(&signal, &QTimer::timeout, [&] {
        if (simulator.heard().size() >= 4) {
            signal.stop();
            std::raise(SIGTERM);
        }
    });
    signal.start(5);
    const CmdResult stopped = run({u"collect"_s});
    EXPECT_EQ(stopped.status, 1);
    EXPECT_TRUE(stopped.err.contains(u"Sběr dat přerušen"_s)) << stopped.err.toStdString();
    EXPECT_LT(storedEvents(), waiting);
    const CmdResult rest = run({u"collect"_s});
    ASSERT_EQ(rest.status, 0) << rest.err.toStdString();
    EXPECT_EQ(storedEvents(), waiting);

    ASSERT_TRUE(simulator.setFault(0x03, sim::Fault::Silent));
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(simulator.presentKey(0x01, 0, keyFromText(u"01665544332211")));
    // The round in which the attendance unit hands out its events does not
    // count against the run; the next one brings nothing. A short reply
    // time-out: the silent unit's rounds need not take 4 s each.
    const CmdResult r =
        run({u"collect"_s, u"--max-rounds"_s, u"1"_s, u"--reply-timeout"_s, u"300"_s});
    EXPECT_EQ(r.status, 1);
    ASSERT_FALSE(r.lines().isEmpty());
    EXPECT_TRUE(r.lines().last().endsWith(u": 03 Sklad"_s)) << r.out.toStdString();
    EXPECT_EQ(storedEvents(), waiting + 10);
    for (const char *bad : {"--max-rounds 0", "--reply-timeout 5", "--reply-timeout x"})
        EXPECT_EQ(run(QStringList{u"collect"_s} + QString::fromLatin1(bad).split(u' ')).status, 2)
            << bad;
}

} // namespace
