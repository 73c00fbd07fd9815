#include "comm/TComHwj.h"
#include "comm/Protocol.h"
#include "comm/ReplyClassification.h"
#include "comm/SerialReader.h"
#include "comm/SerialWriter.h"

#include "comm/UnitLineEnd.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace vardex {
namespace {

using testing::UnitLineEnd;
using testing::waitUntil;

const QByteArray kReadEvents("\x05\x03\x84\x8c", 4); // address 5, L 3, 0x84, checksum
const QByteArray kZero("\x05\x03\x85\x8d", 4);
const QByteArray kAck("\xaa", 1);

// A data reply of `length` bytes from `address`, then their sum (plus `skew`).
QByteArray dataReply(int length, quint8 address, int skew = 0)
{
    QByteArray bytes(1, char(address));
    for (int i = 1; i < length; ++i)
        bytes.append(char(i * 7));
    return bytes.append(char(checksum(bytes) + skew));
}

TEST(ReplyClassification, ClassifiesByExpectedLength)
{
    const struct
    {
        const char *name;
        QByteArray chunk;
        quint16 expected;
        int resCom;
        bool ack;
        bool checksumFailed;
        qsizetype zeroedAt; // -1: nothing overwritten
    } cases[] = {
        {"unitNotAdmissible", QByteArray("\xc0", 1), 1, 0xC0, false, false, -1},
        {"statusWhenLengthUnknown", QByteArray("\x80\x01", 2), 0, 0x80, false, false, -1},
        {"goodOneEvent", dataReply(16, 0x05), 16, 0xAA, true, false, 16},
        {"badChecksum", dataReply(16, 0x05, 1), 16, 0xC0, false, true, 16},
        // Line noise behind a good reply: never acknowledged, read again.
        {"longerThanExpected", dataReply(16, 0x05) + "xyz", 16, 0xAA, false, false, 16},
        {"unitRefusesDataCommand", QByteArray("\x90", 1), 260, 0x90, false, false, -1},
        {"oneShortOfChecksum", dataReply(16, 0x05).left(16), 16, 0xC0, false, true, -1},
    };
    for (const auto &c : cases) {
        QByteArray chunk = c.chunk;
        const ReplyClass reply = classifyReply(chunk, c.expected);
        EXPECT_EQ(reply.resCom, c.resCom) << c.name;
        EXPECT_EQ(reply.acknowledge, c.ack) << c.name;
        EXPECT_EQ(reply.checksumFailed, c.checksumFailed) << c.name;
        QByteArray expectedChunk = c.chunk;
        if (c.zeroedAt >= 0)
            expectedChunk[c.zeroedAt] = '\0';
        EXPECT_EQ(chunk, expectedChunk) << c.name;
    }
}

// A frame the line refuses (here a pipe: no parity can be set on it) ends
// the writer, and the failure reaches the main thread instead of vanishing.
TEST(SerialWriter, AFailedWriteIsReportedAndEndsTheThread)
{
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    EventFd stop;
    LineMailbox mailbox([] {});
    SerialWriter writer(pipeFds[1], stop.fd(), mailbox);
    ASSERT_TRUE(writer.start());
    writer.sendFrame(kReadEvents);
    std::vector<LineMessage::Kind> kinds;
    EXPECT_TRUE(waitUntil([&] {
        for (const LineMessage &m : mailbox.takeAll())
            kinds.push_back(m.kind);
        return kinds.size() >= 2;
    }));
    EXPECT_EQ(kinds, (std::vector{LineMessage::Kind::Ready, LineMessage::Kind::Failed}));
    stop.set();
    writer.join();
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
}

// The port's reader and writer threads the system still lists.
int portThreads()
{
    int count = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        const QByteArray name = comm.open(QIODevice::ReadOnly) ? comm.readAll().trimmed() : "";
        count += name == SerialReader::kThreadName || name == SerialWriter::kThreadName;
    }
    return count;
}

// A joined thread may stay listed for a moment while the system releases it.
bool noPortThreadLeft()
{
    return waitUntil([] { return portThreads() == 0; });
}

using testing::Delivery;

class SerialPort : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(unit.isValid());
        port.SetCommPort(unit.slavePath());
        port.SetWaitTimeout(1000);
        port.OnReceiveData = [this](const QByteArray &buffer) { keep(buffer); };
        const OpenPortResult opened = port.OpenPort();
        ASSERT_TRUE(opened.ok) << (opened.error ? opened.error->Message.toStdString() : "");
    }

    void keep(const QByteArray &buffer)
    {
        deliveries.push_back({buffer, port.ResCom(), port.ReplyChecksumFailed()});
    }
    bool waitForDeliveries(size_t count)
    {
        return waitUntil([&] { return deliveries.size() >= count; });
    }

    UnitLineEnd unit;
    TComHwj port;
    std::vector<Delivery> deliveries;
};

