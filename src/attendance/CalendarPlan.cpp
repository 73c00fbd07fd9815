#include "attendance/CalendarPlan.h"

#include "accessdata/TDB0DM.h"
#include "attendance/PlanSources.h"
#include "attendance/TDMRPL.h"
#include "attendance/TVXDM.h"
#include "platform/OperatorMessages.h"
#include "tables/CzechCollation.h"
#include "tables/Transaction.h"
#include "timecal/HourMinute.h"
#include "timecal/LongDuration.h"

#include <algorithm>
#include <map>

namespace vardex {

namespace {

const QString kKlic = QStringLiteral("KLIC");
const QString kDatum = QStringLiteral("DATUM");
const QString kData = QStringLiteral("DATA");
const QString kPozn = QStringLiteral("POZN");
const QString kByKeyAndDate = QStringLiteral("IndexKLICDATUM");

Date dateOf(const QDate &d)
{
    return {d.year(), d.month(), d.day()};
}

QString periodFilter(const QString &ctm, const QDate &from, const QDate &to)
{
    return CalendarPlan::keyFilter(ctm) + QStringLiteral(" AND DATUM>='%1' AND DATUM<='%2'")
                                              .arg(from.toString(QStringLiteral("dd.MM.yyyy")),
                                                   to.toString(QStringLiteral("dd.MM.yyyy")));
}

// Puts the plan's order, filter and place back as the window had them.
class KeepCursor
{
public:
    explicit KeepCursor(Table &t)
        : m_t(t), m_index(t.indexName()), m_filter(t.filterText()), m_filtered(t.filtered()),
          m_at(t.bookmark())
    {
    }
    ~KeepCursor()
    {
        m_t.setIndex(m_index);
        m_t.setFilterText(m_filter);
        m_t.setFiltered(m_filtered);
        if (m_at != 0)
            m_t.gotoBookmark(m_at);
    }
    KeepCursor(const KeepCursor &) = delete;
    KeepCursor &operator=(const KeepCursor &) = delete;

private:
    Table &m_t;
    QString m_index;
    QString m_filter;
    bool m_filtered;
    Bookmark m_at;
};

// The whole plan in key-and-date order, for finding single days.
Result<void> byKeyAndDate(Table &t)
{
    if (!t.isOpen() && !t.open())
        return t.failure();
    t.setFiltered(false);
    if (!t.setIndex(kByKeyAndDate))
        return t.failure();
    return {};
}

// Only the records under `filter`, in key-and-date order.
Result<void> only(Table &t, const QString &filter)
{
    if (Result<void> ordered = byKeyAndDate(t); !ordered)
        return ordered;
    if (!t.setFilterText(filter))
        return Failure{t.filterError()};
    t.setFiltered(true);
    return {};
}

// The cursor must be in key-and-date order without a filter.
Result<bool> storeDay(Table &t, const QString &ctm, bool overwrite, const QString &note,
                      const DayShift &day, const QDate &date)
{
    if (t.findKey({date, ctm})) {
        if (!overwrite)
            return false;
        if (!t.edit())
            return t.failure();
    } else {
        if (t.readFailed())
            return t.failure();
        if (!t.append())
            return t.failure();
        t.setString(kKlic, ctm);
        t.setDate(kDatum, date);
    }
    t.setString(kPozn, note);
    t.setBytes(kData, DayShiftToBytes(day));
    if (!t.post()) {
        const Failure why = t.failure();
        t.cancel();
        return why;
    }
    return true;
}

// Writes a day's shift and note for each day of the period.
template <typename DayOf>
Result<int> writePeriod(Table &t, const QString &ctm, const QDate &from, const QDate &to,
                        bool overwrite, DayOf dayOf)
{
    const KeepCursor keep(t);
    if (Result<void> ordered = byKeyAndDate(t); !ordered)
        return ordered.failure();
    Transaction transaction(t);
    if (!transaction.active())
        return t.failure();
    int written = 0;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        QString note;
        DayShift day;
        if (Result<void> made = dayOf(d, note, day); !made)
            return made.failure();
        const Result<bool> stored = storeDay(t, ctm, overwrite, note, day, d);
        if (!stored)
            return stored.failure();
        written += *stored ? 1 : 0;
    }
    if (!transaction.commit())
        return t.failure();
    return written;
}

bool inOneMonth(const QDate &from, const QDate &to)
{
    return from.year() == to.year() && from.month() == to.month();
}

} // namespace

CalendarPlan::CalendarPlan(TVXDM &vx, TDB0DM &db, TDMRPL &rpl) : m_vx(vx), m_db(db), m_rpl(rpl)
{
}

Table &CalendarPlan::plan()
{
    return m_rpl.tbRpl;
}

