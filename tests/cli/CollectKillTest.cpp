// `vardex collect` as a separate program, killed outright (SIGKILL) at
// random moments while it collects from simulated units: whatever moment it
// dies at, every event the units held ends up in the event table exactly
// once, and the table file stays whole.
#include "CliRun.h"
#include "accessdata/TDB0DM.h"
#include "cli/DemoSite.h"
#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "text/Bcd.h"
#include "text/HexText.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>
#include <random>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

using namespace vardex;

namespace {

const QString kNow = QStringLiteral("2027-01-01 08:00:00");
constexpr int kKills = 20;
constexpr int kExtraEventsPerUnit = 300;

// The part of an event that the unit knows (no year), as a unit's slot
// gives it and as a stored record gives it back.
QString slotText(quint8 address, const EventSlot &e)
{
    return QStringLiteral("%1 %2.%3 %4:%5 %6 %7")
        .arg(byteToHex(address))
        .arg(decodeBcd(e.day), 2, 10, QLatin1Char('0'))
        .arg(decodeBcd(e.month), 2, 10, QLatin1Char('0'))
        .arg(decodeBcd(e.hour), 2, 10, QLatin1Char('0'))
        .arg(decodeBcd(e.minute), 2, 10, QLatin1Char('0'))
        .arg(keyToText(e.key), byteToHex(e.result));
}

// What the log says of a block handed out again after it was stored.
const QString kRepeatMark = QStringLiteral("opakované čtení");

// Tells when the event table's write-ahead log in `dir` is written, which is
// when a block of events is being committed.
class WalWatch
{
public:
    explicit WalWatch(const QString &dir)
        : m_fd(inotify_init1(IN_CLOEXEC | IN_NONBLOCK)),
          m_watch(inotify_add_watch(m_fd, QFile::encodeName(dir).constData(), IN_MODIFY))
    {
    }
    ~WalWatch() { ::close(m_fd); }

    // Waits for the `count`-th write; false after `timeoutMs` without it.
    bool waitForWrite(int count, int timeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (m_fd >= 0 && m_watch >= 0 && !deadline.hasExpired()) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, int(deadline.remainingTime())) <= 0)
                continue;
            alignas(inotify_event) char buffer[4096];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            for (ssize_t at = 0; at < n;) {
                const auto *e = reinterpret_cast<const inotify_event *>(buffer + at);
                if (e->len > 0 && qstrcmp(e->name, "EVENTS.DB-wal") == 0 && --count == 0)
                    return true;
                at += ssize_t(sizeof(inotify_event) + e->len);
            }
        }
        return false;
    }

private:
    int m_fd;
    int m_watch;
};

QStringList storedTexts(Table &events)
{
    QStringList rows;
    for (bool more = events.first(); more; more = events.next())
        rows << events.asString(QStringLiteral("AHWJ")) + QLatin1Char(' ') +
                    events.asDate(QStringLiteral("DATUM")).toString(QStringLiteral("dd.MM")) +
                    QLatin1Char(' ') + events.asTime(QStringLiteral("CAS")).toString(u"hh:mm") +
                    QLatin1Char(' ') + events.asString(QStringLiteral("CTM")) + QLatin1Char(' ') +
                    events.asString(QStringLiteral("RES"));
    rows.sort();
    return rows;
}

