#include "attendance/DayReview.h"

#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "platform/OperatorMessages.h"
#include "tables/Transaction.h"
#include "text/HexText.h"
#include "timecal/DayMonth.h"
#include "timecal/HourMinute.h"

namespace vardex {

namespace {

const QString kCAS = QStringLiteral("CAS");
const QString kORI = QStringLiteral("ORI");
const quint16 kEndOfDay = MakeHourMinute(23, 59);

QString objectEntry(int code, const QString &name)
{
    return byteToHex(quint8(code)) + QLatin1Char(' ') + name;
}

} // namespace

QString DayRow::timeText() const
{
    return FormatHourMinute(time);
}

quint16 InsertionPlace::clamp(quint16 time) const
{
    return std::clamp(time, lower, upper);
}

QStringList insertionObjects(const UnitInsertionFacts &unit)
{
    QStringList entries;
    if (unit.type == UnitType::Attendance) {
        for (int code = 0; code <= 5; ++code)
            entries << objectEntry(code, unit.readers[size_t(code)]);
        return entries;
    }
    const int doors = isBarrierType(unit.type) ? 2 : 4;
    for (int door = 0; door < doors; ++door) {
        if ((unit.used & (1 << door)) == 0)
            continue;
        for (int code = 2 * door; code <= 2 * door + 1; ++code)
            entries << objectEntry(code, unit.readers[size_t(code)]);
    }
    return entries;
}

DayReview::DayReview(TDB0DM &db, const QString &workDir)
    : m_db(db), m_units(wkvrUniSchema(), workDir)
{
    Table &events = m_db.tbEvents;
    m_oldIndex = events.indexName();
    m_oldFilter = events.filterText();
    m_oldFiltered = events.filtered();
}

DayReview::~DayReview()
{
    Table &events = m_db.tbEvents;
    if (!events.isOpen())
        return;
    // What the caller's filter and order were: they were valid before.
    events.setFilterText(m_oldFilter);
    events.setFiltered(m_oldFiltered);
    events.setIndex(m_oldIndex);
}

QString DayReview::dayFilter() const
{
    return QStringLiteral("CTM='") + m_key + QStringLiteral("' AND DATUM='") +
           m_date.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char('\'');
}

Result<void> DayReview::applyDayFilter()
{
    Table &events = m_db.tbEvents;
    if (!events.setFilterText(dayFilter()))
        return Failure{events.filterError()};
    events.setFiltered(true);
    if (!events.setIndex(QStringLiteral("IndexCTMDATUMCAS")) || events.readFailed())
        return events.failure();
    return {};
}

Result<void> DayReview::show()
{
    m_rows = {DayRow{}};
    if (Result<void> filtered = applyDayFilter(); !filtered)
        return filtered;
    Table &events = m_db.tbEvents;
    for (events.first(); !events.eof() && !events.isEmpty(); events.next()) {
        if (!m_db.tbEventsUdalostDochazky())
            continue;
        DayRow row;
        row.insertion = false;
        row.date = FormatDayMonth(m_db.udalost_dm.date);
        row.time = m_db.udalost_dm.time;
        row.result = m_db.tbEventsTranslateResult(true);
        row.added = !events.asBool(kORI);
        row.idEve = events.bookmark();
        row.unit = events.asString(QStringLiteral("AHWJ"));
        m_rows << row << DayRow{};
    }
    if (events.readFailed())
        return events.failure();
    return {};
}

InsertionPlace DayReview::place(int row) const
{
    InsertionPlace p{0, kEndOfDay, {}};
    const DayRow *above = row > 0 ? &m_rows[row - 1] : nullptr;
    const DayRow *below = row + 1 < m_rows.size() ? &m_rows[row + 1] : nullptr;
    if (above)
        p.lower = above->time;
    if (below)
        p.upper = below->time;
    if (above && below && above->unit != below->unit)
        p.units = {above->unit, below->unit};
    else if (below)
        p.units = {below->unit};
    else if (above)
        p.units = {above->unit};
    return p;
}

Result<UnitInsertionFacts> DayReview::unitFacts(const QString &unit)
{
    if (!m_units.isOpen() && !m_units.open())
        return m_units.failure();
    if (!m_units.findKey({unit})) {
        if (m_units.readFailed())
            return m_units.failure();
        return Failure{QStringLiteral("Neznámá jednotka: ") + unit};
    }
    UnitInsertionFacts facts;
    facts.type = hexToByte(m_units.asString(QStringLiteral("TYP")));
    facts.used = hexToByte(m_units.asString(QStringLiteral("POUZITI")));
    for (int i = 0; i < 8; ++i)
        facts.readers[size_t(i)] = m_units.asString(unitSensorField(i));
    return facts;
}

Result<QStringList> DayReview::objects(const QString &unit)
{
    const Result<UnitInsertionFacts> facts = unitFacts(unit);
    if (!facts)
        return facts.failure();
    return insertionObjects(*facts);
}

Result<qint64> DayReview::insert(int row, quint16 time, const QString &unit, const QString &entry)
{
    Q_ASSERT(row >= 0 && row < m_rows.size() && m_rows[row].insertion);
    const InsertionPlace p = place(row);
    if (!p.holds(time))
        return Failure{
            QStringLiteral("Čas %1 neleží mezi %2 a %3")
                .arg(FormatHourMinute(time), FormatHourMinute(p.lower), FormatHourMinute(p.upper))};
    if (!p.units.isEmpty() && !p.units.contains(unit))
        return Failure{QStringLiteral("Jednotka %1 zde nepřichází v úvahu (%2)")
                           .arg(unit, p.units.join(QStringLiteral(", ")))};
    const Result<QStringList> offered = objects(unit);
    if (!offered)
        return offered.failure();
    const QString code = entry.left(2);
    const auto chosen = std::find_if(offered->begin(), offered->end(),
                                     [&](const QString &e) { return e.left(2) == code; });
    if (chosen == offered->end())
        return Failure{QStringLiteral("Jednotka %1 nemá snímač %2").arg(unit, code)};

    Table &events = m_db.tbEvents;
    Transaction tx(events);
    if (!tx.active())
        return events.failure();
    const StoredEvent event{m_date, QTime(HourOf(time), MinuteOf(time)), unit, m_key, code};
    if (Result<void> stored = m_db.tbEventsPridatUdalost(event, false); !stored)
        return stored.failure();
    // The day filter lets the new event through, so the table stands on it.
    const qint64 id = events.bookmark();
    DayRow added;
    added.insertion = false;
    added.time = time;
    added.idEve = id;
    added.unit = unit;
    // In the rows the new event takes the insertion row's place, so that
    // the order repair numbers it where the operator put it.
    m_rows.insert(row + 1, added);
    m_rows.insert(row + 2, DayRow{});
    if (Result<void> written = writeSeconds(); !written)
        return written.failure();
    if (!tx.commit())
        return events.failure();
    if (Result<void> shown = show(); !shown)
        return shown.failure();
    return id;
}

Result<void> DayReview::writeSeconds()
{
    Table &events = m_db.tbEvents;
    for (int i = 0; i < m_rows.size(); ++i) {
        const DayRow &row = m_rows[i];
        if (row.idEve == 0)
            continue;
        if (!events.gotoBookmark(row.idEve)) {
            if (events.readFailed())
                return events.failure();
            m_db.messages().information(QStringLiteral("Nemohu najít událost ") +
                                        QString::number(row.idEve));
            continue;
        }
        // Row numbers past a minute's last second stay at 59: the day would
        // need thirty events for that, and their minutes still order them.
        const int second = std::min(i + 1, 59);
        const QTime old = events.asTime(kCAS);
        if (old.second() == second)
            continue;
        if (!events.edit() || !events.setTime(kCAS, QTime(old.hour(), old.minute(), second)) ||
            !events.post()) {
            const Failure why = events.failure();
            events.cancel();
            return why;
        }
    }
    return {};
}

Result<void> DayReview::repairOrder()
{
    Table &events = m_db.tbEvents;
    Transaction tx(events);
    if (!tx.active())
        return events.failure();
    if (Result<void> written = writeSeconds(); !written)
        return written;
    if (!tx.commit())
        return events.failure();
    return show();
}

Result<int> DayReview::clearAdded()
{
    if (Result<void> filtered = applyDayFilter(); !filtered)
        return filtered.failure();
    Table &events = m_db.tbEvents;
    int added = 0;
    for (events.first(); !events.eof() && !events.isEmpty(); events.next())
        added += events.asBool(kORI) ? 0 : 1;
    if (events.readFailed())
        return events.failure();
    if (!m_db.tbEventsVypustitPridaneUdalosti())
        return events.failure();
    if (Result<void> shown = show(); !shown)
        return shown.failure();
    return added;
}

} // namespace vardex
