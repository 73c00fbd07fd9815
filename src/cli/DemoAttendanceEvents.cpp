#include "cli/DemoAttendanceEvents.h"
#include "cli/DemoDice.h"

#include "app/Application.h"
#include "attendance/PlanSources.h"
#include "platform/Clock.h"
#include "tables/Transaction.h"

namespace vardex {

namespace {

const QString kNightSchedule = QStringLiteral("Noční");
// The holder who works nights and the one whose day does not add up.
constexpr int kNightHolder = 4;
constexpr int kForgetfulHolder = 2;

struct Stamp
{
    QDateTime at;
    int kind; // 0 arrival, 3 lunch, 4 departure
};

QDateTime timeOn(const QDate &day, quint16 word, int plusMinutes)
{
    return QDateTime(day, QTime(word >> 8, word & 0xFF)).addSecs(60 * plusMinutes);
}

// Nights from Monday to Friday, on a weekly cycle from 1 January.
Result<void> addNightSchedule(TVXDM &vx, int year)
{
    if (!vx.tbDch.append())
        return vx.tbDch.failure();
    const QDate start(year, 1, 1);
    vx.tbDch.setString(QStringLiteral("ROZPIS"), kNightSchedule);
    vx.tbDch.setInt(QStringLiteral("DelkaRozpisu"), 7);
    vx.tbDch.setDate(QStringLiteral("DatumOd"), start);
    for (int i = 0; i < 7; ++i)
        vx.tbDchPutNazSmeny(i + 1, start.addDays(i).dayOfWeek() > 5 ? QString() : kNightSchedule);
    if (!vx.tbDch.post())
        return vx.tbDch.failure();
    return {};
}

QList<Stamp> daysOf(const PlannedMonth &month, int days, bool forgetful, DemoDice &dice)
{
    QList<Stamp> stamps;
    int worked = 0;
    for (int d = 1; d <= days; ++d) {
        const DayShift &shift = month.plan.days[size_t(d)];
        if (IsDayEmpty(shift) || month.required[size_t(d)] == 0 || dice.roll(25) == 0)
            continue;
        const QDate day(month.plan.year, month.plan.month, d);
        ++worked;
        if (shift.crosses()) {
            stamps.append({timeOn(day, ShiftStart(shift), -20 + dice.roll(15)), 0});
            stamps.append({timeOn(day.addDays(1), ShiftEnd(shift), dice.roll(15)), 4});
            continue;
        }
        const QDateTime start = timeOn(day, ShiftStart(shift), -25 + dice.roll(20));
        const QDateTime end = timeOn(day, ShiftEnd(shift), dice.roll(15));
        stamps.append({start, 0});
        if (forgetful && worked == 10) {
            // Back from lunch without having clocked out for it.
            stamps.append({start.addSecs(5 * 3600 + 1800), 0});
        } else if (dice.roll(3) == 0) {
            const QDateTime lunch = start.addSecs(5 * 3600 + 60 * dice.roll(20));
            stamps.append({lunch, 3});
            stamps.append({lunch.addSecs(1800), 0});
        }
        stamps.append({end, 4});
    }
    return stamps;
}

} // namespace

Result<void> addDemoAttendanceEvents(Application &app)
{
    const QDate today = app.clock().today();
    const QDate first =
        today.month() == 1 ? QDate(today.year(), 1, 1) : QDate(today.year(), today.month() - 1, 1);
    const int days = today.month() == 1 ? today.day() - 1 : first.daysInMonth();
    TVXDM &vx = app.vx;
    if (Result<void> night = addNightSchedule(vx, today.year()); !night)
        return night;

    Table holders(app.db0.tbKey.schema(), app.workDir());
    if (!holders.open())
        return holders.failure();
    holders.first();
    for (int i = 0; i < kNightHolder && !holders.eof(); ++i)
        holders.next();
    if (!holders.eof()) {
        if (!holders.edit())
            return holders.failure();
        holders.setString(QStringLiteral("ROZPIS"), kNightSchedule);
        if (!holders.post())
            return holders.failure();
    }
    holders.close();
    if (!holders.open())
        return holders.failure();

    Table &events = app.db0.tbEvents;
    Transaction transaction(events);
    if (!transaction.active())
        return events.failure();
    DemoDice dice(20261101u);
    int index = 0;
    for (holders.first(); !holders.eof(); holders.next(), ++index) {
        const QString ctm = holders.asString(QStringLiteral("CTM"));
        const Result<PlannedMonth> month =
            StandardniRozpisPracovnika(vx, ctm, Date{first.year(), first.month(), 1});
        if (!month)
            continue; // a holder without a schedule keeps no attendance
        for (const Stamp &s : daysOf(*month, days, index == kForgetfulHolder, dice)) {
            if (s.at >= QDateTime(today, QTime(0, 0)))
                continue;
            if (!events.append())
                return events.failure();
            events.setDate(QStringLiteral("DATUM"), s.at.date());
            events.setTime(QStringLiteral("CAS"), QTime(s.at.time().hour(), s.at.time().minute()));
            events.setString(QStringLiteral("AHWJ"), QStringLiteral("01"));
            events.setString(QStringLiteral("CTM"), ctm);
            events.setString(QStringLiteral("RES"), QStringLiteral("0%1").arg(s.kind));
            events.setBool(QStringLiteral("ORI"), true);
            if (!events.post())
                return events.failure();
        }
    }
    if (holders.readFailed())
        return holders.failure();
    if (!transaction.commit())
        return events.failure();
    return {};
}

} // namespace vardex
