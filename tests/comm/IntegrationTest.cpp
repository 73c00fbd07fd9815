// The real serial port against the simulated line of units on a
// pseudo-terminal, driven through the command functions.
#include "accessdata/TDB0DM.h"
#include "comm/Protocol.h"
#include "comm/TComHwj.h"
#include "comm/UnitCommands.h"
#include "comm/UnitLineEnd.h"
#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace vardex {
namespace {

using testing::waitUntil;
using Povel = std::function<bool(UnitCommands &)>;

struct Delivery
{
    QByteArray buffer;
    int resCom = 0;
};

class PortAndSimulator : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
        Table &u = db.tbUni;
        ASSERT_TRUE(u.append());
        u.setString(QStringLiteral("ADRESA"), QStringLiteral("05"));
        u.setString(QStringLiteral("TYP"), QStringLiteral("03"));
        u.setString(QStringLiteral("ALARM"), QStringLiteral("0F"));
        u.setString(QStringLiteral("RELE"), QStringLiteral("21"));
        u.setString(QStringLiteral("KONFIG"), QStringLiteral("00112233445566778899AABBCCDDEEFF"));
        ASSERT_TRUE(u.post());
        commands.opravneni.key = keyFromText(u"01665544332211");
        commands.opravneni.windowStart = packTime(6, 0);
        commands.opravneni.windowEnd = packTime(18, 0);
        commands.opravneni.dayMask = 0x7F;
        commands.opravneni.address = 0x05;
        commands.opravneni.attribute = 0x03;

        sim::UnitSetup unit;
        unit.address = 0x05;
        unit.type = 3;
        unit.state = UnitStateCode::Configured;
        simulator.addUnit(unit);
        QString error;
        ASSERT_TRUE(simulator.start(&error)) << error.toStdString();

        port.SetCommPort(simulator.slavePath());
        port.SetWaitTimeout(700);
        // The handler keeps every reply, so it acknowledges what the unit
        // waits for its receiver to acknowledge.
        port.OnReceiveData = [this](const QByteArray &buffer) {
            deliveries.push_back({buffer, port.ResCom()});
            port.Acknowledge();
        };
        const OpenPortResult opened = port.OpenPort();
        ASSERT_TRUE(opened.ok) << (opened.error ? opened.error->Message.toStdString() : "");
    }

    void TearDown() override { port.ClosePort(); }

    // Sends one command and waits for its outcome.
    Delivery exchange(const Povel &povel)
    {
        const size_t before = deliveries.size();
        EXPECT_TRUE(povel(commands));
        EXPECT_TRUE(waitUntil([&] { return deliveries.size() > before; }, 3000));
        return deliveries.size() > before ? deliveries.back() : Delivery{};
    }

    testing::TempDir dir;
    testing::ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2024, 12, 24), QTime(14, 30, 5))};
    TDB0DM db{dir.path(), messages, clock};
    sim::Kvr8Simulator simulator{clock};
    TComHwj port;
    UnitCommands commands{db, port};
    std::vector<Delivery> deliveries;
};

TEST_F(PortAndSimulator, EveryCommandReachesTheUnitAsBuiltAndGetsItsAnswer)
{
    struct Case
    {
        const char *name;
        Povel povel;
        int replyLength; // of the chunk delivered
        const char *status;
    } cases[] = {
        {"80", &UnitCommands::PovelKonfiguraceJednotky, 1, "akceptováno"},
        {"85", &UnitCommands::PovelNulovat, 1, "akceptováno"},
        {"81", &UnitCommands::PovelDuplicitniOpravneni, 1, "akceptováno"},
        {"87", &UnitCommands::PovelOpravneni, 1, "akceptováno"},
        {"82", &UnitCommands::PovelZakazOpravneni, 1, "akceptováno"},
        {"82 again", &UnitCommands::PovelZakazOpravneni, 1, "chyba: nelze"},
        {"8F", &UnitCommands::PovelDocasnyZakaz, 1, "akceptováno"},
        {"90", &UnitCommands::PovelDocasnyPovoleno, 1, "akceptováno"},
        {"89", &UnitCommands::PovelZapisSaldo, 1, "akceptováno"},
        {"8B", &UnitCommands::PovelNastavReleMask, 1, "akceptováno"},
        {"8C", &UnitCommands::PovelNastavTamperMask, 1, "akceptováno"},
        {"B0", &UnitCommands::PovelCasoveOknoTimer, 1, "akceptováno"},
        {"B1", &UnitCommands::PovelOpravneniTimer, 1, "akceptováno"},
        {"83", &UnitCommands::PovelNastavCas, 1, "akceptováno"},
        {"86", &UnitCommands::PovelUzamknout, 1, "akceptováno"},
        {"85 locked", &UnitCommands::PovelNulovat, 1, "chyba: uzamčeno"},
        {"84", &UnitCommands::PovelPrectiUdalosti, 261, "akceptováno"},
        {"88", &UnitCommands::PovelPrectiPamet, 261, "akceptováno"},
        {"8D", &UnitCommands::PovelNaPocatekPameti, 1, "akceptováno"},
        {"8A", &UnitCommands::PovelPrectiStavHwj, 261, "akceptováno"},
        {"8E", &UnitCommands::PovelPrectiJednuUdalost, 17, "akceptováno"},
        {"8E to 05", [](UnitCommands &c) { return c.PovelPrectiUdalostAdresa(0x05); }, 17,
         "akceptováno"},
    };
    qint64 longestGapUs = 0;
    for (const Case &c : cases) {
        simulator.clearHeard();
        const Delivery d = exchange(c.povel);
        EXPECT_EQ(d.buffer.size(), c.replyLength) << c.name;
        EXPECT_EQ(statusText(quint8(d.resCom)), QString::fromUtf8(c.status)) << c.name;
        // A data reply with a good checksum is acknowledged.
        const int heard = c.replyLength > 1 ? 2 : 1;
        ASSERT_TRUE(simulator.waitForHeard(heard, 3000)) << c.name;
        const QList<sim::HeardFrame> frames = simulator.heard();
        EXPECT_EQ(frames[0].bytes, commands.lastFrame()) << c.name;
        if (heard == 2) {
            EXPECT_EQ(frames[1].kind, sim::HeardFrame::Acknowledge) << c.name;
        }
        longestGapUs = std::max(longestGapUs, frames[0].gapAfterAddressUs);
    }
    // What the commands did to the unit.
    const sim::SimUnit unit = *simulator.unit(0x05);
    EXPECT_EQ(unit.state(), UnitStateCode::Locked);
    EXPECT_EQ(unit.configBlock(), db.tbUniGetKonfig());
    EXPECT_EQ(unit.alarmMask(), 0x0F);
    EXPECT_EQ(unit.relayMask(), 0x21);
    EXPECT_EQ(unit.permissions().size(), 0); // 0x81 and 0x87 kept one, 0x82 withdrew it
    EXPECT_EQ(unit.clockAt(clock.now()), clock.now());
    // The address byte stands alone on the line for at least 5 ms; a late
    // wake of the simulator can only shorten what it measures.
    EXPECT_GE(longestGapUs, 5000);
}

