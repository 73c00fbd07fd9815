// `vardex demo-site` and `vardex collect` against the demo site's units,
// simulated in-process on the site's link.
#include "accessdata/TDB0DM.h"
#include "cli/Commands.h"
#include "cli/DemoSite.h"
#include "cli/GlobalOptions.h"
#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "text/KeyNumber.h"
#include "text/LineFile.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

const QString kNow = QStringLiteral("2027-01-01 08:00:00");

struct CmdResult
{
    int status;
    QStringList out;
    QString err;
};

CmdResult run(const QStringList &args, const QString &dir)
{
    const GlobalOptions o = parseGlobalOptions(
        QStringList{QStringLiteral("vardex"), QStringLiteral("--now"), kNow} + args);
    EXPECT_TRUE(o.error.isEmpty()) << o.error.toStdString();
    char *outBuf = nullptr, *errBuf = nullptr;
    size_t outSize = 0, errSize = 0;
    std::FILE *out = open_memstream(&outBuf, &outSize);
    std::FILE *err = open_memstream(&errBuf, &errSize);
    const int status = runCommand(o, dir, dir + QLatin1Char('/'), out, err);
    std::fclose(out);
    std::fclose(err);
    CmdResult r{status, QString::fromUtf8(outBuf, qsizetype(outSize)).split(QLatin1Char('\n')),
                QString::fromUtf8(errBuf, qsizetype(errSize))};
    std::free(outBuf);
    std::free(errBuf);
    r.out.removeAll(QString());
    return r;
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
        const CmdResult made = run({QStringLiteral("demo-site"), site}, dir.path());
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
    const CmdResult units = run({QStringLiteral("units")}, site);
    ASSERT_EQ(units.out.size(), 5);
    for (const QString &line : units.out)
        EXPECT_TRUE(simulator.unit(quint8(line.left(2).toUInt(nullptr, 16)))) << line.toStdString();
    EXPECT_GT(waiting, 100);
    // Every window that keeps the holders is open on the demo site.
    const CmdResult status = run({QStringLiteral("status")}, site);
    for (const char *item : {"DatabazeKlicu 1", "SberDat 1"})
        EXPECT_TRUE(status.out.contains(QLatin1String(item))) << item;
    // A second site is not written over the first.
    EXPECT_EQ(run({QStringLiteral("demo-site"), site}, dir.path()).status, 1);
}

TEST_F(DemoSiteOnTheSimulator, CollectEmptiesEveryUnitAndASecondRunStoresNothing)
{
    const CmdResult first = run({QStringLiteral("collect")}, site);
    EXPECT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_EQ(storedEvents(site), waiting);
    EXPECT_TRUE(first.out.contains(QStringLiteral("01 Vrátnice - 21 událostí")));

    const CmdResult second = run({QStringLiteral("collect")}, site);
    EXPECT_EQ(second.status, 0) << second.err.toStdString();
    EXPECT_EQ(storedEvents(site), waiting);
    EXPECT_EQ(second.out.size(), 5);
    for (const QString &line : second.out)
        EXPECT_TRUE(line.endsWith(QStringLiteral(" - 0 událostí"))) << line.toStdString();
}

TEST_F(DemoSiteOnTheSimulator, CollectGivesUpOnASilentUnitOnceTheRoundsBringNothing)
{
    ASSERT_EQ(run({QStringLiteral("collect")}, site).status, 0);
    ASSERT_TRUE(simulator.setFault(0x03, sim::Fault::Silent));
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(simulator.presentKey(0x01, 0, keyFromText(u"01665544332211")));
    // The round in which the attendance unit hands out its events does not
    // count against the run; the next one brings nothing.
    const CmdResult r =
        run({QStringLiteral("collect"), QStringLiteral("--max-rounds"), QStringLiteral("1")}, site);
    EXPECT_EQ(r.status, 1);
    ASSERT_FALSE(r.out.isEmpty());
    EXPECT_TRUE(r.out.last().endsWith(QStringLiteral(": 03 Sklad"))) << r.out.last().toStdString();
    EXPECT_EQ(storedEvents(site), waiting + 10);
    EXPECT_EQ(
        run({QStringLiteral("collect"), QStringLiteral("--max-rounds"), QStringLiteral("0")}, site)
            .status,
        2);
}

} // namespace
