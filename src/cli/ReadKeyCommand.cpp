#include "cli/ReadKeyCommand.h"
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

} // namespace

int readKeyCommand(Application &app, const QStringList &args, std::FILE *out, std::FILE *err)
{
    std::optional<quint8> address;
    int timeoutS = kDefaultTimeoutS;
    for (qsizetype i = 0; i < args.size(); ++i) {
        bool ok = false;
        if (args[i] == QLatin1String("--address") && i + 1 < args.size()) {
            const QString &text = args[++i];
            address = text.size() == 2 ? parseHexByte(text) : std::nullopt;
            ok = address.has_value();
        } else if (args[i] == QLatin1String("--timeout") && i + 1 < args.size()) {
            timeoutS = args[++i].toInt(&ok);
            ok = ok && timeoutS >= 0;
        }
        if (!ok) {
            print(err, QStringLiteral("Použití: vardex read-key [--address XX] [--timeout S], XX "
                                      "dvě hexadecimální číslice, S sekundy (0 a více)\n"));
            return 2;
        }
    }

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

} // namespace vardex
