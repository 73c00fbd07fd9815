// The command functions: the frames they build, and the real serial port
// driving them against the simulated line of units on a pseudo-terminal.
#include "comm/UnitCommands.h"

#include "accessdata/TDB0DM.h"
#include "comm/CommandPort.h"
#include "comm/Protocol.h"
#include "comm/TComHwj.h"
#include "comm/UnitLineEnd.h"
#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "text/HexText.h"

#include <gtest/gtest.h>

#include <functional>

namespace vardex {
namespace {

using testing::Delivery;
using testing::waitUntil;
using Povel = std::function<bool(UnitCommands &)>;

// A port that takes every frame (or none while busy) and remembers it.
class RecordingPort final : public CommandPort
{
public:
    bool SendCommand(const QByteArray &frame, quint16 expectedReplyLength, ReplyAck ack) override
    {
        if (busy)
            return false;
        sent.emplace_back(frame, expectedReplyLength, ack);
        return true;
    }
    bool IsFree() const override { return !busy; }

    bool busy = false;
    std::vector<std::tuple<QByteArray, quint16, ReplyAck>> sent;
};

// Unit 05 in the table, and the record the permission commands send,
// through the port `Port`.
template <class Port> class UnitFive : public ::testing::Test
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
        ASSERT_TRUE(u.post()) << u.errorMessage().toStdString();
        commands.opravneni = {
            keyFromText(u"01665544332211"), packTime(6, 30), packTime(18, 45), 0x7F, 0x07, 0x05};
        commands.saldo = 0x1234;
        commands.timerOpravneni = *parseHexBytes(u"0102030405060708090A0B0C0D");
    }

    testing::TempDir dir;
    testing::ScriptedMessages messages;
    // 24.12.2024 is a Tuesday.
    FixedClock clock{QDateTime(QDate(2024, 12, 24), QTime(14, 30, 5))};
    TDB0DM db{dir.path(), messages, clock};
    Port port;
    UnitCommands commands{db, port};
};

// Every command in an order a unit accepts them in: the frame it builds
// (checksum left out), the reply length it asks for, and the unit's answer.
const struct Command
{
    const char *name;
    Povel povel;
    const char *frame;
    int replyLength;
    const char *status = "akceptováno";
} kCommands[] = {
    {"80", &UnitCommands::PovelKonfiguraceJednotky, "05138000112233445566778899AABBCCDDEEFF", 1},
    {"85", &UnitCommands::PovelNulovat, "050385", 1},
    // The permission goes to the record's unit (07), not the current one;
    // the window's hours and minutes in BCD.
    {"81", &UnitCommands::PovelDuplicitniOpravneni, "07108105011122334455667F06301845", 1},
    {"87", &UnitCommands::PovelOpravneni, "07108705011122334455667F06301845", 1},
    {"82", &UnitCommands::PovelZakazOpravneni, "050B820501112233445566", 1},
    {"82 again", &UnitCommands::PovelZakazOpravneni, "050B820501112233445566", 1, "chyba: nelze"},
    {"8F", &UnitCommands::PovelDocasnyZakaz, "050B8F0501112233445566", 1},
    {"90", &UnitCommands::PovelDocasnyPovoleno, "050B900501112233445566", 1},
    // Key, then the balance little-endian.
    {"89", &UnitCommands::PovelZapisSaldo, "050C89011122334455663412", 1},
    {"8B", &UnitCommands::PovelNastavReleMask, "05048B21", 1},
    {"8C", &UnitCommands::PovelNastavTamperMask, "05048C0F", 1},
    // Type 3 takes the attribute's low four bits as the section; hours and
    // minutes as plain numbers.
    {"B0", &UnitCommands::PovelCasoveOknoTimer, "0508B005061E122D", 1},
    {"B1", &UnitCommands::PovelOpravneniTimer, "0510B10102030405060708090A0B0C0D", 1},
    {"83", &UnitCommands::PovelNastavCas, "050A8305301424120224", 1},
    {"86", &UnitCommands::PovelUzamknout, "050386", 1},
    {"85 locked", &UnitCommands::PovelNulovat, "050385", 1, "chyba: uzamčeno"},
    {"84", &UnitCommands::PovelPrectiUdalosti, "050384", 260},
    {"88", &UnitCommands::PovelPrectiPamet, "050388", 260},
    {"8D", &UnitCommands::PovelNaPocatekPameti, "05038D", 1},
    {"8A", &UnitCommands::PovelPrectiStavHwj, "05038A", 260},
    {"8E", &UnitCommands::PovelPrectiJednuUdalost, "05038E", 16},
    {"8E to 2A", [](UnitCommands &c) { return c.PovelPrectiUdalostAdresa(0x2A); }, "2A038E", 16},
};

using UnitCommandsTest = UnitFive<RecordingPort>;

TEST_F(UnitCommandsTest, EveryCommandSendsItsDataBytesWithItsReplyLengthButNotThroughABusyPort)
{
    for (const Command &c : kCommands) {
        port.sent.clear();
        ASSERT_TRUE(c.povel(commands)) << c.name;
        ASSERT_EQ(port.sent.size(), 1u) << c.name;
        const auto &[sent, replyLength, ack] = port.sent[0];
        QByteArray frame = *parseHexBytes(QString::fromLatin1(c.frame));
        frame.append(char(checksum(frame))); // the sum of the bytes before it
        EXPECT_EQ(bytesToHex(sent), bytesToHex(frame)) << c.name;
        EXPECT_EQ(replyLength, c.replyLength) << c.name;
        // Events and memory blocks are acknowledged by whoever keeps them.
        const bool handsOut = QByteArrayList{"84", "88", "8E"}.contains(QByteArray(c.name, 2));
        EXPECT_EQ(ack, handsOut ? ReplyAck::ByReceiver : ReplyAck::ByPort) << c.name;
        EXPECT_EQ(commands.lastFrame(), sent) << c.name;
    }
    port.busy = true;
    EXPECT_FALSE(commands.PovelPrectiUdalosti());
    EXPECT_FALSE(commands.PovelOpravneni());
    EXPECT_EQ(port.sent.size(), 1u);
}

class PortAndSimulator : public UnitFive<TComHwj>
{
protected:
    void SetUp() override
    {
        UnitFive<TComHwj>::SetUp();
        commands.opravneni.address = 0x05; // the simulated unit
        simulator.addUnit({.address = 0x05, .type = 3, .state = UnitStateCode::Configured});
        simulator.addUnit({.address = 0x2A});
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

    sim::Kvr8Simulator simulator{clock};
    std::vector<Delivery> deliveries;
};

TEST_F(PortAndSimulator, EveryCommandReachesTheUnitAsBuiltAndGetsItsAnswer)
{
    qint64 longestGapUs = 0;
    for (const Command &c : kCommands) {
        simulator.clearHeard();
        const Delivery d = exchange(c.povel);
        EXPECT_EQ(d.buffer.size(), c.replyLength > 1 ? c.replyLength + 1 : 1) << c.name;
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

TEST_F(PortAndSimulator, FaultsOfTheUnitAsThePortSeesThem)
{
    // Another unit's reply has a good checksum, so it is accepted; the
    // handler must look at byte 0.
    simulator.setFault(0x05, sim::Fault::OtherAddress, 1);
    Delivery d = exchange(&UnitCommands::PovelPrectiStavHwj);
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

    d = exchange(&UnitCommands::PovelPrectiStavHwj);
    EXPECT_EQ(d.resCom, Status::Accepted);
    EXPECT_EQ(UnitState::fromBytes(d.buffer).address, 0x05);
}

} // namespace
} // namespace vardex
