// Runs the event monitor for a long time against the unpaced simulated line
// with traffic on, and prints the process's resident memory as it goes. The
// monitor is left running for hours, so nothing it keeps may grow with the
// events it reads: the log is cleared past its limit and the events go to
// the event table.
//
//   monitor_bench [rounds] [units]
//
// A round is one read of every unit (default 2000 rounds of 2 units). The
// reads go out as fast as the line allows, not at the window's 5 to 15 s.
// The simulated units run in this process too; their event memory is
// bounded, as a real unit's. Beside the resident memory the table shows
// what SQLite holds (its page cache grows with the event table up to its
// limit) and the rest. Prints a plain table to paste into a note. Exits 1
// when the line could not be set up, a block could not be stored, or the
// events the units recorded did not reach the event table exactly once (as
// many rows as events, and no unit's memory overflowed).
#include "ProcessMemory.h"
#include "accessdata/TDB0DM.h"
#include "accessdata/UnitCatalogue.h"
#include "platform/Clock.h"
#include "platform/ConsoleMessages.h"
#include "sim/Kvr8Simulator.h"
#include "text/HexText.h"
#include "unitops/EventMonitor.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

namespace {

using namespace vardex;

long sqliteKb()
{
    return long(sqlite3_memory_used() / 1024);
}

// How many events the units recorded since they started (the write position
// counts 12 bytes an event), and whether a unit's memory overflowed.
struct Recorded
{
    qint64 events = 0;
    bool overflowed = false;
};

Recorded recordedBy(const sim::Kvr8Simulator &simulator, int units, const QDateTime &now)
{
    Recorded r;
    for (int a = 1; a <= units; ++a) {
        const sim::StateReply s = simulator.unit(quint8(a))->stateLayout(now);
        r.events += s.positions[0] / EventSlotSize;
        r.overflowed = r.overflowed || s.memoryFlag != MemoryFlagFine;
    }
    return r;
}

int argument(int argc, char **argv, int i, int fallback)
{
    return argc > i ? std::max(1, std::atoi(argv[i])) : fallback;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argument(argc, argv, 1, 2000);
    const int units = std::min(argument(argc, argv, 2, 2), 200);

    QTemporaryDir dir;
    ConsoleMessages messages(stderr);
    FixedClock clock(QDateTime(QDate(2027, 1, 5), QTime(8, 0)));
    TDB0DM db(dir.path(), messages, clock);
    QString error;
    if (!dir.isValid() || !db.OpenMinimalDatabases(&error)) {
        std::fprintf(stderr, "tables: %s\n", qPrintable(error));
        return 1;
    }
    sim::Kvr8Simulator simulator(clock);
    for (int a = 1; a <= units; ++a) {
        if (!db.tbUniDefaultByType(UnitType::Access) || !db.tbUni.edit() ||
            !db.tbUni.setString(QStringLiteral("ADRESA"), byteToHex(quint8(a))) ||
            !db.tbUni.post()) {
            std::fprintf(stderr, "units: %s\n", qPrintable(db.tbUni.errorMessage()));
            return 1;
        }
        simulator.addUnit(sim::UnitSetup{quint8(a)});
    }
    // A few events per unit and read: the blocks carry events, and the units
    // never run full.
    simulator.setTrafficPeriod(std::max(1, 40 / units), 7);
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return 1;
    }
    db.KomHwj.SetCommPort(simulator.slavePath());
    if (!db.KomHwj.OpenPort().ok) {
        std::fprintf(stderr, "port: cannot open %s\n", qPrintable(simulator.slavePath()));
        return 1;
    }

    EventMonitor monitor(db);
    db.VsechnyJednotky();
    monitor.FormShow();
    monitor.unitsChosen();
    monitor.btStartClick();
    qint64 target = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        if (monitor.readsSent() < target)
            monitor.monTimerTimer();
    });
    ticks.start(1);
    const auto runUntil = [&](qint64 reads) {
        target = reads;
        while (!monitor.stopped() && (monitor.busy() || monitor.readsSent() < target))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return !monitor.stopped();
    };

    std::printf("monitor_bench: %d rounds of %d units, unpaced line, traffic on\n\n", rounds,
                units);
    std::printf("%8s %9s %10s %10s %10s %10s %10s %9s\n", "rounds", "reads", "events", "log lines",
                "RSS kB", "SQLite kB", "rest kB", "seconds");
    QElapsedTimer elapsed;
    elapsed.start();
    const auto report = [&](int round) {
        const long rss = processStatusKb("VmRSS");
        std::printf("%8d %9lld %10lld %10lld %10ld %10ld %10ld %9.1f\n", round,
                    static_cast<long long>(monitor.readsSent()),
                    static_cast<long long>(monitor.eventsStored()),
                    static_cast<long long>(monitor.log().size()), rss, sqliteKb(), rss - sqliteKb(),
                    double(elapsed.elapsed()) / 1000);
        std::fflush(stdout);
    };
    report(0);
    const int warmUp = std::min(100, rounds);
    long warmUpKb = 0;
    long warmUpRestKb = 0;
    for (int round = 1; round <= rounds; ++round) {
        if (!runUntil(qint64(round) * units)) {
            std::fprintf(stderr, "stopped: %s\n", qPrintable(monitor.failure()));
            return 1;
        }
        // The simulator's own record of the frames it heard is not the
        // program's memory.
        simulator.clearHeard();
        if (round == warmUp) {
            warmUpKb = processStatusKb("VmRSS");
            warmUpRestKb = warmUpKb - sqliteKb();
        }
        if (round == 1 || round % 100 == 0 || round == rounds)
            report(round);
    }

    // Every event the units recorded is to be in the table once: the units
    // are read until empty, with the traffic stopped.
    simulator.setTrafficPeriod(0);
    Recorded recorded;
    QDeadlineTimer deadline(60000);
    for (qint64 reads = monitor.readsSent(); !deadline.hasExpired(); reads += units) {
        recorded = recordedBy(simulator, units, clock.now());
        bool empty = true;
        for (int a = 1; a <= units; ++a)
            empty = empty && simulator.unit(quint8(a))->waitingEvents() == 0;
        if (empty && !monitor.busy() && monitor.eventsStored() == recorded.events)
            break;
        if (!runUntil(reads + units))
            return 1;
    }
    monitor.btPrerusClick();
    const qint64 rows = db.tbEvents.recordCount();
    const long endKb = processStatusKb("VmRSS");
    const long endRestKb = endKb - sqliteKb();
    std::printf("\nevents recorded by the units %lld%s, stored %lld, rows in the table %lld\n",
                static_cast<long long>(recorded.events),
                recorded.overflowed ? " (a unit's memory overflowed)" : "",
                static_cast<long long>(monitor.eventsStored()), static_cast<long long>(rows));
    std::printf("resident memory after round %d: %ld kB, at the end %ld kB (%+ld kB); without "
                "SQLite %ld kB and %ld kB (%+ld kB)\n",
                warmUp, warmUpKb, endKb, endKb - warmUpKb, warmUpRestKb, endRestKb,
                endRestKb - warmUpRestKb);
    db.KomHwj.ClosePort();
    simulator.stop();
    const bool once =
        !recorded.overflowed && recorded.events == rows && rows == monitor.eventsStored();
    return once ? 0 : 1;
}
