// The collection driven through the real serial port against simulated
// units on a pseudo-terminal.
#include "unitops/Collection.h"
#include "accessdata/TDB0DM.h"
#include "accessdata/UnitCatalogue.h"
#include "comm/UnitLineEnd.h"
#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace vardex {
namespace {

using testing::waitUntil;

class CollectionOnTheLine : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(db.OpenMinimalDatabases(nullptr)); }
    void TearDown() override { db.KomHwj.ClosePort(); }

    // A unit in the table and on the line with `events` events waiting, at
    // one-minute steps from `from`.
    void addUnit(quint8 address, const char *name, int events,
                 const QDateTime &from = QDateTime(QDate(2027, 1, 2), QTime(6, 0)))
    {
        ASSERT_TRUE(db.tbUniDefaultByType(UnitType::Access));
        db.tbUni.edit();
        db.tbUni.setString(QStringLiteral("ADRESA"), byteHex(address));
        db.tbUni.setString(QStringLiteral("NAZEV"), QString::fromUtf8(name));
        ASSERT_TRUE(db.tbUni.post());
        sim::UnitSetup unit;
        unit.address = address;
        config.units.append(unit);
        for (int i = 0; i < events; ++i) {
            const QDateTime at = from.addSecs(60 * i);
            KeyBytes key = keyFromText(u"01000000000000");
            key[6] = quint8(i);
            addEvent(address, makeEventSlot(key, at, quint8(i % 4)));
            expected.append(rowText(address, at, key, quint8(i % 4)));
        }
    }
    void addEvent(quint8 address, const EventSlot &slot) { config.events.append({address, slot}); }

    static QString byteHex(quint8 b)
    {
        return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    }
    static QString rowText(quint8 address, const QDateTime &at, const KeyBytes &key, quint8 res)
    {
        return byteHex(address) + at.toString(QStringLiteral(" yyyy-MM-dd hh:mm ")) +
               keyToText(key) + QLatin1Char(' ') + byteHex(res);
    }

    // Every stored event, sorted.
    QStringList storedRows()
    {
        QStringList rows;
        for (bool ok = db.tbEvents.first(); ok && !db.tbEvents.eof(); ok = db.tbEvents.next())
            rows.append(db.tbEvents.asString(QStringLiteral("AHWJ")) +
                        db.tbEvents.asDate(QStringLiteral("DATUM"))
                            .toString(QStringLiteral(" yyyy-MM-dd ")) +
                        db.tbEvents.asString(QStringLiteral("CAS")).left(5) + QLatin1Char(' ') +
                        db.tbEvents.asString(QStringLiteral("CTM")) + QLatin1Char(' ') +
                        db.tbEvents.asString(QStringLiteral("RES")));
        rows.sort();
        return rows;
    }

    void startLine()
    {
        simulator.apply(config);
        QString error;
        ASSERT_TRUE(simulator.start(&error)) << error.toStdString();
        db.KomHwj.SetCommPort(simulator.slavePath());
        db.KomHwj.SetWaitTimeout(300);
        const OpenPortResult opened = db.KomHwj.OpenPort();
        ASSERT_TRUE(opened.ok);
    }

    // Opens the collection and ticks it until `done`.
    bool run(const std::function<bool()> &done, int deadlineMs = 20000)
    {
        if (!collection.FormCreate())
            return false;
        QTimer ticks;
        ticks.setInterval(1);
        QObject::connect(&ticks, &QTimer::timeout, [this] { collection.sbdTimerTimer(); });
        ticks.start();
        return waitUntil(done, deadlineMs);
    }
    bool runToEnd()
    {
        return run([this] { return collection.stopped(); });
    }

    bool logHasLineEndingWith(const QString &end) const
    {
        return std::any_of(collection.log().begin(), collection.log().end(),
                           [&](const QString &l) { return l.endsWith(end); });
    }

    testing::TempDir dir;
    testing::ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2027, 1, 5), QTime(8, 0))};
    TDB0DM db{dir.path(), messages, clock};
    sim::Kvr8Simulator simulator{clock};
    sim::SimConfig config;
    QStringList expected;
    Collection collection{db};
};

TEST_F(CollectionOnTheLine, EmptiesEveryUnitStoringEachEventOnceAndStops)
{
    addUnit(0x01, "Vrátnice", 0);
    // December's events read in January belong to last year.
    addUnit(0x02, "Sklad", 5, QDateTime(QDate(2026, 12, 31), QTime(23, 57)));
    addUnit(0x03, "Kancelář", 50);
    startLine();
    ASSERT_TRUE(runToEnd());

    expected.sort();
    EXPECT_EQ(storedRows(), expected);
    EXPECT_TRUE(collection.VsechnoNulove());
    // The first tick moves on before it sends.
    const QList<sim::HeardFrame> heard = simulator.heard();
    ASSERT_FALSE(heard.isEmpty());
    EXPECT_EQ(quint8(heard[0].bytes[0]), 0x02);
    for (const char *line : {"01 Vrátnice - 0 událostí", "02 Sklad - 5 událostí",
                             "03 Kancelář - 21 událostí", "03 Kancelář - 8 událostí"})
        EXPECT_TRUE(collection.log().contains(QString::fromUtf8(line))) << line;
    // A reply after the end no longer reaches the collection.
    EXPECT_FALSE(bool(db.KomHwj.OnReceiveData));
}

