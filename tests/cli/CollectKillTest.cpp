// `vardex collect` as a separate program, killed outright (SIGKILL) at
// random moments while it collects from simulated units: whatever moment it
// dies at, every event the units held ends up in the event table exactly
// once, and the table file stays whole.
#include "CliRun.h"
#include "text/Bcd.h"
#include "text/HexText.h"

#include <QDeadlineTimer>
#include <csignal>
#include <poll.h>
#include <random>
#include <sys/inotify.h>
#include <thread>

using namespace vardex;

namespace {

const QString kNow = QStringLiteral("2027-01-01 08:00:00");
constexpr int kKills = 20;
constexpr int kExtraEventsPerUnit = 300;

// The part of an event that the unit knows (no year), as a unit's slot
// gives it and as a stored record gives it back.
QString slotText(quint8 address, const EventSlot &e)
{
    return QString::asprintf("%02X %02d.%02d %02d:%02d ", address, decodeBcd(e.day),
                             decodeBcd(e.month), decodeBcd(e.hour), decodeBcd(e.minute)) +
           keyToText(e.key) + u' ' + byteToHex(e.result);
}

// What the log says of a block handed out again after it was stored.
const QString kRepeatMark = QStringLiteral("opakované čtení");

// Tells when the event table's write-ahead log in `dir` is written, which is
// when a block of events is being committed.
class WalWatch
{
public:
    explicit WalWatch(const QString &dir) : m_fd(inotify_init1(IN_CLOEXEC | IN_NONBLOCK))
    {
        inotify_add_watch(m_fd, QFile::encodeName(dir).constData(), IN_MODIFY);
    }
    ~WalWatch() { ::close(m_fd); }

    // Waits for the `count`-th write; false after `timeoutMs` without it.
    bool waitForWrite(int count, int timeoutMs)
    {
        for (QDeadlineTimer deadline(timeoutMs); !deadline.hasExpired();) {
            pollfd p{m_fd, POLLIN, 0};
            alignas(inotify_event) char buffer[4096];
            const ssize_t n = ::poll(&p, 1, int(deadline.remainingTime())) > 0
                                  ? ::read(m_fd, buffer, sizeof buffer)
                                  : 0;
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
};

// The same of every stored event, sorted.
QStringList storedTexts(Table &events)
{
    QStringList rows;
    for (bool more = events.first(); more; more = events.next())
        rows << QStringList{events.asString(QStringLiteral("AHWJ")),
                            events.asDate(QStringLiteral("DATUM")).toString(u"dd.MM"),
                            events.asTime(QStringLiteral("CAS")).toString(u"hh:mm"),
                            events.asString(QStringLiteral("CTM")),
                            events.asString(QStringLiteral("RES"))}
                    .join(u' ');
    rows.sort();
    return rows;
}

TEST(CollectKilled, EveryEventIsStoredExactlyOnceWhereverTheRunDies)
{
    vardex::testing::TempDir dir;
    const QString site = dir.file(QStringLiteral("site"));
    FixedClock clock{QDateTime::fromString(kNow, QStringLiteral("yyyy-MM-dd hh:mm:ss"))};
    sim::Kvr8Simulator simulator{clock};
    // Enough events that a run takes many blocks, each event distinct.
    const sim::SimConfig config =
        vardex::testing::startDemoSite(site, simulator, [](sim::SimConfig &c) {
            const QDateTime from(QDate(2026, 12, 1), QTime(6, 0));
            for (const sim::UnitSetup &unit : c.units) {
                for (int i = 0; i < kExtraEventsPerUnit; ++i) {
                    KeyBytes key = keyFromText(u"01000000000000");
                    key[5] = unit.address;
                    key[6] = quint8(i);
                    c.events.append(
                        {unit.address, makeEventSlot(key, from.addSecs(60 * i), quint8(i % 2))});
                }
            }
        });
    QStringList expected;
    for (const sim::SimConfig::EventLine &line : config.events)
        expected << slotText(line.address, line.event);
    {
        // The demo site's own month of attendance is archived already.
        vardex::testing::SiteTables tables(site);
        expected << storedTexts(tables.db.tbEvents);
    }
    expected.sort();

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

    const vardex::testing::CmdResult last = vardex::testing::runProgram(args, {}, false, 120000);
    EXPECT_EQ(last.status, 0) << last.err.toStdString();
    repeats += last.out.count(kRepeatMark);
    // Some kills fell between storing a block and acknowledging it.
    EXPECT_GT(repeats, 0);

    vardex::testing::SiteTables tables(site);
    const Result<void> whole = tables.db.tbEvents.checkIntegrity();
    EXPECT_TRUE(whole) << whole.error().toStdString();
    const QStringList stored = storedTexts(tables.db.tbEvents);
    EXPECT_TRUE(stored == expected) << "stored events differ from the units' events";
}

} // namespace
