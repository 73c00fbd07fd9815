// The collection driven through the real serial port against simulated
// units on a pseudo-terminal.
#include "unitops/Collection.h"
#include "LineSite.h"
#include "accessdata/UnitCatalogue.h"
#include "support/FileSizeLimit.h"
#include "text/HexText.h"

#include <QTimer>

namespace vardex {
namespace {

using testing::waitUntil;

class CollectionOnTheLine : public ::testing::Test, public testing::LineSite
{
protected:
    void TearDown() override { db.KomHwj.ClosePort(); } // before the units go

    // A unit in the table and on the line with `events` events waiting, at
    // one-minute steps from `from`.
    void addUnit(quint8 address, const char *name, int events,
                 const QDateTime &from = QDateTime(QDate(2027, 1, 2), QTime(6, 0)))
    {
        ASSERT_TRUE(db.tbUniDefaultByType(UnitType::Access));
        db.tbUni.edit();
        db.tbUni.setString(QStringLiteral("ADRESA"), byteToHex(address));
        db.tbUni.setString(QStringLiteral("NAZEV"), QString::fromUtf8(name));
        ASSERT_TRUE(db.tbUni.post());
        config.units.append(sim::UnitSetup{address});
        for (int i = 0; i < events; ++i) {
            const QDateTime at = from.addSecs(60 * i);
            KeyBytes key = keyFromText(u"01000000000000");
            key[6] = quint8(i);
            config.events.append({address, makeEventSlot(key, at, quint8(i % 4))});
            expected.append(byteToHex(address) + at.toString(QStringLiteral(" yyyy-MM-dd hh:mm ")) +
                            keyToText(key) + QLatin1Char(' ') + byteToHex(quint8(i % 4)));
        }
        expected.sort();
    }

    // Opens the collection and ticks it until `done`.
    bool run(const std::function<bool()> &done = {})
    {
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [this] { collection.sbdTimerTimer(); });
        ticks.start(1);
        const auto stopped = [this] { return collection.stopped(); };
        return collection.FormCreate() && waitUntil(done ? done : stopped, 20000);
    }

    bool logHasLineEndingWith(const QString &end) const
    {
        return std::any_of(collection.log().begin(), collection.log().end(),
                           [&](const QString &l) { return l.endsWith(end); });
    }

    sim::Kvr8Simulator simulator{clock};
    sim::SimConfig config;
    QStringList expected;
    Collection collection{db};
};

TEST_F(CollectionOnTheLine, SilentUnitStaysPendingWhileTheOthersAreEmptied)
{
    addUnit(0x01, "Vrátnice", 3);
    addUnit(0x02, "Sklad", 2);
    addUnit(0x03, "Kancelář", 4);
    config.faults.append({0x02, sim::Fault::Silent});
    ASSERT_TRUE(openPortOn(simulator, config));
    ASSERT_TRUE(run([this] {
        return collection.pending(0x01) == 0 && collection.pending(0x03) == 0 &&
               collection.readsSent() >= 9;
    }));
    EXPECT_FALSE(collection.stopped());
    EXPECT_EQ(collection.pending(0x02), Collection::Unread);
    EXPECT_EQ(collection.pendingUnits(), QStringList{QStringLiteral("02 Sklad")});
    EXPECT_EQ(storedEvents().size(), 7);
    EXPECT_TRUE(logHasLineEndingWith(QStringLiteral(" 02 Sklad - Žádná odpověď")));
    collection.KonecSberuDat();
    EXPECT_TRUE(collection.stopped());
}

// A block that did not arrive whole and right is not acknowledged: the unit
// hands it out again and each event is stored once.
TEST_F(CollectionOnTheLine, DamagedBlockIsNotStoredAndIsReadAgainAndEveryUnitIsEmptied)
{
    addUnit(0x01, "Vrátnice", 0);
    // December's events read in January belong to last year.
    addUnit(0x02, "Sklad", 5, QDateTime(QDate(2026, 12, 31), QTime(23, 57)));
    addUnit(0x03, "Kancelář", 50);
    ASSERT_TRUE(openPortOn(simulator, config));
    ASSERT_TRUE(simulator.setFault(0x02, sim::Fault::BadChecksum, 1));
    ASSERT_TRUE(simulator.setFault(0x03, sim::Fault::TrailingNoise, 1));
    ASSERT_TRUE(run());
    EXPECT_EQ(storedEvents(), expected);
    EXPECT_TRUE(collection.VsechnoNulove());
    EXPECT_TRUE(logHasLineEndingWith(QStringLiteral(" 02 Sklad - chyba Rx-CRC")));
    EXPECT_TRUE(logHasLineEndingWith(QStringLiteral("  Nesprávná délka paketu: 264")));
    for (const char *line : {"01 Vrátnice - 0 událostí", "02 Sklad - 5 událostí",
                             "03 Kancelář - 21 událostí", "03 Kancelář - 8 událostí"})
        EXPECT_TRUE(collection.log().contains(QString::fromUtf8(line))) << line;
    // The first tick moves on before it sends.
    EXPECT_EQ(simulator.heard().value(0).bytes.left(1), QByteArray(1, 0x02));
    // A reply after the end no longer reaches the collection.
    EXPECT_FALSE(bool(db.KomHwj.OnReceiveData));
}

// A full disk: the collection stops at the first block it cannot store,
// with the engine's reason, and the unit keeps that block; once there is
// room again the next collection stores every event exactly once.
TEST_F(CollectionOnTheLine, ABlockThatCannotBeStoredStopsTheCollectionAndStaysInTheUnit)
{
    addUnit(0x01, "Vrátnice", 30);
    addUnit(0x02, "Sklad", 30);
    ASSERT_TRUE(openPortOn(simulator, config));
    {
        testing::FileSizeLimit full(0);
        ASSERT_TRUE(full.isSet());
        ASSERT_TRUE(run());
    }
    EXPECT_TRUE(collection.failure().startsWith(QStringLiteral("Události nebyly uloženy: ")))
        << collection.failure().toStdString();
    EXPECT_EQ(collection.log().last(), collection.failure());
    EXPECT_TRUE(storedEvents().isEmpty());
    // Nothing was acknowledged while the table refused the blocks.
    for (const sim::HeardFrame &f : simulator.heard())
        EXPECT_NE(f.kind, sim::HeardFrame::Acknowledge);

    ASSERT_TRUE(run());
    EXPECT_TRUE(collection.failure().isEmpty());
    EXPECT_EQ(storedEvents(), expected);
}

TEST_F(CollectionOnTheLine, WithoutUnitsTheCollectionStaysStopped)
{
    ASSERT_TRUE(openPortOn(simulator, config));
    EXPECT_FALSE(collection.FormCreate());
    EXPECT_TRUE(collection.stopped());
    collection.sbdTimerTimer();
    EXPECT_TRUE(simulator.heard().isEmpty());
}

} // namespace
} // namespace vardex
