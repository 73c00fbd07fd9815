#include "admin/ScheduleLookup.h"

#include <QFileInfo>

namespace vardex {

namespace {

const QString kName = QStringLiteral("NAZEVROZVRHU");
const QString kData = QStringLiteral("DATAROZVRHU");

} // namespace

ScheduleLookup::ScheduleLookup(const Table &schedules)
    : m_cursor(schedules.schema(), QFileInfo(schedules.filePath()).absolutePath())
{
}

Result<void> ScheduleLookup::ready()
{
    if (!m_cursor.isOpen() && !(m_cursor.open() && m_cursor.setIndex(QString())))
        return m_cursor.failure();
    // What another cursor posted since the last look is read afresh.
    m_cursor.refresh();
    return {};
}

Result<QList<NamedSchedule>> ScheduleLookup::all()
{
    if (const Result<void> r = ready(); !r)
        return r.failure();
    QList<NamedSchedule> schedules;
    for (bool more = m_cursor.first(); more; more = m_cursor.next())
        schedules.append(
            {m_cursor.asString(kName), ScheduleBlock::fromBytes(m_cursor.asBytes(kData))});
    if (m_cursor.readFailed())
        return m_cursor.failure();
    return schedules;
}

Result<QStringList> ScheduleLookup::names()
{
    const Result<QList<NamedSchedule>> schedules = all();
    if (!schedules)
        return schedules.failure();
    QStringList names;
    for (const NamedSchedule &s : *schedules)
        names.append(s.name);
    return names;
}

Result<std::optional<ScheduleBlock>> ScheduleLookup::find(const QString &name)
{
    if (const Result<void> r = ready(); !r)
        return r.failure();
    if (name.isEmpty())
        return std::optional<ScheduleBlock>();
    if (!m_cursor.findKey({name})) {
        if (m_cursor.readFailed())
            return m_cursor.failure();
        return std::optional<ScheduleBlock>();
    }
    return std::optional<ScheduleBlock>(ScheduleBlock::fromBytes(m_cursor.asBytes(kData)));
}

} // namespace vardex
