#include "cli/CollectCommand.h"
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

} // namespace

int collectCommand(Application &app, const QStringList &args, std::FILE *out, std::FILE *err)
{
    int maxRounds = kDefaultMaxRounds;
    int replyTimeoutMs = 0; // the port's own
    for (qsizetype i = 0; i < args.size(); ++i) {
        bool ok = false;
        if (args[i] == QLatin1String("--max-rounds") && i + 1 < args.size()) {
            maxRounds = args[++i].toInt(&ok);
            ok = ok && maxRounds >= 1;
        } else if (args[i] == QLatin1String("--reply-timeout") && i + 1 < args.size()) {
            replyTimeoutMs = args[++i].toInt(&ok);
            ok = ok && replyTimeoutMs >= 100;
        }
        if (!ok) {
            print(err, QStringLiteral("Použití: vardex collect [--max-rounds N] [--reply-timeout "
                                      "MS], N alespoň 1, MS alespoň 100\n"));
            return 2;
        }
    }

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
        print(err, QStringLiteral("vardex collect: ") + collection.failure() + QLatin1Char('\n'));
        status = 1;
    }
    app.quit();
    return status;
}

} // namespace vardex
