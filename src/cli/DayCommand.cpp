#include "cli/ArgumentValues.h"
#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "attendance/DayReview.h"
#include "text/HexText.h"
#include "timecal/HourMinute.h"

#include <memory>

namespace vardex {

namespace {

// The review of the key and day on the line, on a started site; null after
// a failure, with `status` the exit status.
std::unique_ptr<DayReview> reviewOnLine(CommandCall &call, int &status)
{
    status = 2;
    for (const char *option : {"key", "date"})
        if (!call.isSet(QLatin1String(option))) {
            call.usageError(QStringLiteral("chybí volba --") + QLatin1String(option));
            return nullptr;
        }
    const Result<KeyBytes> key = keyArgument(call.value(QStringLiteral("key")));
    if (!key) {
        call.usageError(key.error());
        return nullptr;
    }
    const Result<QDate> date = dateArgument(call.value(QStringLiteral("date")));
    if (!date) {
        call.usageError(date.error());
        return nullptr;
    }
    status = 1;
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return nullptr;
    const QString ctm = keyToText(*key);
    if (!app.db0.tbKeyExactCTM(ctm)) {
        call.failed(QStringLiteral("není takový klíč: ") + ctm);
        return nullptr;
    }
    auto review = std::make_unique<DayReview>(app.db0, app.workDir());
    review->setKey(ctm);
    review->setDate(*date);
    return review;
}

// One line per event of the day: "dd.mm. hh:mm", the result text, "#" for
// an added event, IdEve.
void printDay(CommandCall &call, const DayReview &review)
{
    QString text;
    for (const DayRow &row : review.rows()) {
        if (row.insertion)
            continue;
        text += row.date + u' ' + row.timeText() + u' ' + row.result.trimmed().leftJustified(40) +
                u' ' + (row.added ? u'#' : u' ') + u' ' + QString::number(row.idEve) + u'\n';
    }
    print(call.out, text);
}

int showDay(CommandCall &call)
{
    int status = 0;
    const std::unique_ptr<DayReview> review = reviewOnLine(call, status);
    if (!review)
        return status;
    if (const Result<void> shown = review->show(); !shown)
        return call.failed(shown.error());
    printDay(call, *review);
    return 0;
}

// The latest insertion row whose bounds hold `time` and that offers
// `unit`; -1 when there is none (then `why` says what was on offer).
int placeFor(const DayReview &review, quint16 time, const QString &unit, QString &why)
{
    for (int row = int(review.rows().size()) - 1; row >= 0; row -= 2) {
        const InsertionPlace p = review.place(row);
        if (!p.holds(time))
            continue;
        if (p.units.isEmpty() || p.units.contains(unit))
            return row;
        why = QStringLiteral("v %1 lze doplnit jen událost jednotky %2")
                  .arg(FormatHourMinute(time), p.units.join(QStringLiteral(" nebo ")));
    }
    return -1;
}

int addEvent(CommandCall &call)
{
    for (const char *option : {"time", "unit", "object"})
        if (!call.isSet(QLatin1String(option)))
            return call.usageError(QStringLiteral("chybí volba --") + QLatin1String(option));
    const Result<quint16> time = timeArgument(call.value(QStringLiteral("time")));
    if (!time)
        return call.usageError(time.error());
    const Result<quint8> unit = addressArgument(call.value(QStringLiteral("unit")));
    if (!unit)
        return call.usageError(unit.error());
    const QString object = call.value(QStringLiteral("object"));
    if (object.size() != 2)
        return call.usageError(QStringLiteral("snímač má dvě číslice: ") + object);
    int status = 0;
    const std::unique_ptr<DayReview> review = reviewOnLine(call, status);
    if (!review)
        return status;
    if (const Result<void> shown = review->show(); !shown)
        return call.failed(shown.error());
    const QString address = byteToHex(*unit);
    QString why;
    const int row = placeFor(*review, *time, address, why);
    if (row < 0)
        return call.failed(why);
    if (const Result<qint64> added = review->insert(row, *time, address, object); !added)
        return call.failed(added.error());
    printDay(call, *review);
    return 0;
}

int clearAdded(CommandCall &call)
{
    int status = 0;
    const std::unique_ptr<DayReview> review = reviewOnLine(call, status);
    if (!review)
        return status;
    // Without --yes the question gets its safe answer.
    if (!call.isSet(QStringLiteral("yes")))
        return call.failed(QStringLiteral("Přerušeno! (--yes vymaže doplněné události)"));
    const Result<int> cleared = review->clearAdded();
    if (!cleared)
        return call.failed(cleared.error());
    print(call.out, QStringLiteral("Vymazáno doplněných událostí: %1\n").arg(*cleared));
    return 0;
}

QList<QCommandLineOption> dayOptions()
{
    return {QCommandLineOption(QStringLiteral("key"), QString(), QStringLiteral("KLÍČ")),
            QCommandLineOption(QStringLiteral("date"), QString(), QStringLiteral("dd.mm.rrrr"))};
}

} // namespace

QList<CommandDef> dayCommands()
{
    const QString day = QStringLiteral("--key KLÍČ --date dd.mm.rrrr");
    CommandDef show;
    show.name = QStringLiteral("day");
    show.summary = QStringLiteral("vypíše docházkové události pracovníka v jednom dni");
    show.synopsis = QStringLiteral("vardex day ") + day;
    show.details = QStringLiteral(
        "  Řádek na událost: dd.mm. hh:mm, výsledek (40), \"#\" u doplněné události, IdEve.\n"
        "  Klíč, který nemá nositele: kód 1.\n");
    show.options = dayOptions();
    show.run = showDay;

    CommandDef add;
    add.name = QStringLiteral("day add");
    add.summary = QStringLiteral("doplní událost do dne pracovníka a opraví pořadí událostí");
    add.synopsis = QStringLiteral("vardex day add ") + day +
                   QStringLiteral(" --time hh:mm --unit AA --object NN");
    add.details = QStringLiteral(
        "  Událost se vloží za poslední událost dne, která není pozdější než --time;\n"
        "  jednotka musí být jednotkou sousední události (v prázdném dni kterákoli),\n"
        "  snímač jedním z nabízených (docházková jednotka 00..05, jinak dvojice\n"
        "  snímačů používaných dveří či závor). Jinak kód 1 a důvod. Vypíše den.\n");
    add.options = dayOptions();
    for (const auto &[name, value] : {std::pair{"time", "hh:mm"}, {"unit", "AA"}, {"object", "NN"}})
        add.options << QCommandLineOption(QLatin1String(name), QString(), QLatin1String(value));
    add.run = addEvent;

    CommandDef clear;
    clear.name = QStringLiteral("day clear-added");
    clear.summary = QStringLiteral("vymaže doplněné události pracovníka v jednom dni");
    clear.synopsis = QStringLiteral("vardex day clear-added ") + day + QStringLiteral(" --yes");
    clear.details =
        QStringLiteral("  Zaznamenané události zůstanou. Bez --yes nesmaže nic (kód 1).\n");
    clear.options = dayOptions() << QCommandLineOption(QStringLiteral("yes"));
    clear.run = clearAdded;
    return {show, add, clear};
}

} // namespace vardex
