#include "cli/ArgumentValues.h"
#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "cli/StopSignals.h"
#include "unitops/Collection.h"

#include <QEventLoop>
#include <QTimer>

namespace vardex {

namespace {

// Headless, the next read goes out soon after the last exchange ends: the
// tick sends nothing while an exchange is open, so the line sets the pace.
constexpr int kHeadlessTickMs = 50;
constexpr int kDefaultMaxRounds = 5;

int runCollect(CommandCall &call, int maxRounds, int replyTimeoutMs)
{
    Application &app = call.app();
    std::FILE *out = call.out;
    std::FILE *err = call.err;
    app.useSerialPort();
    if (app.start() != StartOutcome::Started)
        return 1;

    TDB0DM &db = app.db0;
    // A line of fast units need not wait the full time for a silent one.
    if (replyTimeoutMs > 0)
        db.KomHwj.SetWaitTimeout(replyTimeoutMs);
    Collection collection(db);
    QObject::connect(&collection, &Collection::lineAdded,
                     [out](const QString &line) { print(out, line + QLatin1Char('\n')); });
    if (!collection.FormCreate()) {
        print(err, QStringLiteral("Žádná jednotka ke sběru dat\n"));
        return 0;
    }

    // A round is one read of every unit. The run gives up only when it is
    // stuck: a large backlog takes many rounds, but rounds in a row in which
    // no unit handed out an event will not end differently.
    const int units = db.selection().count();
    int judgedReads = 0;
    int eventsBefore = 0;
    int stalledRounds = 0;
    QEventLoop loop;
    int status = 0;
    QTimer ticks;
    ticks.setInterval(kHeadlessTickMs);
    const StopSignals stop;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        // Asked to stop: between two exchanges, once the last reply is stored.
        if (stop.requested() && db.KomHwj.IsFree()) {
            collection.KonecSberuDat();
            print(err, QStringLiteral("Sběr dat přerušen\n"));
            status = 1;
            loop.quit();
            return;
        }
        const int reads = collection.readsSent();
        // Judged only between exchanges, once the round's last reply is in.
        if (db.KomHwj.IsFree() && reads > judgedReads && reads % units == 0 &&
            !collection.VsechnoNulove()) {
            judgedReads = reads;
            stalledRounds = collection.eventsReceived() == eventsBefore ? stalledRounds + 1 : 0;
            eventsBefore = collection.eventsReceived();
            if (stalledRounds >= maxRounds) {
                collection.KonecSberuDat();
                print(out,
                      QStringLiteral("Sběr dat nedokončen, jednotky s nevybranými událostmi: ") +
                          collection.pendingUnits().join(QStringLiteral(", ")) + QLatin1Char('\n'));
                status = 1;
            }
        }
        collection.sbdTimerTimer();
        if (collection.stopped())
            loop.quit();
    });
    db.KomHwj.OnRequestHangup = [&] {
        print(err, QStringLiteral("Chyba komunikační linky, sběr dat přerušen\n"));
        collection.KonecSberuDat();
        status = 1;
        loop.quit();
    };
    ticks.start();
    loop.exec();
    db.KomHwj.OnRequestHangup = nullptr;
    if (!collection.failure().isEmpty()) {
        status = call.failed(collection.failure());
    }
    app.quit();
    return status;
}

} // namespace

QList<CommandDef> collectCommands()
{
    CommandDef collect;
    collect.name = QStringLiteral("collect");
    collect.summary = QStringLiteral("sběr dat od všech jednotek bez okna");
    collect.synopsis = QStringLiteral("vardex collect [--max-rounds N] [--reply-timeout MS]");
    collect.details = QStringLiteral(
        "  Vypisuje průběh. Kód 0, když jsou všechny jednotky prázdné; kód 1, když se\n"
        "  to nepodaří za N kol bez nové události (výchozí 5), když události nelze\n"
        "  uložit nebo po Ctrl-C (rozpracovaná výměna se dokončí a uloží).\n"
        "  --max-rounds N       počet kol bez události, po kterých sběr skončí (1 a více)\n"
        "  --reply-timeout MS   čas na odpověď jednotky v ms (výchozí 4000, 100 a více)\n");
    collect.options = {
        QCommandLineOption(QStringLiteral("max-rounds"), QString(), QStringLiteral("N")),
        QCommandLineOption(QStringLiteral("reply-timeout"), QString(), QStringLiteral("MS"))};
    collect.run = [](CommandCall &call) {
        int maxRounds = kDefaultMaxRounds;
        int replyTimeoutMs = 0; // the port's own
        if (call.isSet(QStringLiteral("max-rounds"))) {
            const Result<int> n = numberArgument(call.value(QStringLiteral("max-rounds")), 1);
            if (!n)
                return call.usageError(n.error());
            maxRounds = *n;
        }
        if (call.isSet(QStringLiteral("reply-timeout"))) {
            const Result<int> ms = numberArgument(call.value(QStringLiteral("reply-timeout")), 100);
            if (!ms)
                return call.usageError(ms.error());
            replyTimeoutMs = *ms;
        }
        return runCollect(call, maxRounds, replyTimeoutMs);
    };
    return {collect};
}

} // namespace vardex
