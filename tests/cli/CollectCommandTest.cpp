// `vardex demo-site` and `vardex collect` against the demo site's units,
// simulated in-process on the site's link.
#include "CliRun.h"
#include "accessdata/TDB0DM.h"
#include "cli/DemoSite.h"
#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "text/KeyNumber.h"
#include "text/LineFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

const QString kNow = QStringLiteral("2027-01-01 08:00:00");

// A run with the clock fixed, its output as lines.
struct RunOutput
{
    int status;
    QStringList out;
    QString err;
};

RunOutput run(const QStringList &args, const QString &dir)
{
    const vardex::testing::CmdResult r =
        vardex::testing::runVardex(QStringList{QStringLiteral("--now"), kNow} + args, dir);
    QStringList lines = r.out.split(QLatin1Char('\n'));
    lines.removeAll(QString());
    return {r.status, lines, r.err};
}

qint64 storedEvents(const QString &dir)
{
    ScriptedMessages messages;
    FixedClock clock{QDateTime::fromString(kNow, QStringLiteral("yyyy-MM-dd hh:mm:ss"))};
    TDB0DM db(dir, messages, clock);
    EXPECT_TRUE(db.OpenMinimalDatabases(nullptr));
    return db.tbEvents.recordCount();
}

class DemoSiteOnTheSimulator : public ::testing::Test
{
protected:
    void SetUp() override
    {
        site = dir.path() + QStringLiteral("/site");
        const RunOutput made = run({QStringLiteral("demo-site"), site}, dir.path());
        ASSERT_EQ(made.status, 0) << made.err.toStdString();
        QString error;
        const std::optional<sim::SimConfig> config =
            sim::SimConfig::load(DemoSite::simulatorConfigPath(site), &error);
        ASSERT_TRUE(config) << error.toStdString();
        waiting = config->events.size();
        simulator.apply(*config);
        ASSERT_TRUE(simulator.start(DemoSite::linkPath(site), &error)) << error.toStdString();
    }

    TempDir dir;
    QString site;
    qsizetype waiting = 0;
    FixedClock clock{QDateTime::fromString(kNow, QStringLiteral("yyyy-MM-dd hh:mm:ss"))};
    sim::Kvr8Simulator simulator{clock};
};

TEST_F(DemoSiteOnTheSimulator, SiteIsConsistentWithItsSimulator)
{
    const LinesRead parms = readLines(site + QStringLiteral("/VX_PARMS.INI"));
    ASSERT_TRUE(parms.ok);
    EXPECT_EQ(parms.lines, QStringList{QStringLiteral("KOMPORTCOM=") + site + "/ttyKVR8"});
    const RunOutput units = run({QStringLiteral("units")}, site);
    ASSERT_EQ(units.out.size(), 5);
    for (const QString &line : units.out)
        EXPECT_TRUE(simulator.unit(quint8(line.left(2).toUInt(nullptr, 16)))) << line.toStdString();
    EXPECT_GT(waiting, 100);
    // Every window that keeps the holders is open on the demo site.
    const RunOutput status = run({QStringLiteral("status")}, site);
    for (const char *item : {"DatabazeKlicu 1", "SberDat 1"})
        EXPECT_TRUE(status.out.contains(QLatin1String(item))) << item;
    // A second site is not written over the first.
    EXPECT_EQ(run({QStringLiteral("demo-site"), site}, dir.path()).status, 1);

    // Attendance and presence have data to work on: an active attendance
    // unit and an outer entrance; the start window has its pictures.
    {
        ScriptedMessages messages;
        TDB0DM db(site, messages, clock);
        ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
        EXPECT_TRUE(db.tbUniExistujiDochazkove());
        EXPECT_TRUE(db.tbUniExistujiVnejsi());
    }
    for (const char *picture : {"/logo.bmp", "/foto.bmp"}) {
        QFile bmp(site + QLatin1String(picture));
        ASSERT_TRUE(bmp.open(QIODevice::ReadOnly)) << picture;
        EXPECT_EQ(bmp.read(2), QByteArray("BM")) << picture;
    }
    // -C and --home given relative to where the command is typed.
    QProcess relative;
    relative.setWorkingDirectory(dir.path());
    relative.start(QStringLiteral(VARDEX_EXECUTABLE),
                   {QStringLiteral("-C"), QStringLiteral("site"), QStringLiteral("--home"),
                    QStringLiteral("site"), QStringLiteral("units")});
    ASSERT_TRUE(relative.waitForFinished(30000));
    EXPECT_EQ(relative.exitCode(), 0) << relative.readAllStandardError().toStdString();
}

