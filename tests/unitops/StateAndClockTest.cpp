// The state query and the clock setting through the real serial port,
// against simulated units and a unit end the test answers itself.
#include "SiteUnits.h"
#include "comm/Protocol.h"
#include "unitops/ClockSetting.h"
#include "unitops/StateQuery.h"

#include <QTimer>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;
using testing::waitUntil;

// Queries the unit at `address` and waits until the query has ended.
bool queryState(StateQuery &query, TDB0DM &db, const QString &address)
{
    db.tbUni.setIndex(QString());
    return db.tbUni.findKey({address}) && query.DBGrid1DblClick() &&
           waitUntil([&] { return !query.waiting(); }, 5000);
}

TEST(StateQuery, AWholeReplyIsTheStateAnythingElseIsAStatusLine)
{
    testing::LineSite s;
    sim::Kvr8Simulator simulator{s.clock};
    sim::SimConfig config;
    testing::addSiteUnit(s.db, config, 0x05, "Vrátnice");
    testing::addSiteUnit(s.db, config, 0x06, "Sklad");
    config.faults.append({0x06, sim::Fault::Silent});
    ASSERT_TRUE(s.openPortOn(simulator, config));
    StateQuery query(s.db);
    int states = 0;
    QObject::connect(&query, &StateQuery::stateReceived, [&] { ++states; });
    query.FormActivate();

    ASSERT_TRUE(queryState(query, s.db, u"05"_s));
    EXPECT_EQ(states, 1);
    EXPECT_EQ(query.stateBuffer().size(), StateQuery::StateBufferSize);
    EXPECT_EQ(UnitState::fromBytes(query.stateBuffer()).address, 0x05);
    EXPECT_EQ(query.status(), u"Čtení stavu "_s);
    query.stateShown();
    EXPECT_TRUE(query.status().isEmpty());

    ASSERT_TRUE(queryState(query, s.db, u"06"_s));
    EXPECT_EQ(query.status(), u"06 Sklad - Žádná odpověď"_s);
    ASSERT_TRUE(simulator.setFault(0x05, sim::Fault::SplitReply));
    ASSERT_TRUE(queryState(query, s.db, u"05"_s));
    EXPECT_EQ(query.status(), u"05 Vrátnice - chyba Rx-CRC"_s);
    EXPECT_EQ(states, 1);
    // The state buffer is zeroed before each query.
    EXPECT_EQ(query.stateBuffer(), QByteArray(StateQuery::StateBufferSize, '\0'));
}

// A unit refusing the command answers one status byte: no state of zeros.
TEST(StateQuery, AOneByteRefusalShowsItsStatusText)
{
    testing::UnitLineEnd unit;
    testing::LineSite s;
    sim::SimConfig unused;
    testing::addSiteUnit(s.db, unused, 0x05, "Vrátnice");
    ASSERT_TRUE(s.openPort(unit.slavePath()));
    StateQuery query(s.db);
    bool shown = false;
    QObject::connect(&query, &StateQuery::stateReceived, [&] { shown = true; });
    query.FormActivate();
    ASSERT_TRUE(query.DBGrid1DblClick());
    EXPECT_EQ(unit.read(4), QByteArray("\x05\x03\x8A\x92", 4));
    ASSERT_TRUE(unit.write(QByteArray(1, char(Status::Locked))));
    ASSERT_TRUE(waitUntil([&] { return !query.waiting(); }));
    EXPECT_FALSE(shown);
    EXPECT_EQ(query.status(), u"05 Vrátnice - chyba: uzamčeno"_s);
}

class ClockSettingOnTheLine : public ::testing::Test, public testing::LineSite
{
protected:
    void TearDown() override { db.KomHwj.ClosePort(); }

    // Runs the setting to its end; the number of final messages.
    int run()
    {
        int done = 0;
        QObject::connect(&setting, &ClockSetting::done, [&] { ++done; });
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [this] { setting.RepeatTimerTimer(); });
        ticks.start(1);
        EXPECT_TRUE(setting.FormCreate());
        EXPECT_TRUE(waitUntil([&] { return done > 0; }, 10000));
        return done;
    }

    sim::Kvr8Simulator simulator{clock};
    sim::SimConfig config;
    ClockSetting setting{db};
};

TEST_F(ClockSettingOnTheLine, EveryUnitGetsThePcClockAndOneFinalMessage)
{
    for (quint8 a : {0x01, 0x02, 0x03})
        testing::addSiteUnit(db, config, a, "Dveře");
    ASSERT_TRUE(openPortOn(simulator, config));
    clock.set(QDateTime(QDate(2027, 1, 5), QTime(8, 0, 7)));
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(setting.log(), (QStringList{u"01 Dveře - akceptováno"_s, u"02 Dveře - akceptováno"_s,
                                          u"03 Dveře - akceptováno"_s}));
    EXPECT_EQ(setting.finalMessage(), u"Hotovo!"_s);
    EXPECT_EQ(setting.pcTime(), u"úterý, 5.ledna 2027, 08:00:07"_s);
    // Second, minute, hour, day, month, day of week, year.
    EXPECT_EQ(simulator.heard().value(2).bytes.mid(3, 7), QByteArray::fromHex("07000805010227"));
    EXPECT_FALSE(bool(db.KomHwj.OnReceiveData));
}

TEST_F(ClockSettingOnTheLine, ASilentUnitIsMarkedAndTurnsTheMessageIntoTheWarning)
{
    for (quint8 a : {0x01, 0x02, 0x03})
        testing::addSiteUnit(db, config, a, a == 0x03 ? "Sklad" : "Dveře");
    config.faults.append({0x03, sim::Fault::Silent});
    ASSERT_TRUE(openPortOn(simulator, config));
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(setting.log().value(2), u"03 Sklad - Žádná odpověď"_s);
    EXPECT_TRUE(setting.hadErrors());
    EXPECT_EQ(setting.finalMessage(), u"POZOR!\r\nChyby při nastavení jednotek"_s);
}

} // namespace
} // namespace vardex
