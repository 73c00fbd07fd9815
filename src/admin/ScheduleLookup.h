#pragma once

#include "admin/AccessSchedule.h"
#include "base/Result.h"
#include "tables/Table.h"

#include <optional>

namespace vardex {

struct NamedSchedule
{
    QString name;
    ScheduleBlock block;
};

// Reads the access time schedules on a cursor of its own, so that a list of
// names or the chart of a chosen schedule never moves, posts or cancels the
// record a window shows or edits.
class ScheduleLookup
{
public:
    // Reads the file of `schedules` (the schedule table of the data module).
    explicit ScheduleLookup(const Table &schedules);

    // Every schedule in name order.
    Result<QList<NamedSchedule>> all();
    Result<QStringList> names();
    // The block of the schedule named exactly `name`; none when there is no
    // such schedule.
    Result<std::optional<ScheduleBlock>> find(const QString &name);

private:
    Result<void> ready();

    Table m_cursor;
};

} // namespace vardex
