#include "events/EventTextCache.h"

#include "accessdata/EventInterpretation.h"
#include "text/HexText.h"
#include "text/KeyNumber.h"

namespace vardex {

namespace {

int at(const TableSchema &schema, const char *field)
{
    const int i = schema.fieldIndex(QLatin1String(field));
    Q_ASSERT(i >= 0);
    return i;
}

QString textAt(const QVariantList &stored, int i)
{
    return i < stored.size() ? stored[i].toString() : QString();
}

} // namespace

EventRowLayout::EventRowLayout(const TableSchema &events)
    : m_date(at(events, "DATUM")), m_time(at(events, "CAS")), m_addr(at(events, "AHWJ")),
      m_ctm(at(events, "CTM")), m_res(at(events, "RES")), m_ori(at(events, "ORI"))
{
}

EventRow EventRowLayout::operator()(const QVariantList &stored) const
{
    return {textAt(stored, m_date), textAt(stored, m_time),
            textAt(stored, m_addr), textAt(stored, m_ctm),
            textAt(stored, m_res),  m_ori < stored.size() && stored[m_ori].toLongLong() != 0};
}

QString eventDateText(const QString &stored)
{
    // "YYYY-MM-DD": sliced rather than parsed, it is read for every event.
    if (stored.size() != 10)
        return QString();
    return stored.mid(8, 2) + QLatin1Char('.') + stored.mid(5, 2) + QLatin1Char('.') +
           stored.left(4);
}

QString eventTimeText(const QString &stored)
{
    return stored.left(5);
}

EventTextCache::EventTextCache(const QString &workDir)
    : m_units(wkvrUniSchema(), workDir), m_keys(wkvrKeySchema(), workDir)
{
}

Result<void> EventTextCache::openTable(Table &table)
{
    if (!table.isOpen() && !table.open())
        return table.failure();
    return {};
}

Result<const EventTextCache::Unit *> EventTextCache::unit(const QString &addr)
{
    auto cached = m_unitCache.constFind(addr);
    if (cached == m_unitCache.constEnd()) {
        if (Result<void> opened = openTable(m_units); !opened)
            return opened.failure();
        std::optional<Unit> found;
        if (m_units.findKey({addr})) {
            Unit u;
            u.name = m_units.asString(QStringLiteral("NAZEV"));
            for (int i = 0; i < UnitSensorCount; ++i)
                u.objects[size_t(i)] = m_units.asString(unitSensorField(i));
            for (int n = 0; n < UnitResultCount; ++n)
                u.results[size_t(n)] = m_units.asString(unitResultField(n));
            found = std::move(u);
        } else if (m_units.readFailed()) {
            return m_units.failure();
        }
        cached = m_unitCache.insert(addr, std::move(found));
    }
    return cached->has_value() ? &**cached : nullptr;
}

Result<std::optional<QString>> EventTextCache::holder(const QString &ctm)
{
    auto cached = m_holderCache.constFind(ctm);
    if (cached == m_holderCache.constEnd()) {
        if (Result<void> opened = openTable(m_keys); !opened)
            return opened.failure();
        std::optional<QString> name;
        if (m_keys.findKey({ctm}))
            name = m_keys.asString(QStringLiteral("JMENO"));
        else if (m_keys.readFailed())
            return m_keys.failure();
        cached = m_holderCache.insert(ctm, name);
    }
    return *cached;
}

Result<QString> EventTextCache::unitColumn(const QString &addr)
{
    const Result<const Unit *> u = unit(addr);
    if (!u)
        return u.failure();
    return *u ? (*u)->name : QStringLiteral("# Neznámá #");
}

Result<QString> EventTextCache::keyColumn(const QString &ctm)
{
    if (isEmptyKeyText(ctm))
        return QString();
    const Result<std::optional<QString>> name = holder(ctm);
    if (!name)
        return name.failure();
    return *name ? **name : QLatin1Char('#') + ctm;
}

Result<QString> EventTextCache::resultColumn(const QString &addr, const QString &res)
{
    if (addr.isEmpty())
        return QString();
    const Result<const Unit *> u = unit(addr);
    if (!u || !*u)
        return u ? Result<QString>(QString()) : u.failure();
    const quint8 code = hexToByte(res);
    return (*u)->objects[size_t(eventObject(code))] + QStringLiteral(", ") +
           (isInputEvent(code) ? inputStateText(code) : (*u)->results[size_t(eventOutcome(code))]);
}

Result<QString> EventTextCache::listingLine(const EventRow &e)
{
    const Result<QString> unitText = unitColumn(e.addr);
    const Result<QString> keyText = unitText ? keyColumn(e.ctm) : unitText;
    const Result<QString> resultText = keyText ? resultColumn(e.addr, e.res) : keyText;
    if (!resultText)
        return resultText.failure();
    QString line;
    line.reserve(100);
    line += eventDateText(e.date);
    line += QLatin1Char(' ');
    line += eventTimeText(e.time);
    line += QLatin1Char(' ');
    line += e.original ? QLatin1Char(' ') : QLatin1Char('#');
    line += *unitText;
    line += QLatin1Char(' ');
    line += *keyText;
    line += QLatin1Char(' ');
    line += *resultText;
    return line;
}

Result<QString> EventTextCache::eventLine(const EventRow &e)
{
    QString key;
    if (e.ctm != emptyKeyText()) {
        const Result<std::optional<QString>> name = holder(e.ctm);
        if (!name)
            return name.failure();
        key = *name ? **name : QStringLiteral("Klíč: ") + e.ctm;
    }
    const Result<const Unit *> u = e.addr.isEmpty() ? Result<const Unit *>(nullptr) : unit(e.addr);
    if (!u)
        return u.failure();
    const quint8 code = hexToByte(e.res);
    QString line;
    line.reserve(100);
    line += eventDateText(e.date);
    line += QLatin1Char(' ');
    line += eventTimeText(e.time);
    line += QLatin1Char(' ');
    line += key;
    line += QLatin1Char(' ');
    if (const Unit *unit = *u) {
        line += unit->name;
        line += QLatin1Char(',');
        line += unit->objects[size_t(eventObject(code))];
        line += QLatin1Char(',');
        line += isEmptyKeyText(e.ctm) ? inputStateText(code)
                                      : unit->results[size_t(eventOutcome(code))];
    } else {
        line += QStringLiteral("?,");
    }
    return line;
}

} // namespace vardex
