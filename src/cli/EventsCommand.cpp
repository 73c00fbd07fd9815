#include "cli/EventsCommand.h"
#include "cli/Print.h"

#include "app/Application.h"

#include <QDate>

namespace vardex {

namespace {

int usageError(std::FILE *err, const QString &text)
{
    print(err, QStringLiteral("vardex events: ") + text + QLatin1Char('\n'));
    return 2;
}

int listEvents(Application &app, const QString &filter, std::FILE *out, std::FILE *err)
{
    if (app.start() != StartOutcome::Started)
        return 1;
    Table &events = app.db0.tbEvents;
    if (!filter.isEmpty()) {
        if (!events.setFilterText(filter))
            return usageError(err, events.filterError());
        events.setFiltered(true);
    }
    events.setIndex(QString()); // IdEve: the order of storing
    // The listing is printed only once it has been read whole (kept as
    // UTF-8, half the size): a read that fails midway prints nothing but
    // its reason.
    QByteArray text;
    for (events.first(); !events.eof(); events.next())
        text += app.db0.tbEventsRadekUdalosti().toUtf8() + '\n';
    if (events.readFailed()) {
        print(err, QStringLiteral("vardex events: ") + events.errorMessage() + QLatin1Char('\n'));
        return 1;
    }
    std::fwrite(text.constData(), 1, size_t(text.size()), out);
    std::fflush(out);
    return 0;
}

int eraseEvents(Application &app, const QString &dateText, std::FILE *out, std::FILE *err)
{
    const QDate date = QDate::fromString(dateText, QStringLiteral("dd.MM.yyyy"));
    if (!date.isValid())
        return usageError(err,
                          QStringLiteral("chybné datum %1 (očekává se dd.mm.rrrr)").arg(dateText));
    if (app.start() != StartOutcome::Started)
        return 1;
    const std::optional<qint64> erased = app.db0.tbEventsEraseToDate(date);
    if (!erased) {
        print(err, QStringLiteral("vardex events erase: ") + app.db0.tbEvents.errorMessage() +
                       QLatin1Char('\n'));
        return 1;
    }
    print(out, QStringLiteral("Vymazáno událostí: %1\n").arg(*erased));
    return 0;
}

} // namespace

int eventsCommand(Application &app, const QStringList &args, std::FILE *out, std::FILE *err)
{
    if (args.isEmpty())
        return listEvents(app, QString(), out, err);
    if (args.size() == 2 && args[0] == QLatin1String("--filter"))
        return listEvents(app, args[1], out, err);
    if (args.size() == 3 && args[0] == QLatin1String("erase") && args[1] == QLatin1String("--to"))
        return eraseEvents(app, args[2], out, err);
    return usageError(err, QStringLiteral("nečekané argumenty %1 (viz vardex --help)")
                               .arg(args.join(QLatin1Char(' '))));
}

} // namespace vardex
