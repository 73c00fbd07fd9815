#include "comm/UnitCommands.h"

#include "accessdata/TDB0DM.h"
#include "comm/CommandPort.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "text/HexText.h"

#include <gtest/gtest.h>

#include <functional>

namespace vardex {
namespace {

// A port that takes every frame (or none while busy) and remembers it.
class RecordingPort final : public CommandPort
{
public:
    bool SendCommand(const QByteArray &frame, quint16 expectedReplyLength, ReplyAck ack) override
    {
        if (busy)
            return false;
        frames.append(frame);
        lengths.append(expectedReplyLength);
        acks.append(ack);
        return true;
    }
    bool IsFree() const override { return !busy; }

    bool busy = false;
    QList<QByteArray> frames;
    QList<quint16> lengths;
    QList<ReplyAck> acks;
};

class UnitCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
        Table &u = db.tbUni;
        ASSERT_TRUE(u.append());
        u.setString(QStringLiteral("ADRESA"), QStringLiteral("05"));
        u.setString(QStringLiteral("NAZEV"), QStringLiteral("Vrátnice"));
        u.setString(QStringLiteral("TYP"), QStringLiteral("03"));
        u.setString(QStringLiteral("ALARM"), QStringLiteral("0F"));
        u.setString(QStringLiteral("RELE"), QStringLiteral("21"));
        u.setString(QStringLiteral("KONFIG"), QStringLiteral("00112233445566778899AABBCCDDEEFF"));
        ASSERT_TRUE(u.post()) << u.errorMessage().toStdString();

        commands.opravneni.key = keyFromText(u"01665544332211");
        commands.opravneni.windowStart = packTime(6, 30);
        commands.opravneni.windowEnd = packTime(18, 45);
        commands.opravneni.dayMask = 0x7F;
        commands.opravneni.address = 0x07;
        commands.opravneni.attribute = 0x05;
        commands.saldo = 0x1234;
        commands.timerOpravneni = *parseHexBytes(u"0102030405060708090A0B0C0D");
    }

    testing::TempDir dir;
    testing::ScriptedMessages messages;
    // 24.12.2024 is a Tuesday.
    FixedClock clock{QDateTime(QDate(2024, 12, 24), QTime(14, 30, 5))};
    TDB0DM db{dir.path(), messages, clock};
    RecordingPort port;
    UnitCommands commands{db, port};
};

// The frame without its checksum, which is the sum of the bytes before it.
QByteArray framed(const char *head)
{
    QByteArray f = *parseHexBytes(QString::fromLatin1(head));
    f.append(char(checksum(f)));
    return f;
}

TEST_F(UnitCommandsTest, EveryCommandSendsItsDataBytesWithItsReplyLength)
{
    struct Case
    {
        const char *name;
        std::function<bool(UnitCommands &)> send;
        const char *frame;
        int replyLength;
    } cases[] = {
        {"80", &UnitCommands::PovelKonfiguraceJednotky, "05138000112233445566778899AABBCCDDEEFF",
         1},
        // The permission goes to the record's unit (07), not the current one;
        // the window's hours and minutes in BCD.
        {"81", &UnitCommands::PovelDuplicitniOpravneni,
         "0710810501112233445566"
         "7F06301845",
         1},
        {"82", &UnitCommands::PovelZakazOpravneni, "050B820501112233445566", 1},
        {"83", &UnitCommands::PovelNastavCas, "050A8305301424120224", 1},
        {"84", &UnitCommands::PovelPrectiUdalosti, "050384", 260},
        {"85", &UnitCommands::PovelNulovat, "050385", 1},
        {"86", &UnitCommands::PovelUzamknout, "050386", 1},
        {"87", &UnitCommands::PovelOpravneni,
         "0710870501112233445566"
         "7F06301845",
         1},
        {"88", &UnitCommands::PovelPrectiPamet, "050388", 260},
        // Key, then the balance little-endian.
        {"89", &UnitCommands::PovelZapisSaldo, "050C89011122334455663412", 1},
        {"8A", &UnitCommands::PovelPrectiStavHwj, "05038A", 260},
        {"8B", &UnitCommands::PovelNastavReleMask, "05048B21", 1},
        {"8C", &UnitCommands::PovelNastavTamperMask, "05048C0F", 1},
        {"8D", &UnitCommands::PovelNaPocatekPameti, "05038D", 1},
        {"8E", &UnitCommands::PovelPrectiJednuUdalost, "05038E", 16},
        {"8E to 2A", [](UnitCommands &c) { return c.PovelPrectiUdalostAdresa(0x2A); }, "2A038E",
         16},
        {"8F", &UnitCommands::PovelDocasnyZakaz, "050B8F0501112233445566", 1},
        {"90", &UnitCommands::PovelDocasnyPovoleno, "050B900501112233445566", 1},
        // Type 3 takes the attribute's low four bits as the section; hours
        // and minutes as plain numbers.
        {"B0", &UnitCommands::PovelCasoveOknoTimer, "0508B005061E122D", 1},
        {"B1", &UnitCommands::PovelOpravneniTimer, "0510B10102030405060708090A0B0C0D", 1},
    };
    for (const Case &c : cases) {
        port.frames.clear();
        port.lengths.clear();
        port.acks.clear();
        ASSERT_TRUE(c.send(commands)) << c.name;
        ASSERT_EQ(port.frames.size(), 1) << c.name;
        EXPECT_EQ(bytesToHex(port.frames[0]), bytesToHex(framed(c.frame))) << c.name;
        EXPECT_EQ(port.lengths[0], c.replyLength) << c.name;
        // Events and memory blocks are acknowledged by whoever keeps them.
        const bool handsOut = QByteArray(c.name).startsWith("84") ||
                              QByteArray(c.name).startsWith("88") ||
                              QByteArray(c.name).startsWith("8E");
        EXPECT_EQ(port.acks[0], handsOut ? ReplyAck::ByReceiver : ReplyAck::ByPort) << c.name;
        EXPECT_EQ(commands.lastFrame(), port.frames[0]) << c.name;
    }
}

TEST_F(UnitCommandsTest, ABusyPortRefusesAndTheFunctionSaysSo)
{
    port.busy = true;
    EXPECT_FALSE(commands.PovelPrectiUdalosti());
    EXPECT_FALSE(commands.PovelOpravneni());
    EXPECT_TRUE(port.frames.isEmpty());
}

} // namespace
} // namespace vardex
