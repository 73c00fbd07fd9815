// Every unit operation under every fault of the simulated line: the first
// reply of unit 05 misbehaves, the operation reports it in its Czech words
// and goes on, and in the end every event of the line is in the archive
// exactly once or still waiting in its unit.
#include "SiteUnits.h"
#include "unitops/ClockSetting.h"
#include "unitops/Collection.h"
#include "unitops/EventMonitor.h"
#include "unitops/KeyReading.h"
#include "unitops/PermissionUpload.h"
#include "unitops/StateQuery.h"

#include <QTimer>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;
using testing::waitUntil;

// Ticks `tick` every millisecond until `done`.
bool tickUntil(const std::function<void()> &tick, const std::function<bool()> &done)
{
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, tick);
    ticks.start(1);
    return waitUntil(done, 30000);
}

struct Line : testing::LineSite
{
    Line()
    {
        sim::SimConfig config;
        testing::addSiteUnit(db, config, 0x05, "Vrátnice");
        testing::addSiteUnit(db, config, 0x06, "Sklad");
        // Two blocks from 05, one from 06; every event distinct.
        for (int i = 0; i < 24; ++i) {
            const quint8 unit = i < 22 ? 0x05 : 0x06;
            KeyBytes key = keyFromText(u"01000000000000");
            key[6] = quint8(i + 1);
            config.events.append(
                {unit,
                 makeEventSlot(key, QDateTime(QDate(2027, 1, 4), QTime(6, i)), quint8(i % 2))});
        }
        EXPECT_TRUE(openPortOn(simulator, config));
    }
    ~Line() { db.KomHwj.ClosePort(); }

    // Stored events and those still waiting in the units, in one list.
    QStringList storedOrWaiting()
    {
        QStringList rows = storedEvents();
        for (quint8 a : {0x05, 0x06}) {
            const sim::SimUnit unit = *simulator.unit(a);
            const QList<EventSlot> kept = unit.storedEvents();
            for (const EventSlot &e : kept.mid(kept.size() - unit.waitingEvents()))
                rows.append(QStringLiteral("%1 2027-01-04 %2:%3 %4 %5")
                                .arg(byteToHex(a), byteToHex(e.hour), byteToHex(e.minute),
                                     keyToText(e.key), byteToHex(e.result)));
        }
        rows.sort();
        return rows;
    }

    sim::Kvr8Simulator simulator{clock};
};

// Each operation runs until its work is done and gives what it told the operator.
using Operation = std::function<QStringList(Line &)>;

QStringList collect(Line &line)
{
    Collection collection(line.db);
    EXPECT_TRUE(collection.FormCreate());
    EXPECT_TRUE(
        tickUntil([&] { collection.sbdTimerTimer(); }, [&] { return collection.stopped(); }));
    return collection.log();
}

QStringList monitor(Line &line)
{
    EventMonitor monitor(line.db);
    line.db.VsechnyJednotky();
    monitor.FormShow();
    monitor.unitsChosen();
    EXPECT_TRUE(monitor.btStartClick());
    const auto drained = [&] {
        return !monitor.busy() && monitor.readsSent() >= 6 &&
               line.simulator.unit(0x05)->waitingEvents() == 0 &&
               line.simulator.unit(0x06)->waitingEvents() == 0;
    };
    EXPECT_TRUE(tickUntil([&] { monitor.monTimerTimer(); }, drained));
    monitor.btPrerusClick();
    return monitor.log();
}

// Reads at 05 until two keys have come.
QStringList readKeys(Line &line)
{
    KeyReading reading(line.db, line.vx);
    reading.FormCreate();
    reading.UpDown1Click(0x05);
    int keys = 0;
    for (int attempt = 0; attempt < 6 && keys < 2; ++attempt) {
        EXPECT_TRUE(reading.getKeyClick() && waitUntil([&] { return !reading.waiting(); }, 5000));
        keys += reading.key().has_value();
    }
    EXPECT_EQ(keys, 2);
    reading.FormDestroy();
    return {};
}

