// `vardex read-key`, `monitor` and `upload` as separate programs, killed
// outright at random moments while they read events from simulated units:
// afterwards every table file is whole, and once a collection has emptied
// the units every event they held is in the archive exactly once.
#include "KillDriver.h"
#include "text/Bcd.h"
#include "text/HexText.h"

#include <random>
#include <thread>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;

const QString kNow = u"2027-01-01 08:00:00"_s;

// An event as its unit gives it and as the archive gives it back.
QString slotText(quint8 address, const EventSlot &e)
{
    return QString::asprintf("%02X %02d.%02d %02d:%02d ", address, decodeBcd(e.day),
                             decodeBcd(e.month), decodeBcd(e.hour), decodeBcd(e.minute)) +
           keyToText(e.key) + u' ' + byteToHex(e.result);
}

QStringList archived(Table &events)
{
    QStringList rows;
    for (bool more = events.first(); more; more = events.next())
        rows << events.asString(u"AHWJ"_s) + u' ' + events.asDate(u"DATUM"_s).toString(u"dd.MM"_s) +
                    u' ' + events.asTime(u"CAS"_s).toString(u"hh:mm"_s) + u' ' +
                    events.asString(u"CTM"_s) + u' ' + events.asString(u"RES"_s);
    rows.sort();
    return rows;
}

struct Reading
{
    const char *name;
    QStringList args;
};

const Reading kReadings[] = {
    {"read-key", {u"read-key"_s, u"--address"_s, u"01"_s, u"--timeout"_s, u"0"_s}},
    {"monitor", {u"monitor"_s, u"--units"_s, u"01,02"_s, u"--rounds"_s, u"1"_s}},
    // Collects first, then zeroes each unit.
    {"upload", {u"upload"_s}},
};

TEST(KilledWhileReading, EveryEventIsArchivedOnceAndEveryTableStaysWhole)
{
    std::mt19937 random(20261207);
    for (const Reading &reading : kReadings) {
        SCOPED_TRACE(reading.name);
        testing::ScratchDir dir;
        const QString site = dir.file(u"site"_s);
        FixedClock clock{QDateTime::fromString(kNow, u"yyyy-MM-dd hh:mm:ss"_s)};
        sim::Kvr8Simulator simulator{clock};
        const sim::SimConfig config = testing::startDemoSite(site, simulator);
        // The site's own archive, and what the units hold.
        QStringList expected = [&] {
            testing::SiteTables before(site);
            return archived(before.db.tbEvents);
        }();
        for (const sim::SimConfig::EventLine &line : config.events)
            expected << slotText(line.address, line.event);
        expected.sort();
        const QStringList head{u"-C"_s, site, u"--home"_s, site, u"--now"_s, kNow};

        int killed = 0;
        for (int i = 0; i < testing::kKills; ++i) {
            simulator.clearHeard();
            killed += testing::killAfter(head + reading.args, [&](QProcess &) {
                // A random moment after a read went out: its reply ends
                // after 50 ms of silence and is stored right after.
                if (simulator.waitForHeard(1, 20000))
                    std::this_thread::sleep_for(std::chrono::milliseconds(random() % 120));
            });
            simulator.releaseLine();
            EXPECT_EQ(testing::siteState(site, {}).damaged, QStringList()) << "kill " << i;
        }
        EXPECT_GE(killed, testing::kKills / 2);

        const testing::CmdResult rest =
            testing::runProgram(head + QStringList{u"collect"_s}, {}, false, 120000);
        EXPECT_EQ(rest.status, 0) << rest.err.toStdString();
        testing::SiteTables tables(site);
        EXPECT_TRUE(archived(tables.db.tbEvents) == expected) << "archive differs from the units";
    }
}

} // namespace
} // namespace vardex
