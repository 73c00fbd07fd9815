#include "cli/ArgumentValues.h"
#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "cli/StopSignals.h"
#include "text/HexText.h"
#include "unitops/EventMonitor.h"
#include "unitops/SearchedKeys.h"

#include <QEventLoop>
#include <QTimer>

namespace vardex {

namespace {

// How often a run looks whether it is to stop: asked to, or done.
constexpr int kWatchMs = 50;
constexpr int kMessageWidth = 25;

struct MonitorOptions
{
    int periodS = EventMonitor::MinPeriodS;
    QStringList units; // empty: every unit
    bool searchKeys = false;
    qint64 rounds = 0; // 0: until stopped
};

Result<MonitorOptions> monitorOptions(const CommandCall &call)
{
    MonitorOptions o;
    if (call.isSet(QStringLiteral("period"))) {
        const Result<int> s = numberArgument(call.value(QStringLiteral("period")), 0);
        if (!s || *s < EventMonitor::MinPeriodS || *s > EventMonitor::MaxPeriodS)
            return Failure{QStringLiteral("chybná perioda %1 (očekává se 5 až 15 s)")
                               .arg(call.value(QStringLiteral("period")))};
        o.periodS = *s;
    }
    if (call.isSet(QStringLiteral("units"))) {
        for (const QString &text : call.value(QStringLiteral("units")).split(QLatin1Char(','))) {
            const Result<quint8> a = addressArgument(text);
            if (!a)
                return a.failure();
            o.units.append(byteToHex(*a));
        }
        o.units.removeDuplicates();
    }
    o.searchKeys = call.isSet(QStringLiteral("search-keys"));
    if (call.isSet(QStringLiteral("rounds"))) {
        const Result<int> n = numberArgument(call.value(QStringLiteral("rounds")), 1);
        if (!n)
            return n.failure();
        o.rounds = *n;
    }
    return o;
}

int runMonitor(CommandCall &call, const MonitorOptions &o)
{
    Application &app = call.app();
    std::FILE *out = call.out;
    std::FILE *err = call.err;
    app.useSerialPort();
    if (app.start() != StartOutcome::Started)
        return 1;
    TDB0DM &db = app.db0;
    const auto fail = [&](const QString &why) {
        app.quit();
        return call.failed(why);
    };

    // The units chosen, as the unit selection dialog would leave them.
    if (o.units.isEmpty()) {
        db.VsechnyJednotky();
    } else {
        db.tbUni.setIndex(QString());
        for (const QString &address : o.units)
            if (!db.tbUni.findKey({address}))
                return fail(db.tbUni.readFailed() ? db.tbUni.errorMessage()
                                                  : QStringLiteral("Neznámá jednotka: ") + address);
        db.selection().addresses = o.units;
    }
    EventMonitor monitor(db);
    monitor.FormShow();
    monitor.tbMonPerChange(o.periodS);
    monitor.unitsChosen();
    if (!monitor.canStart())
        return fail(QStringLiteral("Žádná jednotka k monitorování"));
    monitor.CheckBox1Click(o.searchKeys);
    // An alarm goes to standard error as the system log takes it.
    qsizetype alarmsPrinted = db.systemLog().lines().size();
    db.systemLog().showModal = [&] {
        const QStringList &lines = db.systemLog().lines();
        for (; alarmsPrinted < lines.size(); ++alarmsPrinted)
            print(err, lines[alarmsPrinted] + QLatin1Char('\n'));
    };
    QObject::connect(&monitor, &EventMonitor::lineAdded,
                     [out](const QString &line) { print(out, line + QLatin1Char('\n')); });

    const qint64 reads = o.rounds * db.selection().count();
    const StopSignals stop;
    QEventLoop loop;
    bool lineFailed = false;
    QTimer period;
    period.setInterval(monitor.periodMs());
    const auto tick = [&] {
        if (reads == 0 || monitor.readsSent() < reads)
            monitor.monTimerTimer();
    };
    QObject::connect(&period, &QTimer::timeout, tick);
    // Between two exchanges only: what the current one brings is stored.
    QTimer watch;
    watch.setInterval(kWatchMs);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const bool done = reads > 0 && monitor.readsSent() >= reads;
        if (!monitor.busy() && (stop.requested() || done || monitor.stopped()))
            loop.quit();
    });
    db.KomHwj.OnRequestHangup = [&] {
        lineFailed = true;
        loop.quit();
    };
    monitor.btStartClick();
    period.start();
    watch.start();
    tick();
    loop.exec();
    db.KomHwj.OnRequestHangup = nullptr;
    db.systemLog().showModal = nullptr;
    monitor.btPrerusClick();
    const QString failure = monitor.failure();
    if (lineFailed)
        return fail(QStringLiteral("Chyba komunikační linky, monitorování přerušeno"));
    if (!failure.isEmpty())
        return fail(failure);
    app.quit();
    return 0;
}

int listSearchedKeys(CommandCall &call)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    SearchedKeys keys(app.db0);
    const Result<QList<SearchedKeys::Entry>> entries = keys.entries();
    if (!entries)
        return call.failed(entries.error());
    QString text;
    for (const SearchedKeys::Entry &e : *entries)
        text += keys.entryLine(e) + QLatin1Char('\n');
    print(call.out, text);
    return 0;
}

