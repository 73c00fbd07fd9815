// Key reading through the real serial port, against simulated units and
// against a unit end the test answers itself.
#include "unitops/KeyReading.h"
#include "LineSite.h"

namespace vardex {
namespace {

using namespace Qt::StringLiterals;
using testing::waitUntil;

const KeyBytes kKey = {0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};

TEST(KeyReading, KeyPresentedAtTheReaderIsReturnedAndArchived)
{
    testing::LineSite site;
    sim::Kvr8Simulator simulator{site.clock};
    simulator.addUnit(sim::UnitSetup{0x05});
    ASSERT_TRUE(site.openPortOn(simulator));
    site.vx.config.keyReaderAddress = 0x05;
    // An input change waits before the key: the first read finds no key.
    ASSERT_TRUE(simulator.changeInput(0x05, 2, 3));
    ASSERT_TRUE(simulator.presentKey(0x05, 1, kKey));
    site.db.selection().currentAddress = QStringLiteral("07");

    bool closed = false;
    site.vx.showKeyDialog = [&] {
        KeyReading reading(site.db, site.vx);
        QObject::connect(&reading, &KeyReading::closeRequested, [&] { closed = true; });
        reading.FormCreate();
        // One press of "Hotovo", waited for until its reply (or time-out) is in.
        const auto readOnce = [&] {
            return reading.getKeyClick() && waitUntil([&] { return !reading.waiting(); }, 5000);
        };
        ASSERT_TRUE(readOnce());
        EXPECT_FALSE(closed);
        ASSERT_TRUE(readOnce());
        EXPECT_TRUE(closed);
        reading.FormDestroy();
    };
    KeyBytes key{};
    EXPECT_TRUE(site.vx.ReadIdKeyTM(key));
    EXPECT_EQ(key, kKey);
    EXPECT_EQ(site.storedEvents(), (QStringList{u"05 2027-01-05 08:00 00000000000000 3A"_s,
                                                u"05 2027-01-05 08:00 01665544332211 11"_s}));
    // The unit has let both events go; the selection was not disturbed.
    EXPECT_TRUE(waitUntil([&] { return simulator.unit(0x05)->waitingEvents() == 0; }));
    EXPECT_EQ(site.db.selection().currentAddress, QStringLiteral("07"));
    EXPECT_FALSE(bool(site.db.KomHwj.OnReceiveData));
}

// The one-event reply of unit 05 with the key, its checksum last.
QByteArray oneEventReply(quint8 address = 0x05)
{
    QByteArray bytes = encodeOneEvent(
        address, 0x0C, makeEventSlot(kKey, QDateTime(QDate(2027, 1, 5), QTime(7, 0)), 0x02));
    return bytes.append(char(checksum(bytes)));
}

class KeyReadingOnAFakeUnit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.openPort(unit.slavePath()));
        reading.FormCreate();
        reading.UpDown1Click(0x05);
    }
    // Sends the read and checks that the unit got 05 03 8E 96 (after the
    // acknowledgement of the last reply, if the port gave one).
    void sendRead()
    {
        ASSERT_TRUE(reading.getKeyClick());
        QByteArray frame = unit.read(4);
        if (frame.startsWith(char(0xAA)))
            frame = frame.mid(1) + unit.read(1);
        EXPECT_EQ(frame, QByteArray("\x05\x03\x8E\x96", 4));
    }

    testing::UnitLineEnd unit;
    testing::LineSite site;
    KeyReading reading{site.db, site.vx};
};

TEST_F(KeyReadingOnAFakeUnit, OnlyTheUnitsOwnOneEventReplyIsTakenAndNoneOverAClosedPort)
{
    // Only a chunk of the unit's one-event length, with a right checksum and
    // the address asked, carries the key.
    const QByteArray good = oneEventReply();
    // What the unit answers, whether it is taken, whether the table refuses it.
    const std::tuple<const char *, QByteArray, bool, bool> cases[] = {
        {"one byte too many", good + '\0', false, false},
        {"cut short", good.left(16), false, false},
        {"another unit's reply", oneEventReply(0x06), false, false},
        // Not stored, so not acknowledged: the unit keeps the event.
        {"the event table refuses it", good, false, true},
        {"the one-event reply", good, true, false},
    };
    for (const auto &[name, reply, taken, refused] : cases) {
        SCOPED_TRACE(name);
        site.db.tbEvents.beforePost = [refused](Table &) { return !refused; };
        sendRead();
        ASSERT_TRUE(unit.write(reply));
        ASSERT_TRUE(waitUntil([&] { return !reading.waiting(); }));
        EXPECT_EQ(reading.key().has_value(), taken);
        EXPECT_EQ(site.storedEvents().size(), taken ? 1 : 0);
        EXPECT_EQ(reading.failure().isEmpty(), !refused);
        EXPECT_TRUE(!refused || unit.read(1, 300).isEmpty());
    }
    EXPECT_EQ(site.db.udalost_dm.key, kKey);
    EXPECT_EQ(site.storedEvents(), QStringList{u"05 2027-01-05 07:00 01665544332211 02"_s});

    // A closed port refuses the read, and "Hotovo" comes back at once.
    site.db.KomHwj.ClosePort();
    QList<bool> waiting;
    QObject::connect(&reading, &KeyReading::waitingChanged, [&](bool w) { waiting.append(w); });
    EXPECT_FALSE(reading.getKeyClick());
    EXPECT_FALSE(reading.waiting());
    EXPECT_EQ(waiting, (QList<bool>{true, false}));
}

TEST_F(KeyReadingOnAFakeUnit, ReplyToAReadUnderWayWhenTheReadingClosesIsStillArchived)
{
    sendRead();
    reading.FormDestroy();
    EXPECT_EQ(site.vx.config.keyReaderAddress, 0x05);
    ASSERT_TRUE(unit.write(oneEventReply()));
    ASSERT_TRUE(waitUntil([&] { return !site.storedEvents().isEmpty(); }));
    EXPECT_EQ(unit.read(1), QByteArray(1, char(0xAA)));
    EXPECT_FALSE(bool(site.db.KomHwj.OnReceiveData));
    // The key arrived too late to be the one read.
    EXPECT_TRUE(isEmptyKey(site.db.udalost_dm.key));
}

} // namespace
} // namespace vardex
