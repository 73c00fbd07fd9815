#include "cli/ArgumentValues.h"
#include "cli/CommandDefs.h"
#include "cli/EventFileCommands.h"
#include "cli/EventSelectionArgs.h"
#include "cli/Print.h"

#include "app/Application.h"
#include "events/EventListing.h"
#include "events/EventTextCache.h"
#include "events/ReportFile.h"
#include "text/Cp1250.h"

#include <QDate>
#include <QFile>

namespace vardex {

namespace {

int listEvents(CommandCall &call)
{
    Application &app = call.app();
    const QString filter = call.value(QStringLiteral("filter"));
    if (app.start() != StartOutcome::Started)
        return 1;
    Table &events = app.db0.tbEvents;
    if (!filter.isEmpty()) {
        if (!events.setFilterText(filter))
            return call.usageError(events.filterError());
        events.setFiltered(true);
    }
    events.setIndex(QString()); // IdEve: the order of storing
    // The listing is printed only once it has been read whole (kept as
    // UTF-8, half the size): a read that fails midway prints nothing but
    // its reason.
    QByteArray text;
    EventTextCache texts(app.workDir());
    const EventRowLayout layout(events.schema());
    const Result<qint64> listed = forEachRecord(events, [&](const QVariantList &stored) {
        const Result<QString> line = texts.eventLine(layout(stored));
        if (!line)
            return Result<void>(line.failure());
        text += line->toUtf8();
        text += '\n';
        return Result<void>();
    });
    if (!listed)
        return call.failed(listed.error());
    std::fwrite(text.constData(), 1, size_t(text.size()), call.out);
    std::fflush(call.out);
    return 0;
}

int eraseEvents(CommandCall &call)
{
    const Result<QDate> date = dateArgument(call.value(QStringLiteral("to")));
    if (!date)
        return call.usageError(date.error());
    Application &app = call.app();
    if (app.start() != StartOutcome::Started)
        return 1;
    const std::optional<qint64> erased = app.db0.tbEventsEraseToDate(*date);
    if (!erased)
        return call.failed(app.db0.tbEvents.errorMessage());
    print(call.out, QStringLiteral("Vymazáno událostí: %1\n").arg(*erased));
    return 0;
}

// The event table started and narrowed to the selection on the line, in
// its order; null after a failure, with `status` the exit status.
Table *selectedEvents(CommandCall &call, bool sort, int &status)
{
    const Result<EventSelectionArgs> args = parseEventSelection(call, sort);
    if (!args) {
        status = call.usageError(args.error());
        return nullptr;
    }
    Application &app = call.app();
    status = 1;
    if (app.start() != StartOutcome::Started)
        return nullptr;
    Table &events = app.db0.tbEvents;
    const QString filter = eventSelectionFilter(app.db0, *args);
    if (!events.setFilterText(filter)) {
        status = call.usageError(events.filterError());
        return nullptr;
    }
    events.setFiltered(!filter.isEmpty());
    if (!events.setIndex(args->sortIndex) || events.readFailed()) {
        status = call.failed(events.errorMessage());
        return nullptr;
    }
    return &events;
}

int countEvents(CommandCall &call)
{
    int status = 0;
    Table *events = selectedEvents(call, false, status);
    if (!events)
        return status;
    const Result<qint64> n = events->countRecords();
    if (!n)
        return call.failed(n.error());
    print(call.out, QStringLiteral("%1\n").arg(*n));
    return 0;
}

// The report file as it was written, on standard output in UTF-8; read in
// pieces, so a listing of the whole archive is never held at once.
Result<void> printReportFile(std::FILE *out, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("Soubor nelze otevřít: ") + path};
    Cp1250Codec codec;
    while (!file.atEnd()) {
        const QByteArray bytes = file.read(1 << 20);
        if (file.error() != QFileDevice::NoError)
            return Failure{QStringLiteral("Chyba čtení souboru: ") + path};
        const DecodedText text = codec.decode(bytes);
        if (!text.ok)
            return Failure{text.error};
        QString lines = text.text;
        lines.remove(QLatin1Char('\r'));
        const QByteArray utf8 = lines.toUtf8();
        std::fwrite(utf8.constData(), 1, size_t(utf8.size()), out);
    }
    std::fflush(out);
    return {};
}

int printEvents(CommandCall &call)
{
    int status = 0;
    Table *events = selectedEvents(call, true, status);
    if (!events)
        return status;
    const Result<qint64> n = events->countRecords();
    if (!n)
        return call.failed(n.error());
    if (*n == 0)
        return call.failed(QStringLiteral("nebyla vybrána žádná událost"));
    Application &app = call.app();
    EventTextCache texts(app.workDir());
    const QString outputDir = app.vx.config.outputDir;
    const Result<qint64> listed = writeEventListing(*events, texts, outputDir);
    if (!listed)
        return call.failed(listed.error());
    const Result<void> printed = printReportFile(call.out, reportFilePath(outputDir));
    return printed ? 0 : call.failed(printed.error());
}

} // namespace

