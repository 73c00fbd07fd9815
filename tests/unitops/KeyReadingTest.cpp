// Key reading through the real serial port, against simulated units and
// against a unit end the test answers itself.
#include "unitops/KeyReading.h"
#include "accessdata/TDB0DM.h"
#include "attendance/TVXDM.h"
#include "comm/UnitLineEnd.h"
#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vardex {
namespace {

using testing::waitUntil;

const QDateTime kNow(QDate(2027, 1, 5), QTime(8, 0));
const KeyBytes kKey = {0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
const QString kKeyText = QStringLiteral("01665544332211");

// The data modules of one run, their tables open, the port not yet.
struct Site
{
    Site() { EXPECT_TRUE(db.OpenMinimalDatabases(nullptr)); }
    ~Site() { db.KomHwj.ClosePort(); }

    bool openPort(const QString &path)
    {
        db.KomHwj.SetCommPort(path);
        db.KomHwj.SetWaitTimeout(300);
        return db.KomHwj.OpenPort().ok;
    }
    // Every stored event as "05 2027-01-05 08:00 01665544332211 01".
    QStringList storedEvents()
    {
        QStringList rows;
        for (bool ok = db.tbEvents.first(); ok && !db.tbEvents.eof(); ok = db.tbEvents.next())
            rows.append(db.tbEvents.asString(QStringLiteral("AHWJ")) +
                        db.tbEvents.asDate(QStringLiteral("DATUM"))
                            .toString(QStringLiteral(" yyyy-MM-dd ")) +
                        db.tbEvents.asString(QStringLiteral("CAS")).left(5) + QLatin1Char(' ') +
                        db.tbEvents.asString(QStringLiteral("CTM")) + QLatin1Char(' ') +
                        db.tbEvents.asString(QStringLiteral("RES")));
        return rows;
    }

    testing::TempDir dir;
    testing::ScriptedMessages messages;
    FixedClock clock{kNow};
    TDB0DM db{dir.path(), messages, clock};
    TVXDM vx{db, dir.path(), messages};
};

class KeyReadingOnTheSimulator : public ::testing::Test
{
protected:
    void SetUp() override
    {
        simulator.addUnit(sim::UnitSetup{0x05});
        QString error;
        ASSERT_TRUE(simulator.start(&error)) << error.toStdString();
        ASSERT_TRUE(site.openPort(simulator.slavePath()));
        site.vx.config.keyReaderAddress = 0x05;
    }

    // One press of "Hotovo", waited for until its reply (or time-out) is in.
    bool readOnce(KeyReading &reading)
    {
        return reading.getKeyClick() && waitUntil([&] { return !reading.waiting(); }, 5000);
    }

    Site site;
    sim::Kvr8Simulator simulator{site.clock};
};

TEST_F(KeyReadingOnTheSimulator, KeyPresentedAtTheReaderIsReturnedAndArchived)
{
    // An input change waits before the key: the first read finds no key.
    ASSERT_TRUE(simulator.changeInput(0x05, 2, 3));
    ASSERT_TRUE(simulator.presentKey(0x05, 1, kKey));
    site.db.selection().currentAddress = QStringLiteral("07");

    bool closed = false;
    site.vx.showKeyDialog = [&] {
        KeyReading reading(site.db, site.vx);
        QObject::connect(&reading, &KeyReading::closeRequested, [&] { closed = true; });
        reading.FormCreate();
        ASSERT_TRUE(readOnce(reading));
        EXPECT_FALSE(closed);
        EXPECT_EQ(site.storedEvents().size(), 1); // the input change
        ASSERT_TRUE(readOnce(reading));
        EXPECT_TRUE(closed);
        reading.FormDestroy();
    };
    KeyBytes key{};
    EXPECT_TRUE(site.vx.ReadIdKeyTM(key));
    EXPECT_EQ(key, kKey);
    EXPECT_EQ(
        site.storedEvents(),
        (QStringList{QStringLiteral("05 2027-01-05 08:00 00000000000000 3A"),
                     QStringLiteral("05 2027-01-05 08:00 ") + kKeyText + QStringLiteral(" 11")}));
    // The unit has let both events go; the selection was not disturbed.
    EXPECT_TRUE(waitUntil([&] { return simulator.unit(0x05)->waitingEvents() == 0; }));
    EXPECT_EQ(site.db.selection().currentAddress, QStringLiteral("07"));
    EXPECT_FALSE(bool(site.db.KomHwj.OnReceiveData));
}

TEST(KeyReading, ClosedPortRefusesTheReadAndHotovoComesBackAtOnce)
{
    Site site;
    KeyReading reading(site.db, site.vx);
    QList<bool> waiting;
    QObject::connect(&reading, &KeyReading::waitingChanged, [&](bool w) { waiting.append(w); });
    reading.FormCreate();
    EXPECT_FALSE(reading.getKeyClick());
    EXPECT_FALSE(reading.waiting());
    EXPECT_EQ(waiting, (QList<bool>{true, false}));
}

// The one-event reply of unit 05 with the key, its checksum last.
QByteArray oneEventReply(quint8 address = 0x05)
{
    QByteArray bytes =
        encodeOneEvent(address, 0x0C, makeEventSlot(kKey, kNow.addSecs(-3600), 0x02));
    return bytes.append(char(checksum(bytes)));
}

class KeyReadingOnAFakeUnit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(unit.isValid());
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
    Site site;
    KeyReading reading{site.db, site.vx};
};

TEST_F(KeyReadingOnAFakeUnit, OnlyTheUnitsOwnOneEventReplyIsTaken)
{
    // Only a chunk of the unit's one-event length, with a right checksum and
    // the address asked, carries the key.
    const QByteArray good = oneEventReply();
    const QByteArray eighteen = QByteArray(good).append('\0');
    struct Case
    {
        const char *name;
        QByteArray reply;
        bool taken;
        bool tableRefuses = false;
    } const cases[] = {
        {"a status byte", QByteArray(1, char(0x90)), false},
        {"one byte too many", eighteen, false},
        {"cut short", good.left(16), false},
        {"another unit's reply", oneEventReply(0x06), false},
        // Not stored, so not acknowledged: the unit keeps the event.
        {"the event table refuses it", good, false, true},
        {"the one-event reply", good, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        site.db.tbEvents.beforePost = [&c](Table &) { return !c.tableRefuses; };
        sendRead();
        ASSERT_TRUE(unit.write(c.reply));
        ASSERT_TRUE(waitUntil([&] { return !reading.waiting(); }));
        EXPECT_EQ(reading.key().has_value(), c.taken);
        EXPECT_EQ(site.storedEvents().size(), c.taken ? 1 : 0);
        EXPECT_EQ(reading.failure().isEmpty(), !c.tableRefuses);
        if (c.tableRefuses) {
            EXPECT_EQ(unit.read(1, 300), QByteArray());
        }
    }
    EXPECT_EQ(site.db.udalost_dm.key, kKey);
    EXPECT_EQ(site.storedEvents(), QStringList{QStringLiteral("05 2027-01-05 07:00 ") + kKeyText +
                                               QStringLiteral(" 02")});
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
