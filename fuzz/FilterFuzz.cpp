// The filter language, as the operator types it into the event browser or
// the command line: compiled against a table (byte 0 chooses the events,
// the holders or the units of the site) and run over its records.
#include "FuzzSite.h"
#include "FuzzTarget.h"

#include "tables/FilterExpression.h"

namespace {

void addEvent(vardex::Table &events, int day, const QString &key, const QString &res)
{
    events.append();
    events.setDate(QStringLiteral("DATUM"), QDate(2027, 1, day));
    events.setTime(QStringLiteral("CAS"), QTime(7, 30 + day));
    events.setString(QStringLiteral("AHWJ"), QStringLiteral("05"));
    events.setString(QStringLiteral("CTM"), key);
    events.setString(QStringLiteral("RES"), res);
    events.setBool(QStringLiteral("ORI"), day % 2);
    events.post();
}

} // namespace

VARDEX_FUZZ_TARGET(Filter)
{
    if (input.isEmpty())
        return;
    vardex::TDB0DM &db = vardex::fuzz::site().app.db0;
    if (db.tbEvents.recordCount() == 0) {
        addEvent(db.tbEvents, 2, QStringLiteral("00000000000000"), QStringLiteral("38"));
        addEvent(db.tbEvents, 3, QStringLiteral("0100000000AB12"), QStringLiteral("01"));
        addEvent(db.tbEvents, 4, QStringLiteral("0100000000AB13"), QStringLiteral("10"));
    }
    vardex::Table *tables[] = {&db.tbEvents, &db.tbKey, &db.tbUni};
    vardex::Table &t = *tables[quint8(input[0]) % 3];
    const QString text = QString::fromUtf8(input.mid(1));
    (void)vardex::compileFilter(text, t.schema());
    if (!t.setFilterText(text))
        return;
    t.setFiltered(true);
    for (bool more = t.first(); more && !t.eof(); more = t.next())
        (void)t.asString(t.schema().fields.first().name);
    (void)t.countRecords();
    t.setFiltered(false);
}
