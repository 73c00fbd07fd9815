#include "cli/ArgumentValues.h"
#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "text/HexText.h"
#include "unitops/KeyReading.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace vardex {

namespace {

constexpr int kDefaultTimeoutS = 30;
// The pause between one read that brought no key and the next.
constexpr int kRetryMs = 1000;

int readKey(CommandCall &call, std::optional<quint8> address, int timeoutS)
{
    Application &app = call.app();
    std::FILE *out = call.out;
    std::FILE *err = call.err;
    app.useSerialPort();
    if (app.start() != StartOutcome::Started)
        return 1;

    TDB0DM &db = app.db0;
    KeyReading reading(db, app.vx);
    reading.FormCreate();
    if (address)
        reading.UpDown1Click(*address);
    print(err, QStringLiteral("Předložte identifikační klíč (adresa pro čtení %1)\n")
                   .arg(reading.addrText()));

    const QDeadlineTimer deadline(qint64(timeoutS) * 1000);
    int status = 1;
    QEventLoop loop;
    QTimer next;
    next.setSingleShot(true);
    QObject::connect(&next, &QTimer::timeout, [&] { reading.getKeyClick(); });
    // Every read ends here: with a reply, a time-out, or the port's refusal.
    QObject::connect(&reading, &KeyReading::waitingChanged, [&](bool waiting) {
        if (waiting)
            return;
        if (reading.key()) {
            print(out, keyToText(*reading.key()) + QLatin1Char('\n'));
            status = 0;
            loop.quit();
        } else if (!reading.failure().isEmpty()) {
            // The reason is on standard error already; the unit keeps its event.
            loop.quit();
        } else if (deadline.hasExpired()) {
            print(err, QStringLiteral("Identifikační klíč nebyl přečten\n"));
            loop.quit();
        } else {
            next.start(kRetryMs);
        }
    });
    db.KomHwj.OnRequestHangup = [&] {
        print(err, QStringLiteral("Chyba komunikační linky, čtení klíče přerušeno\n"));
        status = 1;
        loop.quit();
    };
    next.start(0);
    loop.exec();
    db.KomHwj.OnRequestHangup = nullptr;
    reading.FormDestroy();
    app.quit();
    return status;
}

} // namespace

QList<CommandDef> readKeyCommands()
{
    CommandDef read;
    read.name = QStringLiteral("read-key");
    read.summary = QStringLiteral("přečte identifikační klíč předložený u jednotky a vypíše jeho "
                                  "číslo");
    read.synopsis = QStringLiteral("vardex read-key [--address XX] [--timeout S]");
    read.details = QStringLiteral(
        "  --address XX   adresa jednotky (výchozí: adresa pro čtení z konfigurace)\n"
        "  --timeout S    zkouší S sekund (výchozí 30, 0 = jediný pokus)\n"
        "  Kód 1, když klíč nebyl přečten.\n");
    read.options = {QCommandLineOption(QStringLiteral("address"), QString(), QStringLiteral("XX")),
                    QCommandLineOption(QStringLiteral("timeout"), QString(), QStringLiteral("S"))};
    read.run = [](CommandCall &call) {
        std::optional<quint8> address;
        int timeoutS = kDefaultTimeoutS;
        if (call.isSet(QStringLiteral("address"))) {
            const Result<quint8> a = addressArgument(call.value(QStringLiteral("address")));
            if (!a)
                return call.usageError(a.error());
            address = *a;
        }
        if (call.isSet(QStringLiteral("timeout"))) {
            const Result<int> s = numberArgument(call.value(QStringLiteral("timeout")), 0);
            if (!s)
                return call.usageError(s.error());
            timeoutS = *s;
        }
        return readKey(call, address, timeoutS);
    };
    return {read};
}

} // namespace vardex
