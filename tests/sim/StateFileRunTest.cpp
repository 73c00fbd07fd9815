// kvr8sim as a program of its own with a state file, stopped by SIGTERM or
// killed outright, and started again on the same file.
#include "comm/Protocol.h"
#include "support/TempDir.h"
#include "text/HexText.h"
#include "text/LineFile.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

using namespace vardex;
using namespace Qt::StringLiterals;

namespace {

class StateFileRun : public ::testing::Test
{
protected:
    // Unit 05 holds 30 events, 07:00 to 07:29.
    void SetUp() override
    {
        QByteArray text = "unit 05 state=configured\nunit 07\n";
        for (int i = 0; i < 30; ++i)
            text +=
                "event 05 - 24.12. 07:" + QByteArray::number(i).rightJustified(2, '0') + " 38\n";
        ASSERT_TRUE(writeWholeFile(config, text).ok);
    }
    void TearDown() override { stop(SIGTERM); }

    // Starts the program and opens the line; else its error output.
    QString start(const QStringList &more = {})
    {
        sim.start(QStringLiteral(KVR8SIM_EXECUTABLE),
                  QStringList{u"--config"_s, config, u"--state"_s, state, u"--link"_s, link} +
                      more);
        if (!sim.waitForReadyRead(10000) || !sim.readLine().startsWith('/')) {
            sim.waitForFinished(10000);
            return QString::fromUtf8(sim.readAllStandardError());
        }
        pc = ::open(QFile::encodeName(link).constData(), O_RDWR | O_NOCTTY);
        termios tio{};
        tcgetattr(pc, &tio);
        cfmakeraw(&tio);
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 30; // a read gives up after 3 s without a byte
        tcsetattr(pc, TCSANOW, &tio);
        return {};
    }
    void stop(int signal)
    {
        if (sim.state() != QProcess::NotRunning) {
            ::kill(pid_t(sim.processId()), signal);
            EXPECT_TRUE(sim.waitForFinished(10000));
        }
        ::close(std::exchange(pc, -1));
    }
    QByteArray exchange(const QByteArray &frame, qsizetype count)
    {
        EXPECT_EQ(::write(pc, frame.constData(), size_t(frame.size())), frame.size());
        QByteArray bytes(count, '\0');
        for (ssize_t n = 1, got = 0; got < count && n > 0; got += std::max<ssize_t>(n, 0))
            n = ::read(pc, bytes.data() + got, size_t(count - got));
        return bytes;
    }
    // The next block of unit 05, acknowledged when asked.
    QList<EventSlot> block(bool acknowledge)
    {
        const QByteArray reply = exchange(buildFrame(0x05, Cmd::PrectiUdalosti), 261);
        if (acknowledge)
            exchange(QByteArray(1, char(AcknowledgeByte)), 0);
        return eventsInBlock(reply.left(260));
    }
    // Waits until the program has written a state with `line` in it.
    bool awaitWritten(const QString &line) const
    {
        const int fd = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        inotify_add_watch(fd, QFile::encodeName(dir.path()).constData(), IN_MOVED_TO);
        bool found = false;
        for (QDeadlineTimer deadline(10000); !found && !deadline.hasExpired();) {
            found = readLines(state).lines.contains(line);
            pollfd p{fd, POLLIN, 0};
            char events[4096];
            if (!found && ::poll(&p, 1, int(deadline.remainingTime())) > 0 &&
                ::read(fd, events, sizeof events) < 0)
                break;
        }
        ::close(fd);
        return found;
    }

    vardex::testing::TempDir dir;
    const QString config = dir.file(u"kvr8sim.conf"_s);
    const QString state = dir.file(u"kvr8sim.state"_s);
    const QString link = dir.file(u"tty"_s);
    QProcess sim;
    int pc = -1;
};

} // namespace

// Stopped, or killed once it has written its state, the program hands out
// again only the events the PC did not acknowledge, and the permission the
// PC loaded still lets the holder through. Once the configuration no longer
// declares a unit the state keeps, the start fails and the state stays, until
// --reset-state starts from the configuration.
TEST_F(StateFileRun, WhatTheUnitsLivedThroughOutlivesTheProgram)
{
    const QByteArray permit = QByteArray::fromHex("0F011122334455667F00002359");
    const QString kept = u"permit 05 01665544332211 attr=0F days=127 from=00:00 to=23:59"_s;
    for (const int signal : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal);
        QFile::remove(state);
        ASSERT_EQ(start(), QString());
        ASSERT_EQ(block(true).size(), 21);
        EXPECT_EQ(bytesToHex(exchange(buildFrame(0x05, Cmd::Opravneni, permit), 1)), "AA");
        ASSERT_EQ(block(false).size(), 9); // handed out, never acknowledged
        if (signal == SIGKILL) {
            ASSERT_TRUE(awaitWritten(kept));
        }
        stop(signal);

        ASSERT_EQ(start(), QString());
        const QList<EventSlot> rest = block(true);
        ASSERT_EQ(rest.size(), 9);
        EXPECT_EQ(rest.first().minute, 0x21);
        sim.write("key 05 0 01665544332211\n");
        ASSERT_TRUE(sim.waitForReadyRead(10000));
        EXPECT_EQ(sim.readLine().trimmed(), "05: allowed");
        stop(SIGTERM);
    }

    ASSERT_TRUE(writeWholeFile(config, "unit 05 state=configured\n").ok);
    EXPECT_TRUE(start().contains(u"does not fit the configuration: unit 07 is not"_s));
    EXPECT_EQ(sim.exitCode(), 1);
    EXPECT_TRUE(readLines(state).lines.contains(kept));
    ASSERT_EQ(start({u"--reset-state"_s}), QString());
    EXPECT_FALSE(readLines(state).lines.contains(kept));
}
