#include "comm/TComHwj.h"
#include "comm/SerialReader.h"
#include "comm/SerialWriter.h"

#include "comm/UnitLineEnd.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace vardex {
namespace {

using testing::UnitLineEnd;
using testing::waitUntil;

const QByteArray kReadEvents("\x05\x03\x84\x8c", 4); // address 5, L 3, 0x84, checksum
const QByteArray kZero("\x05\x03\x85\x8d", 4);
const QByteArray kAck("\xaa", 1);

QByteArray dataReply(int length, quint8 address, int skew = 0)
{
    QByteArray bytes(1, char(address));
    for (int i = 1; i < length; ++i)
        bytes.append(char(i * 7));
    quint8 sum = 0;
    for (char byte : bytes)
        sum = quint8(sum + quint8(byte));
    bytes.append(char(quint8(sum + skew)));
    return bytes;
}

// The port's reader and writer threads the system still lists.
int portThreads()
{
    int count = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly))
            continue;
        const QByteArray name = comm.readAll().trimmed();
        if (name == SerialReader::kThreadName || name == SerialWriter::kThreadName)
            ++count;
    }
    return count;
}

// A joined thread may stay listed for a moment while the system releases it.
bool noPortThreadLeft()
{
    return waitUntil([] { return portThreads() == 0; });
}

struct Delivery
{
    QByteArray buffer;
    int resCom = 0;
    bool checksumFailed = false;
};

class SerialPort : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(unit.isValid());
        port.SetCommPort(unit.slavePath());
        port.SetWaitTimeout(1000);
        port.OnReceiveData = [this](const QByteArray &buffer) {
            deliveries.push_back({buffer, port.ResCom(), port.ReplyChecksumFailed()});
        };
        const OpenPortResult opened = port.OpenPort();
        ASSERT_TRUE(opened.ok) << (opened.error ? opened.error->Message.toStdString() : "");
    }

    bool waitForDeliveries(size_t count)
    {
        return waitUntil([&] { return deliveries.size() >= count; });
    }

    UnitLineEnd unit;
    TComHwj port;
    std::vector<Delivery> deliveries;
};

TEST_F(SerialPort, GoodReplyArrivesWholeAndIsAcknowledged)
{
    ASSERT_TRUE(port.SendCommand(kReadEvents, 260));
    EXPECT_FALSE(port.IsFree());
    ASSERT_EQ(unit.read(4), kReadEvents);

    const QByteArray reply = dataReply(260, 0x05);
    ASSERT_TRUE(unit.write(reply));
    ASSERT_TRUE(waitForDeliveries(1));
    EXPECT_EQ(deliveries[0].resCom, 0xAA);
    EXPECT_EQ(deliveries[0].buffer.size(), 261);
    EXPECT_EQ(deliveries[0].buffer.left(260), reply.left(260));
    EXPECT_EQ(deliveries[0].buffer.at(260), '\0');
    EXPECT_EQ(unit.read(1), kAck);
    EXPECT_TRUE(port.IsFree());
}

