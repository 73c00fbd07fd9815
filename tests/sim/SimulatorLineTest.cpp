#include "sim/Kvr8Simulator.h"

#include "platform/Clock.h"
#include "support/TempDir.h"
#include "text/HexText.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

// What the line itself does. The statuses and data replies of every command, and the faults
// as the port sees them, are tested with the port (tests/comm); the unit's rules with the unit.

using namespace vardex;
using namespace vardex::sim;

// Unit 05 (access) and unit 07 (attendance) on a line that keeps a link to
// its slave, and the PC's end of it with plain POSIX calls.
class SimulatorLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sim.addUnit({.address = 0x05});
        sim.addUnit({.address = 0x07, .type = 2});
        QString error;
        ASSERT_TRUE(sim.start(link, &error)) << error.toStdString();
        pc = ::open(link.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        termios tio{};
        ASSERT_EQ(tcgetattr(pc, &tio), 0);
        cfmakeraw(&tio);
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 30; // a read gives up after 3 s without a byte
        tcsetattr(pc, TCSANOW, &tio);
    }
    void TearDown() override { ::close(pc); }

    // Sends `frame`, then reads `count` bytes of the reply (fewer if the line stays silent).
    QByteArray exchange(const QByteArray &frame, qsizetype count = 0)
    {
        EXPECT_EQ(::write(pc, frame.constData(), size_t(frame.size())), frame.size());
        QByteArray bytes(count, '\0');
        qsizetype got = 0;
        for (ssize_t n = 1; got < count && n > 0; got += n > 0 ? n : 0)
            n = ::read(pc, bytes.data() + got, size_t(count - got));
        return bytes.left(got);
    }

    vardex::testing::TempDir dir;
    const QString link = dir.file(QStringLiteral("kvr8"));
    FixedClock clock{QDateTime(QDate(2024, 12, 24), QTime(14, 30, 5))};
    Kvr8Simulator sim{clock};
    int pc = -1;
};

// A frame for no unit, noise before a frame and a stray acknowledgement get
// no answer (the answer to the next frame proves that nothing came before
// it); a frame damaged on the way gets the checksum status.
TEST_F(SimulatorLine, OnlyAWholeFrameForAUnitIsAnswered)
{
    for (const char *unanswered : {"0603868F", "0000FF", "AA"}) {
        exchange(QByteArray::fromHex(unanswered));
        EXPECT_EQ(bytesToHex(exchange(buildFrame(0x05, 0x86), 1)), "AA") << unanswered;
    }
    EXPECT_EQ(bytesToHex(exchange(QByteArray::fromHex("0503848D"), 1)), "B0");
    const HeardFrame first = sim.heard().value(0);
    EXPECT_EQ(bytesToHex(first.bytes), "0603868F");
    EXPECT_FALSE(first.answered);
}

TEST_F(SimulatorLine, TheTrafficGeneratorRecordsEvents)
{
    sim.setHolders({keyFromText(u"01665544332211")});
    sim.setTrafficPeriod(5, 3);
    // Each read is an exchange awaited with its own deadline.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int seen = 0;
    while (seen < 3 && std::chrono::steady_clock::now() < deadline) {
        const QByteArray block = exchange(buildFrame(0x07, 0x84), 261);
        ASSERT_EQ(block.size(), 261);
        seen += int(eventsInBlock(block.left(260)).size());
        exchange(QByteArray(1, char(AcknowledgeByte)));
    }
    EXPECT_GE(seen, 3);
}

TEST_F(SimulatorLine, PacedRepliesTakeTheLinesTimeAtTwentyFourHundredBaud)
{
    sim.setPacing(true);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(exchange(buildFrame(0x05, 0x8E), 17).size(), 17);
    const auto took = std::chrono::steady_clock::now() - start;
    // 16 more bytes after the first one, 11 bits each.
    EXPECT_GE(took, std::chrono::milliseconds(16 * 11 * 1000 / 2400));
}

TEST_F(SimulatorLine, KeepsALinkToTheSlaveWhileRunning)
{
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.slavePath());
    sim.stop();
    EXPECT_FALSE(QFileInfo(link).isSymLink());

    // A file that is not a link is never replaced (a link left behind by a
    // killed run is: StateFileRunTest).
    QString error;
    ASSERT_TRUE(QFile(link).open(QIODevice::WriteOnly));
    EXPECT_FALSE(sim.start(link, &error));
    EXPECT_TRUE(QFileInfo(link).isFile());
}
