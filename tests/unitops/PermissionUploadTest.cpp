// The permission upload through the real serial port against simulated
// units of every kind, and what the units let through afterwards.
#include "unitops/PermissionUpload.h"
#include "UploadSite.h"
#include "accessdata/UnitCatalogue.h"
#include "text/HexText.h"

#include <QTimer>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;
using testing::kWorkDays;
using testing::waitUntil;

const KeyBytes kAdam = keyFromText(u"01665544332211");
const KeyBytes kBara = keyFromText(u"01000000000002");

class UploadOnTheLine : public ::testing::Test, public testing::UploadSite
{
protected:
    void TearDown() override { db.KomHwj.ClosePort(); } // before the units go

    // A unit in the table and on the line with `events` events waiting.
    void addUnit(quint8 type, quint8 address, const QString &name, int events)
    {
        unit(type, byteToHex(address), name);
        config.units.append(sim::UnitSetup{.address = address, .type = type});
        for (int i = 0; i < events; ++i) {
            const QDateTime at(QDate(2027, 1, 4), QTime(6, 0).addSecs(60 * i));
            config.events.append({address, makeEventSlot(KeyBytes{}, at, 0x38)});
            waiting.append(byteToHex(address) + at.toString(u" yyyy-MM-dd hh:mm "_s) +
                           u"00000000000000 38"_s);
        }
    }

    // Starts the upload and ticks it to its end.
    bool run()
    {
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [this] { upload.Timer1Timer(); });
        ticks.start(1);
        const Result<bool> started = upload.StartProces();
        return started && *started && waitUntil([this] { return !upload.running(); }, 30000);
    }

    // The addresses that heard a command with `code`.
    QStringList heardCode(quint8 code) const
    {
        QStringList to;
        for (const sim::HeardFrame &f : simulator.heard())
            if (f.kind == sim::HeardFrame::Frame && quint8(f.bytes[2]) == code)
                to.append(byteToHex(quint8(f.bytes[0])));
        return to;
    }

    // The units' host runs an hour behind the PC, so that a clock that was
    // set shows.
    FixedClock hostClock{QDateTime(QDate(2027, 1, 5), QTime(7, 0))};
    sim::Kvr8Simulator simulator{hostClock};
    sim::SimConfig config;
    QStringList waiting;
    PermissionUpload upload{db, vx, dir.path()};
};

