#include "admin/PermissionOverview.h"

#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "accessdata/UnitCatalogue.h"
#include "admin/KeyListing.h"
#include "admin/PermissionGroups.h"
#include "attendance/AttendanceSchemas.h"
#include "attendance/TVXDM.h"
#include "comm/Protocol.h"
#include "platform/OperatorMessages.h"
#include "text/HexText.h"
#include "timecal/Calendar.h"

#include <QFileInfo>

namespace vardex {

namespace {

const QString kScheduleHeader = QStringLiteral("ROZPIS DOCHÁZKY ");
const QString kRightsHeader = QStringLiteral("PŘÍSTUPOVÁ PRÁVA ");

// The folder of a data module's table, for a cursor of its own on the file.
QString folderOf(const Table &table)
{
    return QFileInfo(table.filePath()).absolutePath();
}

Result<void> ready(Table &cursor)
{
    if (!cursor.isOpen() && !(cursor.open() && cursor.setIndex(QString())))
        return cursor.failure();
    return {};
}

// Moves `cursor` to the record keyed `name`: whether there is one, or why
// it could not be read.
Result<bool> found(Table &cursor, const QString &name)
{
    if (const Result<void> r = ready(cursor); !r)
        return r.failure();
    if (cursor.findKey({name}))
        return true;
    if (cursor.readFailed())
        return cursor.failure();
    return false;
}

QString invalidName(const QString &verdict, const QString &name)
{
    return verdict + QStringLiteral(" >") + name + QLatin1Char('<');
}

QString dayLine(int fromSunday, const QString &rest)
{
    const QString day = dayOfWeekName(fromSunday);
    return (day.isEmpty() ? QStringLiteral("?") : day) + rest;
}

} // namespace

PermissionOverview::PermissionOverview(TDB0DM &db, TVXDM &vx)
    : m_messages(db.messages()), m_schedules(vx.tbDch.schema(), folderOf(vx.tbDch)),
      m_shifts(vx.tbSme.schema(), folderOf(vx.tbSme)),
      m_groups(vx.tbAcc.schema(), folderOf(vx.tbAcc)),
      m_units(db.tbUni.schema(), folderOf(db.tbUni)), m_accessSchedules(vx.tbCas)
{
}

Result<QStringList> PermissionOverview::keyLines(const Table &keys)
{
    const Result<QStringList> schedule = scheduleSection(keys.asString(QStringLiteral("ROZPIS")));
    if (!schedule)
        return schedule.failure();
    const Result<QStringList> rights = rightsSection(keys.asString(QStringLiteral("OPRAVNENI")));
    if (!rights)
        return rights.failure();
    return QStringList{keyHeaderLine(keys)} + *schedule + *rights +
           QStringList{QStringLiteral(" "), QStringLiteral(" ")};
}

Result<QStringList> PermissionOverview::scheduleSection(const QString &name)
{
    if (name.isEmpty())
        return QStringList{kScheduleHeader + QStringLiteral(" - nemá definován")};
    if (const auto known = m_scheduleSections.constFind(name); known != m_scheduleSections.cend())
        return *known;
    const Result<QStringList> section = buildScheduleSection(name);
    if (section)
        m_scheduleSections.insert(name, *section);
    return section;
}

Result<QStringList> PermissionOverview::buildScheduleSection(const QString &name)
{
    const Result<bool> exists = found(m_schedules, name);
    if (!exists)
        return exists.failure();
    if (!*exists)
        return QStringList{kScheduleHeader +
                           invalidName(QStringLiteral(" Neplatný rozpis "), name)};
    const int length = m_schedules.asInt(QStringLiteral("DelkaRozpisu"));
    const QDate start = m_schedules.asDate(QStringLiteral("DatumOd"));
    QStringList lines{
        kScheduleHeader, QStringLiteral("Délka: %1").arg(length),
        QStringLiteral("Od:    ") +
            (start.isValid() ? FormatDate(start.year(), start.month(), start.day()) : QString())};
    // A record has fields for 21 days; a longer length counts what it has.
    const int days = std::min(length, ScheduleCycleDays);
    int weekday = start.isValid() ? start.dayOfWeek() % 7 : -1;
    for (int day = 1; day <= days; ++day) {
        const QString shift = m_schedules.asString(scheduleShiftField(day));
        if (shift.isEmpty()) {
            lines << dayLine(weekday, QStringLiteral(" - volno"));
        } else {
            const Result<bool> known = found(m_shifts, shift);
            if (!known)
                return known.failure();
            if (!*known) {
                lines << dayLine(weekday, invalidName(QStringLiteral(" Neplatná směna "), shift));
                break;
            }
            const auto text = [this](const char *f) { return m_shifts.asString(QLatin1String(f)); };
            lines << dayLine(
                weekday, QStringLiteral(" - ") + text("NutnoOdpracovat") + QStringLiteral("  ") +
                             text("PrvniUsekSmeny") + QLatin1Char(' ') + text("DruhyUsekSmeny") +
                             (text("Prechod") == QStringLiteral("A") ? QStringLiteral(" noční")
                                                                     : QString()));
        }
        if (weekday >= 0)
            weekday = (weekday + 1) % 7;
    }
    return lines;
}

Result<QStringList> PermissionOverview::rightsSection(const QString &name)
{
    if (name.isEmpty())
        return QStringList{kRightsHeader + QStringLiteral(" - nemá definována")};
    if (const auto known = m_rightsSections.constFind(name); known != m_rightsSections.cend())
        return *known;
    const Result<QStringList> section = buildRightsSection(name);
    if (section)
        m_rightsSections.insert(name, *section);
    return section;
}

Result<QStringList> PermissionOverview::buildRightsSection(const QString &name)
{
    const Result<bool> exists = found(m_groups, name);
    if (!exists)
        return exists.failure();
    if (!*exists)
        return QStringList{kRightsHeader +
                           invalidName(QStringLiteral(" Neplatné oprávnění "), name)};
    QStringList lines{kRightsHeader};
    for (const PermissionRow &row : filledPermissionRows(m_groups)) {
        const Result<bool> unit = found(m_units, row.address);
        if (!unit)
            return unit.failure();
        if (!*unit) {
            m_messages.information(QStringLiteral("Neznámá jednotka: ") + row.address);
            continue;
        }
        const Result<std::optional<ScheduleBlock>> block = m_accessSchedules.find(row.schedule);
        if (!block)
            return block.failure();
        if (!*block) {
            lines << QStringLiteral("  ") + name + QStringLiteral(", ") + row.address +
                         invalidName(QStringLiteral(" neplatný časový rozvrh"), row.schedule);
            break;
        }
        lines << QStringLiteral("  ") + row.address + QLatin1Char(' ') +
                     m_units.asString(QStringLiteral("NAZEV"));
        // A barrier unit's attribute names inputs 0 and 1 only; its bits 2
        // and 3 are the kind of key.
        const int inputs =
            isBarrierType(hexToByte(m_units.asString(QStringLiteral("TYP")))) ? 2 : 4;
        for (int input = 0; input < inputs; ++input) {
            if (!((row.attribute >> input) & 1))
                continue;
            lines << QStringLiteral("   ") + m_units.asString(unitSensorField(8 + input)) +
                         QLatin1Char(' ');
            for (int i = 1; i <= (*block)->count(); ++i)
                lines << QStringLiteral("     ") + componentText((*block)->component(i));
        }
    }
    return lines;
}

} // namespace vardex
