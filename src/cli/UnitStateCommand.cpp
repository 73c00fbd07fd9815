#include "cli/ArgumentValues.h"
#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "text/HexText.h"
#include "unitops/ClockSetting.h"
#include "unitops/StateQuery.h"
#include "unitops/UnitStateTexts.h"

#include <QEventLoop>
#include <QTimer>

namespace vardex {

namespace {

const QString kLineFailure = QStringLiteral("Chyba komunikační linky");

int readState(CommandCall &call, quint8 address)
{
    Application &app = call.app();
    app.useSerialPort();
    if (app.start() != StartOutcome::Started)
        return 1;
    TDB0DM &db = app.db0;
    const QString addressText = byteToHex(address);
    db.tbUni.setIndex(QString());
    if (!db.tbUni.findKey({addressText})) {
        const QString why = db.tbUni.readFailed()
                                ? db.tbUni.errorMessage()
                                : QStringLiteral("Neznámá jednotka: ") + addressText;
        app.quit();
        return call.failed(why);
    }

    StateQuery query(db);
    query.FormActivate();
    QEventLoop loop;
    bool lineFailed = false;
    bool received = false;
    QObject::connect(&query, &StateQuery::stateReceived, &loop, [&] { received = true; });
    // The grid comes back once the query has ended, whichever way.
    QObject::connect(&query, &StateQuery::gridVisibleChanged, &loop, [&](bool visible) {
        if (visible)
            loop.quit();
    });
    db.KomHwj.OnRequestHangup = [&] {
        lineFailed = true;
        loop.quit();
    };
    if (query.DBGrid1DblClick())
        loop.exec();
    else
        lineFailed = true;
    db.KomHwj.OnRequestHangup = nullptr;
    query.FormDeactivate();
    const QString status = query.status();
    const QByteArray state = query.stateBuffer();
    app.quit();
    if (lineFailed)
        return call.failed(kLineFailure);
    if (!received)
        return call.failed(status);
    print(call.out, describeUnitState(state).lines().join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return 0;
}

int setClocks(CommandCall &call)
{
    Application &app = call.app();
    app.useSerialPort();
    if (app.start() != StartOutcome::Started)
        return 1;
    TDB0DM &db = app.db0;
    ClockSetting setting(db);
    std::FILE *out = call.out;
    QObject::connect(&setting, &ClockSetting::lineDone,
                     [out](const QString &line) { print(out, line + QLatin1Char('\n')); });
    if (!setting.FormCreate()) {
        print(call.err, QStringLiteral("Žádná jednotka k nastavení času\n"));
        app.quit();
        return 0;
    }
    QEventLoop loop;
    bool lineFailed = false;
    QObject::connect(&setting, &ClockSetting::done, &loop, &QEventLoop::quit);
    db.KomHwj.OnRequestHangup = [&] {
        lineFailed = true;
        loop.quit();
    };
    QTimer ticks;
    ticks.setInterval(ClockSetting::IntervalMs);
    QObject::connect(&ticks, &QTimer::timeout, [&] { setting.RepeatTimerTimer(); });
    ticks.start();
    loop.exec();
    db.KomHwj.OnRequestHangup = nullptr;
    setting.FormDestroy();
    const bool finished = setting.finished();
    const bool errors = setting.hadErrors();
    const QString message = setting.finalMessage();
    app.quit();
    if (lineFailed || !finished)
        return call.failed(kLineFailure);
    return call.finalMessage(message, errors);
}

} // namespace

QList<CommandDef> unitStateCommands()
{
    CommandDef state;
    state.name = QStringLiteral("state");
    state.summary = QStringLiteral("přečte a vypíše stav jednotky");
    state.synopsis = QStringLiteral("vardex state AA");
    state.details =
        QStringLiteral("  AA je adresa jednotky z databáze jednotek (dvě šestnáctkové číslice).\n"
                       "  Vypíše položky okna Stav jednotky jako řádky „Název: hodnota“. Kód 1 se\n"
                       "  stavovým řádkem, když jednotka neodpoví nebo povel odmítne.\n");
    state.argNames = {QStringLiteral("AA")};
    state.minArgs = state.maxArgs = 1;
    state.run = [](CommandCall &call) {
        const Result<quint8> address = addressArgument(call.args[0]);
        if (!address)
            return call.usageError(address.error());
        return readState(call, *address);
    };

    CommandDef settime;
    settime.name = QStringLiteral("settime");
    settime.summary = QStringLiteral("nastaví hodiny všech jednotek podle času počítače");
    settime.synopsis = QStringLiteral("vardex settime");
    settime.details =
        QStringLiteral("  Vypíše řádek za každou jednotku doplněný její odpovědí, potom „Hotovo!“\n"
                       "  (kód 0), nebo varování na standardní chybový výstup (kód 1).\n");
    settime.run = setClocks;
    return {state, settime};
}

} // namespace vardex
