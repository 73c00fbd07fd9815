#include "sim/Kvr8Simulator.h"

#include "platform/Clock.h"
#include "support/TempDir.h"
#include "text/HexText.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace vardex::sim {
namespace {

using SteadyClock = std::chrono::steady_clock;

QByteArray hex(const char *text)
{
    return *parseHexBytes(QString::fromLatin1(text));
}

// The PC's end of the line, with plain POSIX calls.
class PcEnd
{
public:
    explicit PcEnd(const QString &path)
    {
        m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        EXPECT_GE(m_fd, 0) << path.toStdString();
        termios tio{};
        tcgetattr(m_fd, &tio);
        cfmakeraw(&tio);
        tcsetattr(m_fd, TCSANOW, &tio);
    }
    ~PcEnd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    void send(const QByteArray &bytes)
    {
        ASSERT_EQ(::write(m_fd, bytes.constData(), size_t(bytes.size())), bytes.size());
    }

    // Reads until `count` bytes have come or the deadline passes.
    QByteArray read(qsizetype count, int deadlineMs = 3000)
    {
        QByteArray bytes;
        const auto deadline = SteadyClock::now() + std::chrono::milliseconds(deadlineMs);
        while (bytes.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - SteadyClock::now());
            pollfd p{m_fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, int(left.count())) <= 0)
                break;
            char buffer[512];
            const ssize_t n =
                ::read(m_fd, buffer, size_t(std::min<qsizetype>(512, count - bytes.size())));
            if (n > 0)
                bytes.append(buffer, n);
        }
        return bytes;
    }

    // Sends a frame and reads its reply of `count` bytes.
    QByteArray exchange(const QByteArray &frame, qsizetype count)
    {
        send(frame);
        return read(count);
    }

private:
    int m_fd = -1;
};

class SimulatorLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UnitSetup a;
        a.address = 0x05;
        sim.addUnit(a);
        UnitSetup b;
        b.address = 0x07;
        b.type = 2;
        sim.addUnit(b);
        QString error;
        ASSERT_TRUE(sim.start(&error)) << error.toStdString();
        pc = std::make_unique<PcEnd>(sim.slavePath());
    }

    // The reply that follows proves that nothing came before it.
    void expectSilenceThenAnAnswer()
    {
        const QByteArray reply = pc->exchange(buildFrame(0x05, 0x86), 1);
        EXPECT_EQ(bytesToHex(reply), QStringLiteral("AA"));
    }

    FixedClock clock{QDateTime(QDate(2024, 12, 24), QTime(14, 30, 5))};
    Kvr8Simulator sim{clock};
    std::unique_ptr<PcEnd> pc;
};

TEST_F(SimulatorLine, AnswersStatusesAndDataRepliesOnThePseudoTerminal)
{
    struct Case
    {
        QByteArray frame;
        const char *reply; // hex, or the length of a data reply
        int dataLength;
    } cases[] = {
        {buildFrame(0x05, 0x86), "AA", 0},
        {buildFrame(0x07, 0x8C, hex("0F")), "90", 0}, // locked
        {hex("05039199"), "80", 0},                   // a well-formed unknown command
        {hex("0503848D"), "B0", 0},                   // 0x84 damaged on the way
        {buildFrame(0x05, 0x8A), nullptr, 260},
        {buildFrame(0x07, 0x8E), nullptr, 16},
    };
    for (const Case &c : cases) {
        const qsizetype length = c.reply ? 1 : c.dataLength + 1;
        const QByteArray reply = pc->exchange(c.frame, length);
        ASSERT_EQ(reply.size(), length) << bytesToHex(c.frame).toStdString();
        if (c.reply) {
            EXPECT_EQ(bytesToHex(reply), QLatin1String(c.reply));
        } else {
            EXPECT_EQ(quint8(reply[0]), quint8(c.frame[0]));
            EXPECT_EQ(quint8(reply.back()), checksum(reply.left(c.dataLength)));
        }
    }
    const QList<HeardFrame> heard = sim.heard();
    ASSERT_GE(heard.size(), 1);
    EXPECT_EQ(bytesToHex(heard[0].bytes), QStringLiteral("0503868E"));
}

TEST_F(SimulatorLine, AFrameForNoUnitAndNoiseAreNotAnswered)
{
    pc->send(buildFrame(0x06, 0x86));
    expectSilenceThenAnAnswer();
    // Noise before a frame, and a stray acknowledgement nobody waits for.
    pc->send(hex("0000FF"));
    expectSilenceThenAnAnswer();
    pc->send(hex("AA"));
    expectSilenceThenAnAnswer();
    const QList<HeardFrame> heard = sim.heard();
    ASSERT_GE(heard.size(), 1);
    EXPECT_EQ(bytesToHex(heard[0].bytes), QStringLiteral("0603868F"));
    EXPECT_FALSE(heard[0].answered);
}

// Event blocks and faults as the port sees them are tested with the port
// (tests/comm); the unit's own rules with the unit.

TEST_F(SimulatorLine, TheTrafficGeneratorRecordsEvents)
{
    sim.setHolders({keyFromText(u"01665544332211")});
    sim.setTrafficPeriod(5, 3);
    // Each read is an exchange awaited with its own deadline.
    const auto deadline = SteadyClock::now() + std::chrono::seconds(5);
    int seen = 0;
    while (seen < 3 && SteadyClock::now() < deadline) {
        const QByteArray block = pc->exchange(buildFrame(0x07, 0x84), 261);
        ASSERT_EQ(block.size(), 261);
        seen += int(eventsInBlock(block.left(260)).size());
        pc->send(QByteArray(1, char(AcknowledgeByte)));
    }
    EXPECT_GE(seen, 3);
    sim.setTrafficPeriod(0);
}

TEST(SimulatorPacing, RepliesTakeTheLinesTimeAtTwentyFourHundredBaud)
{
    FixedClock clock{QDateTime(QDate(2024, 12, 24), QTime(14, 30, 5))};
    Kvr8Simulator sim(clock);
    UnitSetup u;
    u.address = 0x05;
    sim.addUnit(u);
    sim.setPacing(true);
    QString error;
    ASSERT_TRUE(sim.start(&error));
    PcEnd pc(sim.slavePath());
    pc.send(buildFrame(0x05, 0x8E));
    const auto start = SteadyClock::now();
    const QByteArray r = pc.read(17);
    const auto took =
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start);
    ASSERT_EQ(r.size(), 17);
    // 16 more bytes after the first one, 11 bits each.
    EXPECT_GE(took.count(), 16 * 11 * 1000 / 2400);
}

TEST(SimulatorLink, KeepsALinkToTheSlaveWhileRunning)
{
    testing::TempDir dir;
    const QString link = dir.file(QStringLiteral("kvr8"));
    FixedClock clock{QDateTime::currentDateTime()};
    Kvr8Simulator sim(clock);
    QString error;
    ASSERT_TRUE(sim.start(link, &error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.slavePath());
    // Starting again replaces the link with one to the new slave.
    ASSERT_TRUE(sim.start(link, &error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.slavePath());
    sim.stop();
    EXPECT_FALSE(QFileInfo(link).isSymLink());

    // A file that is not a link is never replaced.
    QFile plain(link);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_FALSE(sim.start(link, &error));
    EXPECT_TRUE(QFileInfo(link).isFile());
}

} // namespace
} // namespace vardex::sim
