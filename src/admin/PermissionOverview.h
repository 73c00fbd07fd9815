#pragma once

#include "admin/ScheduleLookup.h"
#include "base/Result.h"
#include "tables/Table.h"

#include <QHash>
#include <QStringList>

namespace vardex {

class OperatorMessages;
class TDB0DM;
class TVXDM;

// "Přehled oprávnění": per key its header line, its attendance schedule
// (the shift schedule of ROZPIS, day by day from the weekday of its start)
// and its access rights (the units of the group of OPRAVNENI, the inputs
// the attribute allows and the components of each row's time schedule),
// then two lines of one blank.
//
// Every lookup uses a cursor of its own. A section depends only on the name
// it is built for, so it is built once per name and run: many keys share a
// few schedules and groups, and a unit that no longer exists is told to the
// operator ("Neznámá jednotka: ") once, not once per key of its group.
class PermissionOverview
{
public:
    PermissionOverview(TDB0DM &db, TVXDM &vx);

    // The lines of the key record `keys` stands on.
    Result<QStringList> keyLines(const Table &keys);

    Result<QStringList> scheduleSection(const QString &name);
    Result<QStringList> rightsSection(const QString &name);

private:
    Result<QStringList> buildScheduleSection(const QString &name);
    Result<QStringList> buildRightsSection(const QString &name);

    OperatorMessages &m_messages;
    Table m_schedules;
    Table m_shifts;
    Table m_groups;
    Table m_units;
    ScheduleLookup m_accessSchedules;
    QHash<QString, QStringList> m_scheduleSections;
    QHash<QString, QStringList> m_rightsSections;
};

} // namespace vardex