std::optional<bool> CalendarPlan::askOverwrite(OperatorMessages &messages)
{
    switch (messages.askYesNoCancel(QStringLiteral("Tabulka se bude přepisovat!\r\n"
                                                   "Přepisovat existující řádky?"))) {
    case Answer::Yes:
        return true;
    case Answer::No:
        return false;
    default:
        return std::nullopt;
    }
}

Result<void> CalendarPlan::checkPeriod(const QDate &from, const QDate &to)
{
    if (!from.isValid() || !to.isValid() || from > to)
        return Failure{QStringLiteral("Chybně určené období!")};
    return {};
}

QString CalendarPlan::keyFilter(const QString &ctm)
{
    return QStringLiteral("KLIC='%1'").arg(ctm.isEmpty() ? QStringLiteral("X") : ctm);
}

QString CalendarPlan::patternPeriodText()
{
    return QStringLiteral("Vzor je jeden měsíc: období musí ležet v jednom měsíci!");
}

Result<bool> CalendarPlan::SelektivneUlozit(const QString &ctm, bool overwrite, const QString &note,
                                            const DayShift &day, const QDate &date)
{
    const KeepCursor keep(plan());
    if (Result<void> ordered = byKeyAndDate(plan()); !ordered)
        return ordered.failure();
    return storeDay(plan(), ctm, overwrite, note, day, date);
}

Result<int> CalendarPlan::GenerujPredepsanyRozpis(const QString &ctm, const QDate &from,
                                                  const QDate &to, bool overwrite)
{
    if (Result<void> period = checkPeriod(from, to); !period)
        return period.failure();
    if (Result<void> loaded = m_vx.CtiRozpisKlice(ctm); !loaded)
        return loaded.failure();
    const CyclicSchedule cycle = m_vx.cyclicSchedule;
    if (DateLater(cycle.start, dateOf(from)))
        return Failure{retroactiveScheduleText(), RetroactiveScheduleCode};
    return writePeriod(plan(), ctm, from, to, overwrite,
                       [&](const QDate &d, QString &note, DayShift &day) -> Result<void> {
                           // The holidays of each year the period reaches.
                           const Result<YearCalendar> calendar = m_vx.kalendarRoku(d.year());
                           if (!calendar)
                               return calendar.failure();
                           if (calendar->isHoliday(dateOf(d)))
                               note = QStringLiteral("S");
                           day = cycle.day(CycleDay(cycle.start, cycle.length, dateOf(d)));
                           return {};
                       });
}

Result<int> CalendarPlan::emptyPeriod(const QString &ctm, const QDate &from, const QDate &to)
{
    if (Result<void> period = checkPeriod(from, to); !period)
        return period.failure();
    return writePeriod(plan(), ctm, from, to, true,
                       [&](const QDate &d, QString &note, DayShift &) -> Result<void> {
                           const Result<YearCalendar> calendar = m_vx.kalendarRoku(d.year());
                           if (!calendar)
                               return calendar.failure();
                           if (calendar->isHoliday(dateOf(d)))
                               note = QStringLiteral("S");
                           return {};
                       });
}

Result<int> CalendarPlan::eraseWhere(const QString &filter)
{
    Table &t = plan();
    const KeepCursor keep(t);
    if (Result<void> filtered = only(t, filter); !filtered)
        return filtered.failure();
    Transaction transaction(t);
    if (!transaction.active())
        return t.failure();
    int erased = 0;
    for (t.first(); !t.isEmpty(); ++erased)
        if (!t.remove())
            return t.failure();
    if (t.readFailed() || !transaction.commit())
        return t.failure();
    return erased;
}

Result<int> CalendarPlan::erasePeriod(const QString &ctm, const QDate &from, const QDate &to)
{
    if (Result<void> period = checkPeriod(from, to); !period)
        return period.failure();
    return eraseWhere(periodFilter(ctm, from, to));
}

Result<int> CalendarPlan::eraseKey(const QString &ctm)
{
    return eraseWhere(keyFilter(ctm));
}

Result<int> CalendarPlan::eraseAll()
{
    Table &t = plan();
    const Result<qint64> count = [&]() -> Result<qint64> {
        const KeepCursor keep(t);
        if (Result<void> ordered = byKeyAndDate(t); !ordered)
            return ordered.failure();
        return t.countRecords();
    }();
    if (!count)
        return count.failure();
    if (!t.empty())
        return t.failure();
    return int(*count);
}

Result<quint32> CalendarPlan::norm(const QString &ctm, const QDate &from, const QDate &to)
{
    if (Result<void> period = checkPeriod(from, to); !period)
        return period.failure();
    Table &t = plan();
    const KeepCursor keep(t);
    if (Result<void> filtered = only(t, periodFilter(ctm, from, to)); !filtered)
        return filtered.failure();
    quint32 sum = 0;
    for (t.first(); !t.eof(); t.next())
        sum = AddLongDuration(sum, DayShiftFromBytes(t.asBytes(kData)).required);
    if (t.readFailed())
        return t.failure();
    return sum;
}