// The unit drops what it handed out on hearing 0xAA: a reply that carries
// events is acknowledged only by a receiver that has kept them, and only a
// whole, right reply of the unit asked.
TEST_F(SerialPort, OnlyAWholeReplyIsAcknowledgedAndEventsOnlyByTheirReceiver)
{
    const QByteArray reply = dataReply(260, 0x05);
    const struct
    {
        ReplyAck mode;
        bool receiverAcknowledges;
        QByteArray chunk;
        int resCom;
        bool whole; // may be acknowledged
    } cases[] = {
        {ReplyAck::ByPort, false, reply, 0xAA, true},
        {ReplyAck::ByReceiver, false, reply, 0xAA, true},
        {ReplyAck::ByReceiver, true, reply, 0xAA, true},
        // A good reply with line noise behind it in the same chunk.
        {ReplyAck::ByReceiver, true, reply + QByteArray("\x13\x00\xff", 3), 0xAA, false},
        {ReplyAck::ByPort, false, reply + QByteArray("\x13", 1), 0xAA, false},
        // Unacknowledged, another unit keeps its block.
        {ReplyAck::ByPort, false, dataReply(260, 0x06), 0xAA, false},
        {ReplyAck::ByPort, false, dataReply(260, 0x05, 1), 0xC0, false},
    };
    int n = 0;
    for (const auto &c : cases) {
        const bool acknowledged = c.whole && (c.mode == ReplyAck::ByPort || c.receiverAcknowledges);
        std::vector<bool> acknowledgedInHandler;
        port.OnReceiveData = [&](const QByteArray &buffer) {
            keep(buffer);
            if (c.receiverAcknowledges) {
                acknowledgedInHandler.push_back(port.Acknowledge());
                acknowledgedInHandler.push_back(port.Acknowledge()); // only once
            }
        };
        ASSERT_TRUE(port.SendCommand(kReadEvents, 260, c.mode));
        EXPECT_FALSE(port.IsFree());
        ASSERT_EQ(unit.read(4), kReadEvents);
        ASSERT_TRUE(unit.write(c.chunk));
        ASSERT_TRUE(waitForDeliveries(size_t(++n)));
        EXPECT_TRUE(port.IsFree());
        EXPECT_EQ(deliveries.back().resCom, c.resCom);
        EXPECT_EQ(deliveries.back().checksumFailed, c.resCom == 0xC0);
        // The checksum byte is cleared for the handler.
        EXPECT_EQ(deliveries.back().buffer, c.chunk.left(260) + '\0' + c.chunk.mid(261));
        EXPECT_EQ(port.LastReply().acknowledge, c.whole);
        if (c.receiverAcknowledges) {
            EXPECT_EQ(acknowledgedInHandler, (std::vector<bool>{acknowledged, false}));
        }
        EXPECT_FALSE(port.Acknowledge()); // too late once the handler has returned
        // After an acknowledgement the line carries 0xAA, then the next frame.
        ASSERT_TRUE(port.SendCommand(kZero, 1));
        EXPECT_EQ(unit.read(acknowledged ? 5 : 4), (acknowledged ? kAck : QByteArray()) + kZero);
        ASSERT_TRUE(unit.write(kAck));
        ASSERT_TRUE(waitForDeliveries(size_t(++n)));
    }
}

// The exchange is over before the handler runs: the handler may send the
// next request at once.
TEST_F(SerialPort, SecondRequestWhileBusyIsRefusedAndNotSentButTheHandlerMaySendOne)
{
    const QByteArray next("\x07\x03\x86\x90", 4);
    bool sentFromHandler = false;
    port.OnReceiveData = [&](const QByteArray &buffer) {
        keep(buffer);
        sentFromHandler = port.SendCommand(next, 1);
    };
    ASSERT_TRUE(port.SendCommand(kReadEvents, 1));
    EXPECT_FALSE(port.SendCommand(kZero, 1));
    EXPECT_EQ(unit.read(4), kReadEvents);
    ASSERT_TRUE(unit.write(QByteArray("\x90", 1)));
    ASSERT_TRUE(waitForDeliveries(1));
    EXPECT_EQ(deliveries[0].resCom, 0x90);
    EXPECT_TRUE(sentFromHandler);
    EXPECT_FALSE(port.IsFree()); // the second request is still outstanding
    // Had the refused frame been queued, it would come before this one.
    EXPECT_EQ(unit.read(4), next);
}

TEST_F(SerialPort, TimeOutGivesNoAnswerAndALateReplyIsStillDelivered)
{
    port.SetWaitTimeout(150);
    ASSERT_TRUE(port.SendCommand(kReadEvents, 16));
    ASSERT_EQ(unit.read(4), kReadEvents);
    ASSERT_TRUE(waitForDeliveries(1));
    EXPECT_TRUE(deliveries[0].buffer.isEmpty());
    EXPECT_EQ(deliveries[0].resCom, 1);

    // Classified with the last request's length, so it is acknowledged.
    ASSERT_TRUE(unit.write(dataReply(16, 0x05)));
    ASSERT_TRUE(waitForDeliveries(2));
    EXPECT_EQ(deliveries[1].resCom, 0xAA);
    EXPECT_EQ(unit.read(1), kAck);
}