TEST_F(PortAndSimulator, EventBlocksMoveOnOnlyAfterTheAcknowledgement)
{
    for (int i = 0; i < 25; ++i)
        simulator.changeInput(0x05, i % 4, 3);

    simulator.setFault(0x05, sim::Fault::BadChecksum, 1);
    Delivery d = exchange(&UnitCommands::PovelPrectiUdalosti);
    EXPECT_EQ(d.resCom, Status::Inadmissible);
    EXPECT_EQ(eventsInBlock(d.buffer.left(260)).size(), 21);
    // Not acknowledged: the unit still holds all 25.
    d = exchange(&UnitCommands::PovelPrectiUdalosti);
    EXPECT_EQ(d.resCom, Status::Accepted);
    EXPECT_EQ(quint8(d.buffer[260]), 0); // the checksum byte is cleared for the handler
    ASSERT_TRUE(waitUntil([&] { return simulator.unit(0x05)->waitingEvents() == 4; }, 3000));
    d = exchange(&UnitCommands::PovelPrectiUdalosti);
    EXPECT_EQ(eventsInBlock(d.buffer.left(260)).size(), 4);
    ASSERT_TRUE(waitUntil([&] { return simulator.unit(0x05)->waitingEvents() == 0; }, 3000));
    d = exchange(&UnitCommands::PovelPrectiUdalosti);
    EXPECT_EQ(eventsInBlock(d.buffer.left(260)).size(), 0);
}

TEST_F(PortAndSimulator, FaultsOfTheUnitAsThePortSeesThem)
{
    // Silence: a time-out with no data.
    simulator.setFault(0x05, sim::Fault::Silent, 1);
    Delivery d = exchange(&UnitCommands::PovelPrectiStavHwj);
    EXPECT_EQ(d.resCom, Status::NoAnswer);
    EXPECT_TRUE(d.buffer.isEmpty());

    // Another address: a good checksum, so it is accepted; the handler must
    // look at byte 0.
    simulator.setFault(0x05, sim::Fault::OtherAddress, 1);
    d = exchange(&UnitCommands::PovelPrectiStavHwj);
    EXPECT_EQ(d.resCom, Status::Accepted);
    EXPECT_EQ(quint8(d.buffer[0]), 0x06);

    // Noise before the reply spoils its checksum.
    simulator.setFault(0x05, sim::Fault::Garbage, 1);
    d = exchange(&UnitCommands::PovelPrectiStavHwj);
    EXPECT_EQ(d.resCom, Status::Inadmissible);
    EXPECT_EQ(d.buffer.size(), 264);

    // A reply split by a pause arrives as two chunks; the second comes
    // unasked.
    simulator.setFault(0x05, sim::Fault::SplitReply, 1);
    const size_t before = deliveries.size();
    ASSERT_TRUE(commands.PovelPrectiStavHwj());
    ASSERT_TRUE(waitUntil([&] { return deliveries.size() >= before + 2; }, 3000));
    EXPECT_EQ(deliveries[before].buffer.size() + deliveries[before + 1].buffer.size(), 261u);
    EXPECT_EQ(deliveries[before].resCom, Status::Inadmissible);

    // Back to normal.
    d = exchange(&UnitCommands::PovelPrectiStavHwj);
    EXPECT_EQ(d.resCom, Status::Accepted);
    EXPECT_EQ(UnitState::fromBytes(d.buffer).address, 0x05);
}

} // namespace
} // namespace vardex
