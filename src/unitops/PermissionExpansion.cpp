#include "unitops/PermissionExpansion.h"

#include "accessdata/TDB0DM.h"
#include "accessdata/UnitCatalogue.h"
#include "admin/AdminSchemas.h"
#include "admin/PermissionGroups.h"
#include "admin/ScheduleLookup.h"
#include "attendance/TVXDM.h"
#include "text/HexText.h"
#include "text/KeyNumber.h"
#include "unitops/PermissionFile.h"

#include <QFileInfo>

#include <algorithm>

namespace vardex {

namespace {

// A whole attendance day: 00:00 to 23:59 on every day of the week.
constexpr quint16 kDayEnd = 23 * 256 + 59;
constexpr quint8 kEveryDay = 127;

QString folderOf(const Table &table)
{
    return QFileInfo(table.filePath()).absolutePath();
}

Result<void> opened(Table &cursor)
{
    if (!cursor.open() || !cursor.setIndex(QString()))
        return cursor.failure();
    return {};
}

} // namespace

class PermissionExpansion::Cursors
{
public:
    Cursors(TDB0DM &db, TVXDM &vx)
        : keys(db.tbKey.schema(), folderOf(db.tbKey)),
          groups(vx.tbAcc.schema(), folderOf(vx.tbAcc)), schedules(vx.tbCas)
    {
    }

    Table keys;
    Table groups;
    ScheduleLookup schedules;
};

PermissionExpansion::PermissionExpansion(TDB0DM &db, TVXDM &vx, const QString &workDir)
    : m_db(db), m_vx(vx), m_workDir(workDir)
{
}

Result<QList<PermissionExpansion::Unit>> PermissionExpansion::readUnits() const
{
    Table units(m_db.tbUni.schema(), folderOf(m_db.tbUni));
    if (Result<void> r = opened(units); !r)
        return r.failure();
    QList<Unit> list;
    for (bool more = units.first(); more; more = units.next()) {
        const QString address = units.asString(QStringLiteral("ADRESA"));
        // A unit still without an address is on no line.
        if (address.size() != 2 || !parseHexByte(address))
            continue;
        list.append({address, units.asString(QStringLiteral("NAZEV")),
                     hexToByte(units.asString(QStringLiteral("TYP")))});
    }
    if (units.readFailed())
        return units.failure();
    return list;
}

Result<Expansion> PermissionExpansion::CreateRights(bool checking)
{
    const Result<QList<Unit>> units = readUnits();
    if (!units)
        return units.failure();
    QList<Unit> attendance;
    for (const Unit &u : *units)
        if (u.type == UnitType::Attendance)
            attendance.append(u);
    const qsizetype accessUnits = units->size() - attendance.size();

    Cursors cursors(m_db, m_vx);
    for (Table *t : {&cursors.keys, &cursors.groups})
        if (Result<void> r = opened(*t); !r)
            return r.failure();
    const Result<qint64> keyCount = cursors.keys.countRecords();
    if (!keyCount)
        return keyCount.failure();

    Expansion out;
    int done = 0;
    Table &k = cursors.keys;
    for (bool more = k.first(); more; more = k.next()) {
        if (progress)
            progress(++done, int(*keyCount));
        const Key key{k.asString(QStringLiteral("CTM")), k.asString(QStringLiteral("JMENO")),
                      k.asString(QStringLiteral("OSCIS")), k.asString(QStringLiteral("OPRAVNENI")),
                      k.asString(QStringLiteral("ROZPIS"))};
        if (!attendance.isEmpty())
            ZpracovatRozpis(key, attendance, out);
        if (accessUnits > 0)
            if (Result<void> r = ZpracovatOpravneni(checking, key, *units, cursors, out); !r)
                return r.failure();
    }
    if (k.readFailed())
        return k.failure();
    if (Result<void> w = writePermissionFile(permissionFilePath(m_workDir), out.records); !w)
        return w.failure();
    return out;
}

void PermissionExpansion::ZpracovatRozpis(const Key &key, const QList<Unit> &attendance,
                                          Expansion &out) const
{
    if (!allAttendance && key.schedule.isEmpty())
        return;
    PermissionRecord r;
    r.key = keyFromText(key.ctm);
    r.attribute = 0;
    r.windowStart = 0;
    r.windowEnd = kDayEnd;
    r.dayMask = kEveryDay;
    for (const Unit &u : attendance) {
        r.address = hexToByte(u.address);
        out.records.append(r);
    }
}

Result<void> PermissionExpansion::ZpracovatOpravneni(bool checking, const Key &key,
                                                     const QList<Unit> &units, Cursors &cursors,
                                                     Expansion &out) const
{
    const auto say = [&](const QString &line) {
        if (checking)
            out.log.append(line);
    };
    const QString holder = key.name + QStringLiteral(", ") + key.personal;
    if (key.group.isEmpty()) {
        say(holder + QStringLiteral(" - nemá žádné oprávnění"));
        return {};
    }
    if (!tbAccExactName(cursors.groups, key.group)) {
        if (cursors.groups.readFailed())
            return cursors.groups.failure();
        say(holder + QStringLiteral(" - neplatné oprávnění ") + QStringLiteral(" >") + key.group +
            QLatin1Char('<'));
        return {};
    }
    const KeyBytes keyBytes = keyFromText(key.ctm);
    for (int slot = 1; slot <= PermissionRows; ++slot) {
        const PermissionRow row = permissionRow(cursors.groups, slot);
        if (row.isEmpty())
            continue; // "--"
        const auto unit = std::find_if(units.begin(), units.end(), [&](const Unit &u) {
            return u.address.compare(row.address, Qt::CaseInsensitive) == 0;
        });
        if (unit == units.end())
            continue;
        if (unit->type == UnitType::Attendance) {
            say(QStringLiteral("Docházková jednotka ") + row.address +
                QStringLiteral(" mezi oprávněními!"));
            return {};
        }
        const Result<std::optional<ScheduleBlock>> schedule = cursors.schedules.find(row.schedule);
        if (!schedule)
            return schedule.failure();
        if (!*schedule) {
            say(holder + QStringLiteral(", ") + key.group + QStringLiteral(", ") + row.address +
                QStringLiteral(" neplatný časový rozvrh") + QStringLiteral(" >") + row.schedule +
                QLatin1Char('<'));
            return {};
        }
        PermissionRecord r;
        r.key = keyBytes;
        r.address = hexToByte(unit->address);
        r.attribute = row.attribute;
        for (int c = 1; c <= (*schedule)->count(); ++c) {
            const ScheduleComponent component = (*schedule)->component(c);
            r.windowStart = component.start;
            r.windowEnd = component.end;
            r.dayMask = component.days;
            out.records.append(r);
        }
    }
    return {};
}

} // namespace vardex