TEST_F(CollectionOnTheLine, SilentUnitStaysPendingWhileTheOthersAreEmptied)
{
    addUnit(0x01, "Vrátnice", 3);
    addUnit(0x02, "Sklad", 2);
    addUnit(0x03, "Kancelář", 4);
    config.faults.append({0x02, sim::Fault::Silent});
    startLine();
    ASSERT_TRUE(run([this] {
        return collection.pending(0x01) == 0 && collection.pending(0x03) == 0 &&
               collection.readsSent() >= 9;
    }));
    EXPECT_FALSE(collection.stopped());
    EXPECT_EQ(collection.pending(0x02), Collection::Unread);
    EXPECT_EQ(collection.pendingUnits(), QStringList{QStringLiteral("02 Sklad")});
    EXPECT_EQ(storedRows().size(), 7);
    EXPECT_TRUE(logHasLineEndingWith(QStringLiteral(" 02 Sklad - Žádná odpověď")));
    collection.KonecSberuDat();
    EXPECT_TRUE(collection.stopped());
}

TEST_F(CollectionOnTheLine, EventWithImpossibleTimeIsLoggedAndTheOthersStored)
{
    struct Case
    {
        const char *name;
        quint8 minute, month;
    } cases[] = {{"minute 60", 0x60, 0x01}, {"month 13", 0x05, 0x13}};
    quint8 address = 0x10;
    for (const Case &c : cases) {
        addUnit(address, "Dílna", 2);
        EventSlot bad = makeEventSlot(keyFromText(u"01665544332211"),
                                      QDateTime(QDate(2027, 1, 3), QTime(7, 0)), 0);
        bad.minute = c.minute;
        bad.month = c.month;
        addEvent(address, bad);
        ++address;
    }
    startLine();
    ASSERT_TRUE(runToEnd());
    expected.sort();
    EXPECT_EQ(storedRows(), expected);
    int rejected = 0;
    for (const QString &line : collection.log())
        rejected += line.endsWith(QStringLiteral(" - chybné časové údaje!"));
    EXPECT_EQ(rejected, 2);
}

// A block that did not arrive whole and right is not acknowledged: the unit
// hands it out again and each event is stored once.
TEST_F(CollectionOnTheLine, DamagedBlockIsNotStoredAndIsReadAgain)
{
    addUnit(0x01, "Vrátnice", 5);
    addUnit(0x02, "Sklad", 7);
    addUnit(0x03, "Kancelář", 0);
    startLine();
    ASSERT_TRUE(simulator.setFault(0x01, sim::Fault::BadChecksum, 1));
    ASSERT_TRUE(simulator.setFault(0x02, sim::Fault::TrailingNoise, 1));
    ASSERT_TRUE(runToEnd());
    expected.sort();
    EXPECT_EQ(storedRows(), expected);
    EXPECT_TRUE(logHasLineEndingWith(QStringLiteral(" 01 Vrátnice - chyba Rx-CRC")));
    EXPECT_TRUE(logHasLineEndingWith(QStringLiteral("  Nesprávná délka paketu: 264")));
    EXPECT_TRUE(collection.log().contains(QStringLiteral("01 Vrátnice - 5 událostí")));
    EXPECT_TRUE(collection.log().contains(QStringLiteral("02 Sklad - 7 událostí")));
}

// A full disk: the collection stops at the first block it cannot store,
// with the engine's reason, and the unit keeps that block; once there is
// room again the next collection stores every event exactly once.
TEST_F(CollectionOnTheLine, ABlockThatCannotBeStoredStopsTheCollectionAndStaysInTheUnit)
{
    addUnit(0x01, "Vrátnice", 30);
    addUnit(0x02, "Sklad", 30);
    startLine();
    {
        testing::FileSizeLimit full(0);
        ASSERT_TRUE(full.isSet());
        ASSERT_TRUE(runToEnd());
    }
    EXPECT_TRUE(collection.failure().startsWith(QStringLiteral("Události nebyly uloženy: ")))
        << collection.failure().toStdString();
    EXPECT_EQ(collection.log().last(), collection.failure());
    EXPECT_TRUE(storedRows().isEmpty());
    // Nothing was acknowledged while the table refused the blocks.
    for (const sim::HeardFrame &f : simulator.heard())
        EXPECT_NE(f.kind, sim::HeardFrame::Acknowledge);

    ASSERT_TRUE(runToEnd());
    EXPECT_TRUE(collection.failure().isEmpty());
    expected.sort();
    EXPECT_EQ(storedRows(), expected);
}

TEST_F(CollectionOnTheLine, LogIsClearedOncePastAThousandLines)
{
    addUnit(0x01, "Vrátnice", 1100);
    startLine();
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(storedRows().size(), 1100);
    EXPECT_LT(collection.log().size(), 1000);
    EXPECT_EQ(collection.log().last(), QStringLiteral("01 Vrátnice - 0 událostí"));
}

TEST_F(CollectionOnTheLine, WithoutUnitsTheCollectionStaysStopped)
{
    startLine();
    EXPECT_FALSE(collection.FormCreate());
    EXPECT_TRUE(collection.stopped());
    collection.sbdTimerTimer();
    EXPECT_TRUE(simulator.heard().isEmpty());
}

} // namespace
} // namespace vardex