// The unit drops what it handed out on hearing 0xAA: a reply that carries
// events is acknowledged only by a receiver that has kept them, and only a
// reply that arrived exactly as long as asked.
TEST_F(SerialPort, OnlyAWholeReplyIsAcknowledgedAndEventsOnlyByTheirReceiver)
{
    const QByteArray reply = dataReply(260, 0x05);
    const struct
    {
        ReplyAck mode;
        bool receiverAcknowledges;
        QByteArray chunk;
        bool whole; // may be acknowledged
        bool acknowledged;
    } cases[] = {
        {ReplyAck::ByReceiver, false, reply, true, false},
        {ReplyAck::ByReceiver, true, reply, true, true},
        // A good reply with line noise behind it in the same chunk.
        {ReplyAck::ByReceiver, true, reply + QByteArray("\x13\x00\xff", 3), false, false},
        {ReplyAck::ByPort, false, reply + QByteArray("\x13", 1), false, false},
    };
    int n = 0;
    for (const auto &c : cases) {
        std::vector<bool> acknowledgedInHandler;
        port.OnReceiveData = [&](const QByteArray &buffer) {
            deliveries.push_back({buffer, port.ResCom(), port.ReplyChecksumFailed()});
            if (c.receiverAcknowledges) {
                acknowledgedInHandler.push_back(port.Acknowledge());
                acknowledgedInHandler.push_back(port.Acknowledge()); // only once
            }
        };
        ASSERT_TRUE(port.SendCommand(kReadEvents, 260, c.mode));
        ASSERT_EQ(unit.read(4), kReadEvents);
        ASSERT_TRUE(unit.write(c.chunk));
        ASSERT_TRUE(waitForDeliveries(size_t(++n)));
        EXPECT_EQ(deliveries.back().resCom, 0xAA);
        EXPECT_EQ(port.LastReply().acknowledge, c.whole);
        if (c.receiverAcknowledges) {
            EXPECT_EQ(acknowledgedInHandler, (std::vector<bool>{c.acknowledged, false}));
        }
        EXPECT_FALSE(port.Acknowledge()); // too late once the handler has returned
        // After an acknowledgement the line carries 0xAA, then the next frame.
        ASSERT_TRUE(port.SendCommand(kZero, 1));
        EXPECT_EQ(unit.read(c.acknowledged ? 5 : 4),
                  (c.acknowledged ? kAck : QByteArray()) + kZero);
        ASSERT_TRUE(unit.write(kAck));
        ASSERT_TRUE(waitForDeliveries(size_t(++n)));
    }
}

TEST_F(SerialPort, AReplyFromAnotherUnitIsDeliveredButNotAcknowledged)
{
    ASSERT_TRUE(port.SendCommand(kReadEvents, 260));
    ASSERT_EQ(unit.read(4), kReadEvents);
    ASSERT_TRUE(unit.write(dataReply(260, 0x06)));
    ASSERT_TRUE(waitForDeliveries(1));
    EXPECT_EQ(deliveries[0].resCom, 0xAA);
    EXPECT_EQ(quint8(deliveries[0].buffer.at(0)), 0x06);

    // Unacknowledged, unit 06 keeps its block: the next thing on the line is
    // the next frame.
    ASSERT_TRUE(port.SendCommand(kZero, 1));
    EXPECT_EQ(unit.read(4), kZero);
}

TEST_F(SerialPort, WrongChecksumGivesC0AndNoAcknowledgement)
{
    ASSERT_TRUE(port.SendCommand(kReadEvents, 16));
    ASSERT_EQ(unit.read(4), kReadEvents);
    ASSERT_TRUE(unit.write(dataReply(16, 0x05, 1)));
    ASSERT_TRUE(waitForDeliveries(1));
    EXPECT_EQ(deliveries[0].resCom, 0xC0);
    EXPECT_TRUE(deliveries[0].checksumFailed);
    EXPECT_EQ(deliveries[0].buffer.size(), 17);
    EXPECT_EQ(deliveries[0].buffer.at(16), '\0');

    // The next thing on the line is the next frame, not an acknowledgement.
    ASSERT_TRUE(port.SendCommand(kZero, 1));
    EXPECT_EQ(unit.read(4), kZero);
    ASSERT_TRUE(unit.write(QByteArray("\xc0", 1)));
    ASSERT_TRUE(waitForDeliveries(2));
    EXPECT_EQ(deliveries[1].resCom, 0xC0);
    EXPECT_FALSE(deliveries[1].checksumFailed);
}