TEST_F(SerialPort, ChunksHoldAtMost512Bytes)
{
    ASSERT_TRUE(port.SendCommand(kReadEvents, 1));
    ASSERT_EQ(unit.read(4), kReadEvents);
    ASSERT_TRUE(unit.write(QByteArray(600, 'x')));
    ASSERT_TRUE(waitForDeliveries(2));
    EXPECT_EQ(deliveries[0].buffer.size(), 512);
    EXPECT_EQ(deliveries[1].buffer.size(), 88);
}

TEST_F(SerialPort, AlreadyOpenPortStaysUsable)
{
    const OpenPortResult again = port.OpenPort();
    ASSERT_TRUE(!again.ok && again.error);
    EXPECT_TRUE(again.error->Message.startsWith(QStringLiteral("COM již byl otevřen")));
    ASSERT_TRUE(port.SendCommand(kReadEvents, 1));
    EXPECT_EQ(unit.read(4), kReadEvents);
    port.ClosePort();
    TComHwj other;
    other.SetCommPort(unit.slavePath());
    EXPECT_TRUE(other.OpenPort().ok); // closing left nothing locked
}

TEST_F(SerialPort, LossOfTheLineIsReportedAsHangup)
{
    bool hungUp = false;
    port.OnRequestHangup = [&] { hungUp = true; };
    unit.closeMaster();
    EXPECT_TRUE(waitUntil([&] { return hungUp; }));
}

TEST(SerialPortLifetime, CloseLeavesNoThreadBehind)
{
    UnitLineEnd unit;
    ASSERT_TRUE(unit.isValid());
    ASSERT_TRUE(noPortThreadLeft());
    {
        TComHwj port;
        port.SetCommPort(unit.slavePath());
        for (int round = 0; round < 3; ++round) {
            ASSERT_TRUE(port.OpenPort().ok);
            EXPECT_EQ(portThreads(), 2);
            ASSERT_TRUE(port.SendCommand(kReadEvents, 260)); // closed while busy
            port.ClosePort();
            EXPECT_TRUE(noPortThreadLeft());
            EXPECT_FALSE(port.IsOpen());
            EXPECT_TRUE(port.IsFree());
            EXPECT_FALSE(port.SendCommand(kReadEvents, 260));
            port.ClosePort(); // closing a closed port does nothing
        }
        ASSERT_TRUE(port.OpenPort().ok);
    } // destroyed while open
    EXPECT_TRUE(noPortThreadLeft());
}

// Every failed open names the device and says why, after the fixed text the
// operator already knows; the port stays closed, refuses to send, and leaves
// nothing locked.
TEST(SerialPortOpen, FailuresNameTheDeviceAndTheReasonAndKeepThePortClosed)
{
    testing::TempDir dir;
    const QString regular = dir.file(QStringLiteral("not-a-line"));
    QFile file(regular);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    UnitLineEnd held, free;
    ASSERT_TRUE(held.isValid() && free.isValid());
    TComHwj holder;
    holder.SetCommPort(held.slavePath());
    ASSERT_TRUE(holder.OpenPort().ok);

    const QString missing = dir.file(QStringLiteral("ttyS9"));
    const struct
    {
        QString name;
        int baudRate;
        QString message;
    } cases[] = {
        {missing, 2400, "Chyba při otevírání COM: " + missing + " – zařízení neexistuje"},
        {"LPT1", 2400,
         "Chyba při otevírání COM: LPT1 – název portu neoznačuje žádné zařízení (COM1 až COM9 "
         "nebo cesta začínající „/“)"},
        {regular, 2400, "Handle nepřísluší COM: " + regular + " – není to sériové zařízení"},
        {"/dev/null", 2400, "Handle nepřísluší COM: /dev/null – není to sériové zařízení"},
        {dir.path(), 2400, "Handle nepřísluší COM: " + dir.path() + " – není to sériové zařízení"},
        {held.slavePath(), 2400,
         "COM již byl otevřen: " + held.slavePath() + " – zařízení používá jiný program"},
        {free.slavePath(), 2401,
         "Chyba při otevírání COM: " + free.slavePath() + " – nepodporovaná rychlost 2401 Bd"},
    };
    for (const auto &c : cases) {
        TComHwj port;
        port.SetCommPort(c.name);
        port.SetBaudRate(c.baudRate);
        const OpenPortResult opened = port.OpenPort();
        ASSERT_TRUE(!opened.ok && opened.error) << c.name.toStdString();
        EXPECT_EQ(opened.error->Message, c.message);
        EXPECT_FALSE(port.IsOpen());
        EXPECT_FALSE(port.SendCommand(kReadEvents, 260));
        port.SetBaudRate(2400);
        EXPECT_EQ(port.OpenPort().ok, c.name == free.slavePath());
    }
}

} // namespace
} // namespace vardex