TEST(CollectKilled, EveryEventIsStoredExactlyOnceWhereverTheRunDies)
{
    vardex::testing::TempDir dir;
    const QString site = dir.path() + QStringLiteral("/site");
    const vardex::testing::CmdResult made =
        vardex::testing::runVardex({QStringLiteral("demo-site"), site}, dir.path());
    ASSERT_EQ(made.status, 0) << made.err.toStdString();
    QString error;
    std::optional<sim::SimConfig> config =
        sim::SimConfig::load(DemoSite::simulatorConfigPath(site), &error);
    ASSERT_TRUE(config) << error.toStdString();
    // Enough events that a run takes many blocks, each event distinct.
    const QDateTime from(QDate(2026, 12, 1), QTime(6, 0));
    for (const sim::UnitSetup &unit : config->units) {
        for (int i = 0; i < kExtraEventsPerUnit; ++i) {
            KeyBytes key = keyFromText(u"01000000000000");
            key[5] = unit.address;
            key[6] = quint8(i);
            config->events.append(
                {unit.address, makeEventSlot(key, from.addSecs(60 * i), quint8(i % 2))});
        }
    }
    QStringList expected;
    for (const sim::SimConfig::EventLine &line : config->events)
        expected << slotText(line.address, line.event);
    expected.sort();

    FixedClock clock{QDateTime::fromString(kNow, QStringLiteral("yyyy-MM-dd hh:mm:ss"))};
    sim::Kvr8Simulator simulator{clock};
    simulator.apply(*config);
    ASSERT_TRUE(simulator.start(DemoSite::linkPath(site), &error)) << error.toStdString();

    const QStringList args{QStringLiteral("-C"),    site, QStringLiteral("--home"), site,
                           QStringLiteral("--now"), kNow, QStringLiteral("collect")};
    std::mt19937 random(20261206);
    int killedWhileCollecting = 0;
    int repeats = 0; // blocks a later run found stored already
    // Past the planned kills, more follow until one has fallen between the
    // commit and the acknowledgement (how often that happens depends on
    // the machine's disk), so that the exactly-once check has something
    // to catch.
    for (int kill = 0; kill < kKills || (repeats == 0 && kill < 4 * kKills); ++kill) {
        WalWatch commits(site);
        QProcess run;
        run.start(QStringLiteral(VARDEX_EXECUTABLE), args);
        ASSERT_TRUE(run.waitForStarted());
        const bool collecting = run.waitForReadyRead(20000);
        if (collecting && kill % 2 == 0) {
            // The moment a block is being committed: the unit has not heard
            // the acknowledgement yet and hands the block out again.
            if (commits.waitForWrite(int(1 + random() % 4), 10000))
                std::this_thread::sleep_for(std::chrono::microseconds(random() % 2000));
        } else if (collecting) {
            // A random while after a read went out: the reply ends after
            // 50 ms of silence on the line and is stored right after.
            simulator.clearHeard();
            if (simulator.waitForHeard(1 + int(random() % 3), 5000))
                std::this_thread::sleep_for(std::chrono::milliseconds(30 + random() % 40));
        }
        if (run.state() != QProcess::NotRunning) {
            ::kill(pid_t(run.processId()), SIGKILL);
            ASSERT_TRUE(run.waitForFinished(10000));
            killedWhileCollecting += collecting;
        }
        repeats += QString::fromUtf8(run.readAllStandardOutput()).count(kRepeatMark);
        simulator.releaseLine();
    }
    EXPECT_GE(killedWhileCollecting, kKills / 2);

    QProcess last;
    last.start(QStringLiteral(VARDEX_EXECUTABLE), args);
    ASSERT_TRUE(last.waitForFinished(120000));
    EXPECT_EQ(last.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(last.exitCode(), 0) << last.readAllStandardError().toStdString();
    repeats += QString::fromUtf8(last.readAllStandardOutput()).count(kRepeatMark);
    // Some kills fell between storing a block and acknowledging it.
    EXPECT_GT(repeats, 0);

    vardex::testing::ScriptedMessages messages;
    TDB0DM db(site, messages, clock);
    ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
    const Result<void> whole = db.tbEvents.checkIntegrity();
    EXPECT_TRUE(whole) << whole.error().toStdString();
    const QStringList stored = storedTexts(db.tbEvents);
    EXPECT_EQ(stored.size(), expected.size());
    EXPECT_TRUE(stored == expected) << "stored events differ from the units' events";
}

} // namespace