TEST_F(DemoSiteOnTheSimulator, CollectEmptiesEveryUnitAndASecondRunStoresNothing)
{
    const RunOutput first = run({QStringLiteral("collect")}, site);
    EXPECT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_EQ(storedEvents(site), waiting);
    EXPECT_TRUE(first.out.contains(QStringLiteral("01 Vrátnice - 21 událostí")));

    const RunOutput second = run({QStringLiteral("collect")}, site);
    EXPECT_EQ(second.status, 0) << second.err.toStdString();
    EXPECT_EQ(storedEvents(site), waiting);
    EXPECT_EQ(second.out.size(), 5);
    for (const QString &line : second.out)
        EXPECT_TRUE(line.endsWith(QStringLiteral(" - 0 událostí"))) << line.toStdString();
}

// SIGTERM (or Ctrl-C) stops the run between two exchanges: what it brought
// is stored, the rest stays in the units for the next run.
TEST_F(DemoSiteOnTheSimulator, CollectStopsCleanlyOnSigterm)
{
    QTimer signal;
    QObject::connect(&signal, &QTimer::timeout, [&] {
        if (simulator.heard().size() >= 4) {
            signal.stop();
            std::raise(SIGTERM);
        }
    });
    signal.start(5);
    const RunOutput stopped = run({QStringLiteral("collect")}, site);
    EXPECT_EQ(stopped.status, 1);
    EXPECT_TRUE(stopped.err.contains(QStringLiteral("Sběr dat přerušen")))
        << stopped.err.toStdString();
    EXPECT_LT(storedEvents(site), waiting);

    EXPECT_EQ(run({QStringLiteral("collect")}, site).status, 0);
    EXPECT_EQ(storedEvents(site), waiting);
}

TEST_F(DemoSiteOnTheSimulator, CollectGivesUpOnASilentUnitOnceTheRoundsBringNothing)
{
    ASSERT_EQ(run({QStringLiteral("collect")}, site).status, 0);
    ASSERT_TRUE(simulator.setFault(0x03, sim::Fault::Silent));
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(simulator.presentKey(0x01, 0, keyFromText(u"01665544332211")));
    // The round in which the attendance unit hands out its events does not
    // count against the run; the next one brings nothing.
    // A short reply time-out: the silent unit's rounds need not take 4 s each.
    const RunOutput r =
        run({QStringLiteral("collect"), QStringLiteral("--max-rounds"), QStringLiteral("1"),
             QStringLiteral("--reply-timeout"), QStringLiteral("300")},
            site);
    EXPECT_EQ(r.status, 1);
    ASSERT_FALSE(r.out.isEmpty());
    EXPECT_TRUE(r.out.last().endsWith(QStringLiteral(": 03 Sklad"))) << r.out.last().toStdString();
    EXPECT_EQ(storedEvents(site), waiting + 10);
    for (const char *bad : {"--max-rounds 0", "--reply-timeout 5", "--reply-timeout x"})
        EXPECT_EQ(run(QStringList{QStringLiteral("collect")} +
                          QString::fromLatin1(bad).split(QLatin1Char(' ')),
                      site)
                      .status,
                  2)
            << bad;
}

} // namespace
