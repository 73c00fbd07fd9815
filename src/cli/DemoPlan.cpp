#include "cli/DemoPlan.h"

#include "app/Application.h"
#include "attendance/CalendarPlan.h"
#include "platform/Clock.h"

namespace vardex {

namespace {

constexpr int kPlannedHolders = 3;

} // namespace

Result<void> addDemoPlan(Application &app)
{
    const QDate today = app.clock().today();
    const QDate from(today.year(), today.month(), 1);
    const QDate to(today.year(), today.month(), today.daysInMonth());
    QStringList keys;
    Table &holders = app.db0.tbKey;
    for (holders.first(); !holders.eof() && keys.size() < kPlannedHolders; holders.next())
        if (!holders.asString(QStringLiteral("ROZPIS")).isEmpty())
            keys << holders.asString(QStringLiteral("CTM"));
    if (holders.readFailed())
        return holders.failure();
    CalendarPlan plan(app.vx, app.db0, app.rpl);
    for (const QString &key : keys)
        if (const Result<int> days = plan.GenerujPredepsanyRozpis(key, from, to, true); !days)
            return days.failure();
    // The first holder takes a few days off in the middle of the month.
    for (int day = 15; day <= 17 && !keys.isEmpty(); ++day)
        if (const Result<bool> stored = plan.SelektivneUlozit(
                keys[0], true, QStringLiteral("DOVOL."), DayShift{}, from.addDays(day - 1));
            !stored)
            return stored.failure();
    return {};
}

} // namespace vardex