// Runs one change of the list on a started site.
int changeSearchedKeys(CommandCall &call, const std::function<Result<void>(SearchedKeys &)> &change)
{
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    SearchedKeys keys(app.db0);
    const Result<void> done = change(keys);
    if (!done)
        return call.failed(done.error());
    return 0;
}

QCommandLineOption option(const char *name, const char *valueName = nullptr)
{
    return valueName ? QCommandLineOption(QLatin1String(name), QString(), QLatin1String(valueName))
                     : QCommandLineOption(QLatin1String(name));
}

} // namespace

QList<CommandDef> monitorCommands()
{
    CommandDef monitor;
    monitor.name = QStringLiteral("monitor");
    monitor.summary = QStringLiteral("monitor událostí bez okna: čte a ukládá události jednotek");
    monitor.synopsis = QStringLiteral(
        "vardex monitor [--period S] [--units AA,BB,…] [--search-keys] [--rounds N]");
    monitor.details = QStringLiteral(
        "  Čte vybrané jednotky po jedné v periodě, ukládá jejich události jako sběr dat\n"
        "  a vypisuje řádky protokolu. Skončí po N kolech nebo po Ctrl-C (rozpracovaná\n"
        "  výměna se dokončí a uloží) s kódem 0; kód 1, když události nelze uložit.\n"
        "  --period S      perioda dotazování v sekundách, 5 až 15 (výchozí 5)\n"
        "  --units AA,BB   adresy jednotek (výchozí: všechny jednotky)\n"
        "  --search-keys   hledané klíče: poplach na standardní chybový výstup\n"
        "  --rounds N      počet kol (kolo = jedno čtení každé vybrané jednotky)\n");
    monitor.options = {option("period", "S"), option("units", "AA,BB"), option("search-keys"),
                       option("rounds", "N")};
    monitor.run = [](CommandCall &call) {
        const Result<MonitorOptions> o = monitorOptions(call);
        if (!o)
            return call.usageError(o.error());
        return runMonitor(call, *o);
    };

    CommandDef list;
    list.name = QStringLiteral("search-keys");
    list.summary = QStringLiteral("vypíše seznam hledaných klíčů");
    list.synopsis = QStringLiteral("vardex search-keys");
    list.details =
        QStringLiteral("  Řádek za každý klíč: číslo klíče, A (poplach zapnut) nebo N, zpráva\n"
                       "  při nalezení a jméno nositele.\n");
    list.run = listSearchedKeys;

    CommandDef add;
    add.name = QStringLiteral("search-keys add");
    add.summary = QStringLiteral("přidá hledaný klíč se zapnutým poplachem");
    add.synopsis = QStringLiteral("vardex search-keys add KLÍČ [--message TEXT]");
    add.details = QStringLiteral("  --message TEXT  zpráva při nalezení (nejvýše 25 znaků,\n"
                                 "                  výchozí „Byl nalezen hledaný klíč!“)\n");
    add.argNames = {QStringLiteral("KLÍČ")};
    add.minArgs = add.maxArgs = 1;
    add.options = {option("message", "TEXT")};
    add.run = [](CommandCall &call) {
        const Result<KeyBytes> key = keyArgument(call.args[0]);
        if (!key)
            return call.usageError(key.error());
        QString message = SearchedKeys::defaultMessage();
        if (call.isSet(QStringLiteral("message"))) {
            message = call.value(QStringLiteral("message"));
            if (message.trimmed().isEmpty() || message.size() > kMessageWidth)
                return call.usageError(
                    QStringLiteral("zpráva musí mít 1 až %1 znaků").arg(kMessageWidth));
        }
        return changeSearchedKeys(
            call, [&](SearchedKeys &keys) { return keys.add(keyToText(*key), message, true); });
    };

    CommandDef remove;
    remove.name = QStringLiteral("search-keys remove");
    remove.summary = QStringLiteral("odebere klíč ze seznamu hledaných klíčů");
    remove.synopsis = QStringLiteral("vardex search-keys remove KLÍČ");
    remove.argNames = {QStringLiteral("KLÍČ")};
    remove.minArgs = remove.maxArgs = 1;
    remove.run = [](CommandCall &call) {
        const Result<KeyBytes> key = keyArgument(call.args[0]);
        if (!key)
            return call.usageError(key.error());
        return changeSearchedKeys(call,
                                  [&](SearchedKeys &keys) { return keys.remove(keyToText(*key)); });
    };

    QList<CommandDef> commands{monitor, list, add, remove};
    for (const bool on : {true, false}) {
        CommandDef all;
        all.name = on ? QStringLiteral("search-keys on") : QStringLiteral("search-keys off");
        all.summary = on ? QStringLiteral("zapne poplach všech hledaných klíčů")
                         : QStringLiteral("vypne poplach všech hledaných klíčů");
        all.synopsis = QStringLiteral("vardex ") + all.name;
        all.run = [on](CommandCall &call) {
            return changeSearchedKeys(call,
                                      [on](SearchedKeys &keys) { return keys.switchAll(on); });
        };
        commands.append(all);
    }
    return commands;
}

} // namespace vardex