Result<PlanPattern> CalendarPlan::KlicDoVzoru(const QString &ctm, const QDate &from,
                                              const QDate &to)
{
    if (Result<void> period = checkPeriod(from, to); !period)
        return period.failure();
    if (!inOneMonth(from, to))
        return Failure{patternPeriodText()};
    PlanPattern pattern;
    VymazatVzor(pattern);
    pattern.year = from.year();
    pattern.month = from.month();
    Table &t = plan();
    const KeepCursor keep(t);
    if (Result<void> filtered = only(t, periodFilter(ctm, from, to)); !filtered)
        return filtered.failure();
    for (t.first(); !t.eof(); t.next()) {
        const size_t slot = size_t(t.asDate(kDatum).day() - 1);
        pattern.days[slot] = DayShiftFromBytes(t.asBytes(kData));
        pattern.notes[slot] = t.asString(kPozn);
    }
    if (t.readFailed())
        return t.failure();
    return pattern;
}

Result<int> CalendarPlan::VzorDoKlice(const PlanPattern &pattern, const QString &ctm,
                                      const QDate &from, const QDate &to, bool overwrite)
{
    if (Result<void> period = checkPeriod(from, to); !period)
        return period.failure();
    if (!inOneMonth(from, to))
        return Failure{patternPeriodText()};
    return writePeriod(plan(), ctm, from, to, overwrite,
                       [&](const QDate &d, QString &note, DayShift &day) -> Result<void> {
                           note = pattern.notes[size_t(d.day() - 1)];
                           day = pattern.days[size_t(d.day() - 1)];
                           return {};
                       });
}

Result<QList<PlanHolder>> CalendarPlan::holders()
{
    Table &t = plan();
    QStringList keys;
    {
        const KeepCursor keep(t);
        if (Result<void> ordered = byKeyAndDate(t); !ordered)
            return ordered.failure();
        if (!t.setOrderFields(kKlic))
            return t.failure();
        for (t.first(); !t.eof(); t.next()) {
            const QString key = t.asString(kKlic);
            if (keys.isEmpty() || keys.last() != key)
                keys << key;
        }
        if (t.readFailed())
            return t.failure();
    }
    QList<PlanHolder> list;
    for (const QString &key : keys)
        list.append({key, m_db.tbKeyNameOfKey(key)});
    std::stable_sort(list.begin(), list.end(), [](const PlanHolder &a, const PlanHolder &b) {
        return compareCzech(a.name, b.name, true) < 0;
    });
    return list;
}

Result<QStringList> CalendarPlan::printLines(const QString &ctm, const QDate &from, const QDate &to)
{
    if (Result<void> period = checkPeriod(from, to); !period)
        return period.failure();
    std::map<qint64, DayShift> days;
    {
        Table &t = plan();
        const KeepCursor keep(t);
        if (Result<void> filtered = only(t, periodFilter(ctm, from, to)); !filtered)
            return filtered.failure();
        for (t.first(); !t.eof(); t.next())
            days[t.asDate(kDatum).toJulianDay()] = DayShiftFromBytes(t.asBytes(kData));
        if (t.readFailed())
            return t.failure();
    }
    const auto dayMonthYear = [](const QDate &d) {
        return d.toString(QStringLiteral("dd.MM.")) + QString::number(d.year());
    };
    QStringList lines{QStringLiteral("Rozpis směn pro: ") + m_db.tbKeyNameOfKey(ctm),
                      QStringLiteral("Období: ") + dayMonthYear(from) + QStringLiteral(" - ") +
                          dayMonthYear(to),
                      QString()};
    quint32 sum = 0;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        QString line =
            FormatDate(dateOf(d)) + QLatin1Char(' ') + DayName(WeekdayFromMonday(dateOf(d)));
        const auto found = days.find(d.toJulianDay());
        if (found == days.end()) {
            lines << line + QStringLiteral(" nedefinován");
            continue;
        }
        const DayShift &day = found->second;
        sum = AddLongDuration(sum, day.required);
        lines << line + QLatin1Char(' ') + FormatHourMinute(day.required) +
                     (day.crosses() ? QStringLiteral(" noc") : QStringLiteral("    ")) +
                     QLatin1Char(' ') + FormatSection(day.first) + QLatin1Char(' ') +
                     FormatSection(day.second);
    }
    lines << QStringLiteral("Suma za období: ") + FormatLongDuration(sum);
    return lines;
}

} // namespace vardex
