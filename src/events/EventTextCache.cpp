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
    if (i >= stored.size())
        return QString();
    // Read for every event: the stored text itself, without a conversion.
    const QVariant &v = stored[i];
    return v.typeId() == QMetaType::QString ? *static_cast<const QString *>(v.constData())
                                            : v.toString();
}

// The byte of an address of two upper-case hex digits, or -1.
int addressByte(const QString &addr)
{
    if (addr.size() != 2)
        return -1;
    int value = 0;
    for (const QChar c : addr) {
        const char16_t u = c.unicode();
        const int digit = u >= '0' && u <= '9' ? u - '0' : u >= 'A' && u <= 'F' ? u - 'A' + 10 : -1;
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
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
    // "YYYY-MM-DD": rearranged rather than parsed, it is read for every event.
    if (stored.size() != 10)
        return QString();
    const QChar *s = stored.constData();
    const QChar text[10] = {s[8], s[9], u'.', s[5], s[6], u'.', s[0], s[1], s[2], s[3]};
    return QString(text, 10);
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

Result<std::optional<EventTextCache::Unit>> EventTextCache::readUnit(const QString &addr)
{
    if (Result<void> opened = openTable(m_units); !opened)
        return opened.failure();
    if (!m_units.findKey({addr}))
        return m_units.readFailed() ? Result<std::optional<Unit>>(m_units.failure())
                                    : std::optional<Unit>();
    Unit u;
    u.name = m_units.asString(QStringLiteral("NAZEV"));
    for (int i = 0; i < UnitSensorCount; ++i)
        u.objects[size_t(i)] = m_units.asString(unitSensorField(i));
    for (int n = 0; n < UnitResultCount; ++n)
        u.results[size_t(n)] = m_units.asString(unitResultField(n));
    return std::optional<Unit>(std::move(u));
}

Result<const EventTextCache::Unit *> EventTextCache::unit(const QString &addr)
{
    const int byte = addressByte(addr);
    if (byte >= 0) {
        UnitSlot &slot = m_unitsByByte[size_t(byte)];
        if (!slot.read) {
            Result<std::optional<Unit>> read = readUnit(addr);
            if (!read)
                return read.failure();
            slot = {true, std::move(*read)};
        }
        return slot.unit ? &*slot.unit : nullptr;
    }
    auto cached = m_unitCache.constFind(addr);
    if (cached == m_unitCache.constEnd()) {
        Result<std::optional<Unit>> read = readUnit(addr);
        if (!read)
            return read.failure();
        cached = m_unitCache.insert(addr, std::move(*read));
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

QString EventTextCache::resultText(const Unit *unit, const QString &res)
{
    if (!unit)
        return QString();
    const quint8 code = hexToByte(res);
    return unit->objects[size_t(eventObject(code))] + QStringLiteral(", ") +
           (isInputEvent(code) ? inputStateText(code) : unit->results[size_t(eventOutcome(code))]);
}

Result<QString> EventTextCache::resultColumn(const QString &addr, const QString &res)
{
    if (addr.isEmpty())
        return QString();
    const Result<const Unit *> u = unit(addr);
    if (!u)
        return u.failure();
    return resultText(*u, res);
}

Result<QString> EventTextCache::listingLine(const EventRow &e)
{
    QString line;
    if (Result<void> made = appendListingLine(e, line); !made)
        return made.failure();
    return line;
}

Result<void> EventTextCache::appendListingLine(const EventRow &e, QString &out)
{
    const Result<const Unit *> u = e.addr.isEmpty() ? Result<const Unit *>(nullptr) : unit(e.addr);
    if (!u)
        return u.failure();
    const Result<QString> keyText = keyColumn(e.ctm);
    if (!keyText)
        return keyText.failure();
    out += eventDateText(e.date);
    out += QLatin1Char(' ');
    out += QStringView(e.time).left(5);
    out += QLatin1Char(' ');
    out += e.original ? QLatin1Char(' ') : QLatin1Char('#');
    if (*u)
        out += (*u)->name;
    else
        out += QStringLiteral("# Neznámá #");
    out += QLatin1Char(' ');
    out += *keyText;
    out += QLatin1Char(' ');
    if (const Unit *unit = *u) {
        const quint8 code = hexToByte(e.res);
        out += unit->objects[size_t(eventObject(code))];
        out += QStringLiteral(", ");
        if (isInputEvent(code))
            out += inputStateText(code);
        else
            out += unit->results[size_t(eventOutcome(code))];
    }
    return {};
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