// An access unit, an attendance unit, an expander and a barrier with events
// waiting; Adam may pass the access unit, door In0 of the expander and input
// In1 of the barrier from 06:00 to 18:00 on working days, and has a shift
// schedule; Bára has no group and no schedule.
TEST_F(UploadOnTheLine, EveryUnitIsProgrammedAndLetsInExactlyThePermittedKeys)
{
    addUnit(UnitType::Access, 0x01, u"Vchod"_s, 2);
    addUnit(UnitType::Attendance, 0x02, u"Docházka"_s, 1);
    addUnit(UnitType::Expander, 0x03, u"Sklad"_s, 23); // two blocks
    addUnit(UnitType::Barrier, 0x04, u"Závora"_s, 0);
    schedule(u"Den"_s, {{packTime(6, 0), packTime(18, 0), kWorkDays}});
    group(u"G"_s, u"010304"_s, u"00010E"_s, {u"Den"_s, u"Den"_s, u"Den"_s});
    key(u"01665544332211"_s, u"Adam"_s, u"G"_s, u"Ranní"_s);
    key(u"01000000000002"_s, u"Bára"_s, QString());
    ASSERT_TRUE(openPortOn(simulator, config));

    ASSERT_TRUE(run());
    EXPECT_FALSE(upload.hadErrors()) << upload.log().join(u'\n').toStdString();
    EXPECT_EQ(upload.finalMessage(), u"Hotovo!"_s);
    // What waited is in the archive exactly once, collected before zeroing.
    waiting.sort();
    EXPECT_EQ(storedEvents(), waiting);
    EXPECT_TRUE(upload.log().contains(u"03 Sklad - 21 událostí"_s));
    EXPECT_TRUE(upload.log().contains(u"KONFIGURACE 01 Vchod  - akceptováno"_s));
    EXPECT_TRUE(upload.log().contains(u"04 Závora, Adam - akceptováno"_s));
    for (quint8 a : {0x01, 0x02, 0x03, 0x04}) {
        const auto u = simulator.unit(a);
        EXPECT_EQ(u->state(), UnitStateCode::Locked) << int(a);
        EXPECT_EQ(u->clockAt(hostClock.now()), clock.now()) << int(a);
    }
    // The relay mask only to the attendance unit, no alarm mask to a barrier.
    EXPECT_EQ(heardCode(Cmd::NastavReleMask), QStringList{u"02"_s});
    EXPECT_EQ(heardCode(Cmd::NastavTamperMask), (QStringList{u"01"_s, u"02"_s, u"03"_s}));

    // When (PC's time), unit, reader, key; whether the unit lets it through.
    const QDateTime tuesday(QDate(2027, 1, 5), QTime(10, 0));
    const std::tuple<QDateTime, quint8, int, KeyBytes, bool> presented[] = {
        {tuesday, 0x01, 0, kAdam, true},
        {tuesday, 0x03, 1, kAdam, true},                    // In0 at its second reader
        {tuesday, 0x03, 2, kAdam, false},                   // another door
        {tuesday, 0x04, 3, kAdam, true},                    // barrier input In1
        {tuesday, 0x04, 0, kAdam, false},                   // barrier input In0
        {tuesday, 0x02, 0, kAdam, true},                    // attendance by the shift schedule
        {tuesday.addSecs(9 * 3600), 0x01, 0, kAdam, false}, // 19:00
        {tuesday.addDays(4), 0x01, 0, kAdam, false},        // Saturday
        {tuesday, 0x01, 0, kBara, false},
        {tuesday, 0x02, 0, kBara, false},
    };
    for (const auto &[at, address, reader, key, allowed] : presented) {
        SCOPED_TRACE(at.toString().toStdString() + " unit " + std::to_string(address) + " reader " +
                     std::to_string(reader));
        hostClock.set(at.addSecs(-3600));
        EXPECT_EQ(simulator.presentKey(address, reader, key), std::optional<bool>(allowed));
    }
}

// A unit that does not answer is logged at every step and never zeroed;
// the others are programmed and the run ends with the warning.
TEST_F(UploadOnTheLine, ASilentUnitIsLoggedAndTheOthersAreProgrammed)
{
    addUnit(UnitType::Access, 0x01, u"Vchod"_s, 1);
    addUnit(UnitType::Expander, 0x03, u"Sklad"_s, 0);
    config.faults.append({0x03, sim::Fault::Silent});
    schedule(u"Den"_s, {{packTime(6, 0), packTime(18, 0), kWorkDays}});
    group(u"G"_s, u"0103"_s, u"0001"_s, {u"Den"_s, u"Den"_s});
    key(u"01665544332211"_s, u"Adam"_s, u"G"_s);
    ASSERT_TRUE(openPortOn(simulator, config));

    ASSERT_TRUE(run());
    QStringList silent;
    for (const QString &line : upload.log())
        if (line.contains(u"03 Sklad"_s))
            silent.append(line);
    // The read of its events, configuration, zeroing, Adam's permission,
    // alarm mask, clock and lock.
    ASSERT_EQ(silent.size(), 7) << upload.log().join(u'\n').toStdString();
    for (const QString &line : silent)
        EXPECT_TRUE(line.endsWith(u" - Žádná odpověď"_s)) << line.toStdString();
    EXPECT_FALSE(heardCode(Cmd::Nulovat).contains(u"03"_s));
    EXPECT_EQ(simulator.unit(0x01)->state(), UnitStateCode::Locked);
    EXPECT_EQ(simulator.unit(0x01)->permissions().size(), 1);
    EXPECT_EQ(storedEvents().size(), 1);
    EXPECT_TRUE(upload.hadErrors());
    EXPECT_EQ(upload.finalMessage(), u"POZOR!\r\nChyby při nastavení jednotek"_s);
}

} // namespace
} // namespace vardex