QList<CommandDef> eventsCommands()
{
    CommandDef list;
    list.name = QStringLiteral("events");
    list.summary = QStringLiteral("vypíše uložené události, nejstarší první");
    list.synopsis = QStringLiteral("vardex events [--filter VÝRAZ]");
    list.details = QStringLiteral(
        "  --filter VÝRAZ  filtr tabulky událostí, např. \"DATUM>='01.12.2026' AND RES='10'\"\n"
        "                  (položky DATUM, CAS, AHWJ, CTM, RES, ORI); chybný filtr: kód 2\n");
    list.options = {
        QCommandLineOption(QStringLiteral("filter"), QString(), QStringLiteral("VÝRAZ"))};
    list.run = listEvents;

    CommandDef erase;
    erase.name = QStringLiteral("events erase");
    erase.summary =
        QStringLiteral("vymaže události až do zadaného dne včetně a vypíše jejich počet");
    erase.synopsis = QStringLiteral("vardex events erase --to dd.mm.rrrr");
    erase.details =
        QStringLiteral("  Maže v jedné transakci: při chybě zůstanou všechny události.\n");
    erase.options = {
        QCommandLineOption(QStringLiteral("to"), QString(), QStringLiteral("dd.mm.rrrr"))};
    erase.run = [](CommandCall &call) {
        if (!call.isSet(QStringLiteral("to")))
            return call.usageError(QStringLiteral("chybí volba --to"));
        return eraseEvents(call);
    };

    const QString selection = QStringLiteral(
        "[--from dd.mm.rrrr [--to dd.mm.rrrr]] [--time hh:mm-hh:mm] [--key KLÍČ] [--unit AA] "
        "[--result DRUHY --places MÍSTA [--pairs]] [--filter VÝRAZ]");
    CommandDef printDef;
    printDef.name = QStringLiteral("events print");
    printDef.summary = QStringLiteral(
        "vypíše vybrané události jako \"Tisknout\" přehledu událostí (soubor sestavy)");
    printDef.synopsis =
        QStringLiteral("vardex events print ") + selection + QStringLiteral(" [--sort INDEX]");
    printDef.details =
        eventSelectionDetails(true) +
        QStringLiteral(
            "  Výpis zapíše do souboru sestavy WKVR.RTF a vypíše jej; nic nevybráno: kód 1.\n");
    printDef.options = eventSelectionOptions(true);
    printDef.run = printEvents;

    CommandDef count;
    count.name = QStringLiteral("events count");
    count.summary = QStringLiteral("vypíše počet vybraných událostí");
    count.synopsis = QStringLiteral("vardex events count ") + selection;
    count.details = eventSelectionDetails(false);
    count.options = eventSelectionOptions(false);
    count.run = countEvents;

    return QList<CommandDef>{list, erase, printDef, count} + eventFileCommands();
}

} // namespace vardex