TEST_F(SerialPort, SecondRequestWhileBusyIsRefusedAndNotSent)
{
    ASSERT_TRUE(port.SendCommand(kReadEvents, 1));
    EXPECT_FALSE(port.SendCommand(kZero, 1));
    EXPECT_EQ(unit.read(4), kReadEvents);
    ASSERT_TRUE(unit.write(QByteArray("\x90", 1)));
    ASSERT_TRUE(waitForDeliveries(1));
    EXPECT_EQ(deliveries[0].resCom, 0x90);
    EXPECT_TRUE(port.IsFree());

    // Had the refused frame been queued, it would come before this one.
    const QByteArray next("\x07\x03\x86\x90", 4);
    ASSERT_TRUE(port.SendCommand(next, 1));
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
    EXPECT_TRUE(port.IsFree());
    EXPECT_FALSE(port.IsWaiting());

    // Classified with the last request's length, so it is acknowledged.
    ASSERT_TRUE(unit.write(dataReply(16, 0x05)));
    ASSERT_TRUE(waitForDeliveries(2));
    EXPECT_EQ(deliveries[1].resCom, 0xAA);
    EXPECT_EQ(deliveries[1].buffer.size(), 17);
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

TEST_F(SerialPort, HandlerMaySendTheNextRequest)
{
    bool sentFromHandler = false;
    port.OnReceiveData = [&](const QByteArray &buffer) {
        deliveries.push_back({buffer, port.ResCom(), false});
        if (deliveries.size() == 1)
            sentFromHandler = port.SendCommand(kZero, 1);
    };
    ASSERT_TRUE(port.SendCommand(kReadEvents, 1));
    ASSERT_EQ(unit.read(4), kReadEvents);
    ASSERT_TRUE(unit.write(QByteArray("\xaa", 1)));
    ASSERT_TRUE(waitForDeliveries(1));
    EXPECT_TRUE(sentFromHandler);
    EXPECT_FALSE(port.IsFree()); // the second request is still outstanding
    EXPECT_EQ(unit.read(4), kZero);
}

TEST_F(SerialPort, AlreadyOpenPortStaysUsable)
{
    const OpenPortResult again = port.OpenPort();
    EXPECT_FALSE(again.ok);
    ASSERT_TRUE(again.error);
    EXPECT_TRUE(again.error->Message.startsWith(QStringLiteral("COM již byl otevřen")));

    TComHwj other;
    other.SetCommPort(unit.slavePath());
    const OpenPortResult second = other.OpenPort();
    EXPECT_FALSE(second.ok);
    ASSERT_TRUE(second.error);
    EXPECT_TRUE(second.error->Message.startsWith(QStringLiteral("COM již byl otevřen")));
    EXPECT_FALSE(other.SendCommand(kZero, 1));

    ASSERT_TRUE(port.SendCommand(kReadEvents, 1));
    EXPECT_EQ(unit.read(4), kReadEvents);

    port.ClosePort();
    EXPECT_TRUE(other.OpenPort().ok);
}

TEST_F(SerialPort, LossOfTheLineIsReportedAsHangup)
{
    bool hungUp = false;
    port.OnRequestHangup = [&] { hungUp = true; };
    unit.closeMaster();
    EXPECT_TRUE(waitUntil([&] { return hungUp; }));
    port.ClosePort();
    EXPECT_FALSE(port.IsOpen());
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

// The device's own reasons are tested with the device; here, that the port
// stays closed and refuses to send.
TEST(SerialPortOpen, FailuresKeepThePortClosed)
{
    testing::TempDir dir;
    for (const QString &name : {dir.file(QStringLiteral("missing-tty")), QStringLiteral("LPT1")}) {
        TComHwj port;
        port.SetCommPort(name);
        const OpenPortResult opened = port.OpenPort();
        EXPECT_FALSE(opened.ok) << name.toStdString();
        ASSERT_TRUE(opened.error) << name.toStdString();
        EXPECT_TRUE(opened.error->Message.startsWith(QStringLiteral("Chyba při otevírání COM")));
        EXPECT_TRUE(opened.error->Message.contains(name)) << opened.error->Message.toStdString();
        EXPECT_FALSE(port.IsOpen());
        EXPECT_FALSE(port.SendCommand(kReadEvents, 260));
    }
}

TEST(SerialPortOpen, UnsupportedSpeedFails)
{
    UnitLineEnd unit;
    ASSERT_TRUE(unit.isValid());
    TComHwj port;
    port.SetCommPort(unit.slavePath());
    port.SetBaudRate(2401);
    const OpenPortResult opened = port.OpenPort();
    ASSERT_TRUE(opened.error);
    EXPECT_TRUE(opened.error->Message.startsWith(QStringLiteral("Chyba při otevírání COM")));
    port.SetBaudRate(2400);
    EXPECT_TRUE(port.OpenPort().ok); // the failed open left nothing locked
}

} // namespace
} // namespace vardex
