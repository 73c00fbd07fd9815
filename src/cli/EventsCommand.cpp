#include "cli/ArgumentValues.h"
#include "cli/CommandDefs.h"
#include "cli/Print.h"

#include "app/Application.h"

#include <QDate>

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
    for (events.first(); !events.eof(); events.next())
        text += app.db0.tbEventsRadekUdalosti().toUtf8() + '\n';
    if (events.readFailed())
        return call.failed(events.errorMessage());
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
    return {list, erase};
}

} // namespace vardex