QStringList queryState(Line &line)
{
    StateQuery query(line.db);
    query.FormActivate();
    // The rest of a reply split by a pause can arrive as the reply to the
    // next query: a third one gets the state.
    const QString read = u"Čtení stavu "_s;
    QStringList said;
    for (int i = 0; i < 3 && !said.contains(read); ++i) {
        EXPECT_TRUE(line.db.tbUni.findKey({u"05"_s}) && query.DBGrid1DblClick() &&
                    waitUntil([&] { return !query.waiting(); }, 5000));
        said << query.status();
    }
    EXPECT_EQ(said.last(), read);
    return said;
}

QStringList setClocks(Line &line)
{
    QStringList said;
    for (int i = 0; i < 2; ++i) {
        ClockSetting setting(line.db);
        bool done = false;
        QObject::connect(&setting, &ClockSetting::done, [&] { done = true; });
        EXPECT_TRUE(setting.FormCreate());
        EXPECT_TRUE(tickUntil([&] { setting.RepeatTimerTimer(); }, [&] { return done; }));
        said << setting.log();
    }
    EXPECT_EQ(said.mid(2),
              (QStringList{u"05 Vrátnice - akceptováno"_s, u"06 Sklad - akceptováno"_s}));
    return said;
}

// What the operator is told of the first reply: by the readings of event
// blocks, the state query and the clock setting (whose status replies only
// silence and lateness touch). The state shows a reply from another unit
// with that unit's address, and one with noise behind its whole reply.
// Collects the units' events, then programs and zeroes each unit.
QStringList upload(Line &line)
{
    PermissionUpload upload(line.db, line.vx, line.dir.path());
    bool done = false;
    QObject::connect(&upload, &PermissionUpload::finished, [&] { done = true; });
    EXPECT_TRUE(upload.StartProces().valueOr(false));
    EXPECT_TRUE(tickUntil([&] { upload.Timer1Timer(); }, [&] { return done; }));
    return upload.log();
}

struct Case
{
    const char *fault;
    sim::Fault kind;
    std::array<const char *, 3> told; // events, state, clock
};

const Case kCases[] = {
    {"silent", sim::Fault::Silent, {" - Žádná odpověď", " - Žádná odpověď", " - Žádná odpověď"}},
    {"checksum", sim::Fault::BadChecksum, {" - chyba Rx-CRC", " - chyba Rx-CRC", ""}},
    {"address", sim::Fault::OtherAddress, {"06/05 Odpovídá jiná jednotka!", "", ""}},
    // Whether the port sees the pause of a split reply depends on the load
    // of the machine; `truncate` is the cut-short reply for certain.
    {"split", sim::Fault::SplitReply, {"", "", ""}},
    {"truncate", sim::Fault::Truncated, {" - chyba Rx-CRC", " - chyba Rx-CRC", ""}},
    {"garbage", sim::Fault::Garbage, {" - chyba Rx-CRC", " - chyba Rx-CRC", ""}},
    {"noise", sim::Fault::TrailingNoise, {"Nesprávná délka paketu: 264", "", ""}},
    {"late", sim::Fault::LateReply, {" - Žádná odpověď", " - Žádná odpověď", " - Žádná odpověď"}},
};

TEST(FaultMatrix, EveryOperationReportsTheFaultGoesOnAndStoresEachEventOnce)
{
    // Each operation with the column of what it tells (-1: nothing).
    const std::tuple<const char *, Operation, int> operations[] = {
        {"collection", collect, 0}, {"monitor", monitor, 0}, {"key reading", readKeys, -1},
        {"state", queryState, 1},   {"clock", setClocks, 2}, {"upload", upload, 0},
    };
    for (const Case &c : kCases) {
        for (const auto &[name, run, told] : operations) {
            SCOPED_TRACE(std::string(name) + " under " + c.fault);
            Line line;
            const QStringList all = line.storedOrWaiting();
            ASSERT_TRUE(line.simulator.setFault(0x05, c.kind, 1));
            const QStringList said = run(line);
            const QString text = QString::fromUtf8(told < 0 ? "" : c.told[told]);
            if (!text.isEmpty()) {
                EXPECT_TRUE(std::any_of(said.begin(), said.end(), [&](const QString &l) {
                    return l.contains(text);
                })) << said.join(u'\n').toStdString();
            }
            // The last acknowledgement may still be on its way to the unit.
            EXPECT_TRUE(waitUntil([&] { return line.storedOrWaiting() == all; }))
                << line.storedOrWaiting().join(u'\n').toStdString();
        }
    }
}

} // namespace
} // namespace vardex
