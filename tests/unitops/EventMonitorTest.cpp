// The event monitor through the real serial port against simulated units,
// ticked as fast as the line allows.
#include "unitops/EventMonitor.h"
#include "SiteUnits.h"
#include "unitops/SearchedKeys.h"

#include <QTimer>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;
using testing::waitUntil;

const KeyBytes kSearched = {0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};

class MonitorOnTheLine : public ::testing::Test, public testing::LineSite
{
protected:
    void SetUp() override
    {
        testing::addSiteUnit(db, config, 0x01, "Vrátnice");
        testing::addSiteUnit(db, config, 0x02, "Sklad");
        testing::addSiteUnit(db, config, 0x03, "Kancelář");
    }
    void TearDown() override { db.KomHwj.ClosePort(); } // before the units go

    // Starts monitoring every unit; ticks until `done` once no read is out.
    bool monitor(const std::function<bool()> &done)
    {
        db.VsechnyJednotky();
        monitorOf.FormShow();
        monitorOf.unitsChosen();
        if (!monitorOf.btStartClick())
            return false;
        return keepMonitoring(done);
    }
    bool keepMonitoring(const std::function<bool()> &done)
    {
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            if (!done())
                monitorOf.monTimerTimer();
        });
        ticks.start(1);
        return waitUntil([&] { return !monitorOf.busy() && done(); }, 30000);
    }
    bool rounds(int n) const { return monitorOf.readsSent() >= 3 * n; }
    int linesEndingWith(const QString &end) const
    {
        return int(std::count_if(monitorOf.log().begin(), monitorOf.log().end(),
                                 [&](const QString &l) { return l.endsWith(end); }));
    }
    // Every event the simulated units ever recorded, as storedEvents() shows it.
    QStringList generated()
    {
        QStringList rows;
        for (quint8 a : {0x01, 0x02, 0x03})
            for (const EventSlot &e : simulator.unit(a)->storedEvents())
                rows.append(QStringLiteral("%1 2027-01-05 %2:%3 %4 %5")
                                .arg(byteToHex(a), byteToHex(e.hour), byteToHex(e.minute),
                                     keyToText(e.key), byteToHex(e.result)));
        rows.sort();
        return rows;
    }

    sim::Kvr8Simulator simulator{clock};
    sim::SimConfig config;
    EventMonitor monitorOf{db};
};

// Traffic goes on while the monitor reads: every event is stored once,
// none is lost between a read and its acknowledgement.
TEST_F(MonitorOnTheLine, EveryEventGeneratedDuringTheRunIsStoredExactlyOnce)
{
    config.trafficPeriodMs = 10;
    ASSERT_TRUE(openPortOn(simulator, config));
    ASSERT_TRUE(monitor([this] { return rounds(8); }));
    simulator.setTrafficPeriod(0);
    // Read on until the units are empty and every event they recorded (one
    // may still come just after the traffic was stopped) has been stored.
    const auto drained = [this] {
        qint64 recorded = 0;
        for (quint8 a : {0x01, 0x02, 0x03}) {
            const sim::SimUnit unit = *simulator.unit(a);
            if (unit.waitingEvents() > 0)
                return false;
            recorded += unit.storedEvents().size();
        }
        return monitorOf.eventsStored() == recorded;
    };
    ASSERT_TRUE(keepMonitoring(drained));
    monitorOf.btPrerusClick();
    const QStringList expected = generated();
    EXPECT_GT(expected.size(), 40);
    EXPECT_EQ(storedEvents(), expected);
    EXPECT_EQ(monitorOf.eventsStored(), expected.size());
    EXPECT_FALSE(bool(db.KomHwj.OnReceiveData));
}

TEST_F(MonitorOnTheLine, ASilentUnitCostsOneTimeOutLinePerTurnAndTheOthersAreRead)
{
    config.faults.append({0x02, sim::Fault::Silent});
    ASSERT_TRUE(openPortOn(simulator, config));
    for (quint8 a : {0x01, 0x03})
        ASSERT_TRUE(simulator.changeInput(a, 1, 3));
    ASSERT_TRUE(monitor([this] { return rounds(3); }));
    EXPECT_EQ(linesEndingWith(u" 02 Sklad - Žádná odpověď"_s), 3);
    EXPECT_EQ(storedEvents().size(), 2);
    EXPECT_FALSE(monitorOf.stopped());
}

TEST_F(MonitorOnTheLine, ASearchedKeyRaisesItsAlarmOnlyWhileTheSearchIsOn)
{
    ASSERT_TRUE(openPortOn(simulator, config));
    ASSERT_TRUE(SearchedKeys(db).add(keyToText(kSearched), SearchedKeys::defaultMessage(), true));
    monitorOf.CheckBox1Click(true);
    ASSERT_TRUE(simulator.presentKey(0x03, 0, kSearched));
    ASSERT_TRUE(monitor([this] { return rounds(1); }));
    const QStringList alarms = db.systemLog().lines();
    ASSERT_EQ(alarms.size(), 1);
    EXPECT_TRUE(alarms[0].startsWith(u"Byl nalezen hledaný klíč! 05.01.2027 08:00 "_s))
        << alarms[0].toStdString();

    monitorOf.CheckBox1Click(false);
    ASSERT_TRUE(simulator.presentKey(0x03, 0, kSearched));
    const qint64 reads = monitorOf.readsSent();
    ASSERT_TRUE(keepMonitoring([&] { return monitorOf.readsSent() >= reads + 3; }));
    EXPECT_EQ(storedEvents().size(), 2);
    EXPECT_EQ(db.systemLog().lines().size(), 1);
}

// The event table refuses a block: the monitor stops at once with the
// reason, and the unit, not acknowledged, keeps the block.
TEST_F(MonitorOnTheLine, ABlockThatCannotBeStoredStopsTheMonitor)
{
    ASSERT_TRUE(openPortOn(simulator, config));
    ASSERT_TRUE(simulator.changeInput(0x02, 1, 3));
    db.tbEvents.beforePost = [](Table &) { return false; };
    ASSERT_TRUE(monitor([this] { return monitorOf.stopped(); }));
    EXPECT_TRUE(monitorOf.failure().startsWith(u"Události nebyly uloženy"_s));
    EXPECT_EQ(monitorOf.log().last(), monitorOf.failure());
    EXPECT_TRUE(monitorOf.canStart() && monitorOf.canClose());
    EXPECT_EQ(simulator.unit(0x02)->waitingEvents(), 1);
}

} // namespace
} // namespace vardex
