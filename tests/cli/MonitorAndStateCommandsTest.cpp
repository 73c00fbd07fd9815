// `vardex state`, `settime`, `monitor` and `search-keys` against the demo
// site's units, simulated in-process on the site's link.
#include "CliRun.h"
#include "text/KeyNumber.h"

#include <gtest/gtest.h>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;
using testing::CmdResult;

const QString kKey = u"01AABBCCDDEEFF"_s; // no holder's, in no unit yet

class UnitLineCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testing::startDemoSite(site, simulator);
        archived = testing::SiteTables(site).db.tbEvents.recordCount();
    }

    CmdResult run(const QStringList &args) { return testing::runVardex(args, site); }
    // Events read: the demo site comes with a month of attendance.
    qint64 storedEvents() { return testing::SiteTables(site).db.tbEvents.recordCount() - archived; }

    testing::TempDir dir;
    QString site = dir.file(u"site"_s);
    qint64 archived = 0;
    FixedClock clock{QDateTime(QDate(2027, 1, 5), QTime(8, 0))};
    sim::Kvr8Simulator simulator{clock};
};

TEST_F(UnitLineCommands, StateAndClockSettingPrintWhatTheWindowsShow)
{
    CmdResult r = run({u"state"_s, u"02"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.lines();
    EXPECT_EQ(lines.value(0), u"Adresa: 02"_s);
    EXPECT_TRUE(lines.contains(u"Typ jednotky: KVR-8 přístupová"_s)) << r.out.toStdString();
    EXPECT_TRUE(lines.contains(u"Stav jednotky: uzamčena"_s));
    EXPECT_TRUE(lines.last().startsWith(u"Počet nezpracovaných událostí: "_s));

    ASSERT_TRUE(simulator.setFault(0x02, sim::Fault::BadChecksum, 1));
    r = run({u"state"_s, u"02"_s});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, u"vardex state: 02 Hlavní vchod - chyba Rx-CRC\n"_s);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(run({u"state"_s, u"09"_s}).err, u"vardex state: Neznámá jednotka: 09\n"_s);
    EXPECT_EQ(run({u"state"_s, u"0G"_s}).status, 2);

    r = run({u"settime"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines().size(), 6);
    EXPECT_EQ(r.lines().value(2), u"03 Sklad - akceptováno"_s);
    EXPECT_EQ(r.lines().last(), u"Hotovo!"_s);
}

TEST_F(UnitLineCommands, MonitorStoresWhatItReadsAndRaisesTheSearchedKeysAlarm)
{
    const auto listing = [&] { return run({u"search-keys"_s}).out; };
    ASSERT_EQ(run({u"search-keys"_s, u"add"_s, kKey, u"--message"_s, u"Hledaný"_s}).status, 0);
    EXPECT_TRUE(listing().startsWith(kKey + u" A Hledaný "_s)) << listing().toStdString();
    EXPECT_EQ(run({u"search-keys"_s, u"add"_s, kKey}).status, 1);

    // The store's 14 events waiting, and the searched key refused: one read.
    ASSERT_TRUE(simulator.presentKey(0x03, 0, keyFromText(kKey)));
    const CmdResult r =
        run({u"monitor"_s, u"--units"_s, u"03"_s, u"--rounds"_s, u"1"_s, u"--search-keys"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines().size(), 15);
    EXPECT_EQ(storedEvents(), 15);
    EXPECT_TRUE(r.err.startsWith(u"Hledaný "_s) && r.err.count(u'\n') == 1) << r.err.toStdString();
    EXPECT_EQ(simulator.unit(0x03)->waitingEvents(), 0);

    EXPECT_EQ(run({u"search-keys"_s, u"off"_s}).status, 0);
    EXPECT_TRUE(listing().startsWith(kKey + u" N "_s));
    EXPECT_EQ(run({u"search-keys"_s, u"remove"_s, kKey}).status, 0);
    EXPECT_TRUE(listing().isEmpty());
    EXPECT_EQ(run({u"search-keys"_s, u"remove"_s, kKey}).status, 1);
    for (const char *bad : {"--period 4", "--period 16", "--units 03,0G", "--rounds 0"})
        EXPECT_EQ(run(QStringList{u"monitor"_s} + QString::fromLatin1(bad).split(u' ')).status, 2)
            << bad;
}

} // namespace
} // namespace vardex
