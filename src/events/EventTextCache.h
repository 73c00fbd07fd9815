#pragma once

#include "accessdata/AccessSchemas.h"
#include "base/Result.h"
#include "tables/Table.h"

#include <QHash>

#include <array>
#include <optional>

namespace vardex {

// One stored event as its texts are made from it.
struct EventRow
{
    QString date;         // stored form "YYYY-MM-DD"
    QString time;         // stored form "HH:MM:SS"
    QString addr;         // AHWJ
    QString ctm;          // CTM
    QString res;          // RES
    bool original = true; // ORI: as the unit recorded it
};

// Where the event fields lie in a row of the event table.
class EventRowLayout
{
public:
    explicit EventRowLayout(const TableSchema &events);
    EventRow operator()(const QVariantList &stored) const;

private:
    int m_date, m_time, m_addr, m_ctm, m_res, m_ori;
};

// The names and texts that turn event codes into words, each read once
// from the unit and key tables and kept: a listing of a million events
// asks the tables once per unit and once per key, not once per event. The
// lookups use their own cursors, so no window's record moves. A cache
// lives for one listing or one opening of the browser.
class EventTextCache
{
public:
    struct Unit
    {
        QString name;
        std::array<QString, UnitSensorCount> objects;
        std::array<QString, UnitResultCount> results;
    };

    // `workDir` holds the table files.
    explicit EventTextCache(const QString &workDir);

    // The unit with this address; nullptr when there is none.
    Result<const Unit *> unit(const QString &addr);
    // The holder's name; nothing when the key is not in the key table.
    Result<std::optional<QString>> holder(const QString &ctm);

    // --- the browser's columns and its printed lines
    // The unit's name, "# Neznámá #" when no unit has the address.
    Result<QString> unitColumn(const QString &addr);
    // The holder's name; "#" and the number for a key not in the key table;
    // nothing for the empty key.
    Result<QString> keyColumn(const QString &ctm);
    // The object's name, ", " and the input's state or the result text;
    // empty for an unknown unit.
    Result<QString> resultColumn(const QString &addr, const QString &res);
    // "06.12.2026 07:30  Vrátnice Novák Jan Dveře 0 / příchod, povoleno":
    // date, time, "#" for an added event (else a blank), unit, key, result.
    Result<QString> listingLine(const EventRow &event);
    // The same line appended to `out`.
    Result<void> appendListingLine(const EventRow &event, QString &out);

    // The event line of the archive ("06.12.2026 07:30 Novák Jan
    // Vrátnice,Dveře 0 / příchod,povoleno"), as the data module builds it
    // for one event.
    Result<QString> eventLine(const EventRow &event);

private:
    Result<void> openTable(Table &table);
    Result<std::optional<Unit>> readUnit(const QString &addr);
    // The result column of a unit already looked up.
    static QString resultText(const Unit *unit, const QString &res);

    Table m_units;
    Table m_keys;
    // Units by the byte of an address written as two upper-case hex digits
    // (how every address is stored), without hashing; others by their text.
    struct UnitSlot
    {
        bool read = false;
        std::optional<Unit> unit;
    };
    std::array<UnitSlot, 256> m_unitsByByte;
    QHash<QString, std::optional<Unit>> m_unitCache;
    QHash<QString, std::optional<QString>> m_holderCache;
};

// "dd.mm.yyyy" and "hh:mm" of the stored forms.
QString eventDateText(const QString &stored);
QString eventTimeText(const QString &stored);

} // namespace vardex
