#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "cli/StopSignals.h"
#include "unitops/PermissionUpload.h"
#include "unitops/UploadStatistics.h"

#include <QEventLoop>
#include <QTimer>

namespace vardex {

namespace {

// Headless, the next command goes out soon after the last answer: the tick
// sends nothing while an exchange is open, so the line sets the pace.
constexpr int kHeadlessTickMs = 10;

int printStatistics(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    const Result<QList<QStringList>> grid = uploadStatistics(app.db0, app.vx);
    app.quit();
    if (!grid)
        return call.failed(grid.error());
    print(call.out, statisticsLines(*grid).join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return 0;
}

int check(CommandCall &call, bool allAttendance)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    PermissionUpload upload(app.db0, app.vx, app.workDir());
    upload.setAllAttendance(allAttendance);
    const Result<QStringList> log = upload.btKontrolaClick();
    app.quit();
    if (!log)
        return call.failed(log.error());
    print(call.out, log->join(QLatin1Char('\n')) + QLatin1Char('\n'));
    const bool clean = log->size() == 1 && log->first() == PermissionUpload::noErrorsLine();
    return clean ? 0 : 1;
}

int upload(CommandCall &call, bool allAttendance)
{
    Application &app = call.app();
    app.useSerialPort();
    if (app.start() != StartOutcome::Started)
        return 1;
    TDB0DM &db = app.db0;
    PermissionUpload upload(db, app.vx, app.workDir());
    upload.setAllAttendance(allAttendance);
    std::FILE *out = call.out;
    QObject::connect(&upload, &PermissionUpload::lineDone,
                     [out](const QString &line) { print(out, line + QLatin1Char('\n')); });
    const Result<bool> started = upload.StartProces();
    if (!started) {
        app.quit();
        return call.failed(started.error());
    }
    if (!*started) {
        print(call.err, QStringLiteral("Žádná jednotka k nastavení\n"));
        app.quit();
        return 0;
    }
    QEventLoop loop;
    bool lineFailed = false;
    QObject::connect(&upload, &PermissionUpload::finished, &loop, &QEventLoop::quit);
    db.KomHwj.OnRequestHangup = [&] {
        lineFailed = true;
        upload.btStopClick();
    };
    const StopSignals stop;
    QTimer ticks;
    ticks.setInterval(kHeadlessTickMs);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        // "Přerušit" between two exchanges, once the last answer is in.
        if (stop.requested() && db.KomHwj.IsFree()) {
            upload.btStopClick();
            return;
        }
        upload.Timer1Timer();
    });
    ticks.start();
    loop.exec();
    ticks.stop();
    db.KomHwj.OnRequestHangup = nullptr;
    const QString failure = upload.failure();
    const bool errors = upload.hadErrors();
    const QString message = upload.finalMessage();
    app.quit();
    if (lineFailed)
        call.failed(QStringLiteral("Chyba komunikační linky"));
    if (!failure.isEmpty())
        call.failed(failure);
    return call.finalMessage(message, errors);
}

} // namespace

QList<CommandDef> uploadCommands()
{
    CommandDef upload;
    upload.name = QStringLiteral("upload");
    upload.summary = QStringLiteral("nastaví všechny jednotky podle obsahu databází");
    upload.synopsis = QStringLiteral("vardex upload [--check | --stats] [--all-attendance]");
    upload.details = QStringLiteral(
        "  Nejdřív vybere z jednotek čekající události do archivu, potom je nastaví,\n"
        "  vynuluje, nahraje oprávnění ze souboru WKVRRTS.DAT, masky relé a poplachu,\n"
        "  čas a jednotky uzamkne. Vypisuje každý řádek po odpovědi jednotky, potom\n"
        "  „Hotovo!“ (kód 0) nebo varování (kód 1). Ctrl-C dokončí rozpracovanou\n"
        "  výměnu a skončí varováním.\n"
        "  --check            jen kontrola databází: vypíše chyby (nebo „Žádné chyby\n"
        "                     nezjištěny.“) a zapíše WKVRRTS.DAT; kód 1 při chybě\n"
        "  --stats            vypíše statistiku klíčů\n"
        "  --all-attendance   docházkové jednotky dostanou všechny klíče, i bez rozpisu\n");
    upload.options = {QCommandLineOption(QStringLiteral("check")),
                      QCommandLineOption(QStringLiteral("stats")),
                      QCommandLineOption(QStringLiteral("all-attendance"))};
    upload.run = [](CommandCall &call) {
        const bool allAttendance = call.isSet(QStringLiteral("all-attendance"));
        if (call.isSet(QStringLiteral("stats"))) {
            if (call.isSet(QStringLiteral("check")) || allAttendance)
                return call.usageError(
                    QStringLiteral("--stats nelze spojit s --check ani --all-attendance"));
            return printStatistics(call);
        }
        if (call.isSet(QStringLiteral("check")))
            return check(call, allAttendance);
        return vardex::upload(call, allAttendance);
    };
    return {upload};
}

} // namespace vardex
