#include "attendance/PlanSources.h"

#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "attendance/AttendanceSchemas.h"
#include "attendance/TDMRPL.h"
#include "attendance/TVXDM.h"

#include <QFileInfo>

namespace vardex {

namespace {

QString directoryOf(const Table &table)
{
    return QFileInfo(table.filePath()).absolutePath();
}

} // namespace

QString retroactiveScheduleText()
{
    return QStringLiteral("Rozpis nelze aplikovat zpětně!");
}

QString czechMonthName(int month)
{
    static const char *const names[] = {"leden",  "únor",   "březen",   "duben",
                                        "květen", "červen", "červenec", "srpen",
                                        "září",   "říjen",  "listopad", "prosinec"};
    return month >= 1 && month <= 12 ? QString::fromUtf8(names[month - 1]) : QString();
}

MonthPlan MonthPlanFromCycle(const CyclicSchedule &cycle, int year, int month)
{
    MonthPlan plan;
    plan.year = year;
    plan.month = month;
    const int length = cycle.length;
    Q_ASSERT(length >= 1);
    int k = CycleDay(cycle.start, length, {year, month, 1});
    plan.days[0] = cycle.day(k == 1 ? length : k - 1);
    for (size_t slot = 1; slot < plan.days.size(); ++slot) {
        plan.days[slot] = cycle.day(k);
        k = k == length ? 1 : k + 1;
    }
    return plan;
}

void UpravaPodleSvatku(PlannedMonth &month, const YearCalendar &calendar)
{
    for (int d = 1; d <= 31; ++d) {
        const size_t slot = size_t(d);
        const char kind = calendar.kind(month.plan.month, d);
        if (kind == DayKind::Holiday || kind == DayKind::Weekend) {
            month.required[slot] = 0;
            month.notes[slot] = QString(QLatin1Char(kind));
        } else {
            // A working day, and the slots past the month's end.
            month.required[slot] = month.plan.days[slot].required;
            month.notes[slot].clear();
        }
    }
}

Result<PlannedMonth> StandardniRozpisPracovnika(TVXDM &vx, const QString &ctm,
                                                const Date &periodStart)
{
    if (Result<void> loaded = vx.CtiRozpisKlice(ctm); !loaded)
        return loaded.failure();
    const CyclicSchedule &cycle = vx.cyclicSchedule;
    if (DateLater(cycle.start, periodStart))
        return Failure{retroactiveScheduleText(), RetroactiveScheduleCode};
    const Result<YearCalendar> calendar = vx.kalendarRoku(periodStart.year);
    if (!calendar)
        return calendar.failure();
    PlannedMonth month;
    month.plan = MonthPlanFromCycle(cycle, periodStart.year, periodStart.month);
    month.source = cycle.name;
    month.required[0] = month.plan.days[0].required;
    UpravaPodleSvatku(month, *calendar);
    return month;
}

Result<PlannedMonth> MR_Podle_RPlanu(TDMRPL &rpl, const QString &ctm, int year, int month)
{
    PlannedMonth planned;
    ClearMonthPlan(planned.plan);
    planned.plan.year = year;
    planned.plan.month = month;
    planned.source = ctm;
    const Date slot0 = PrevDay({year, month, 1});
    Date last = slot0;
    for (int i = 0; i < 31; ++i)
        last = NextDay(last);
    // A cursor of its own: the plan window may be showing the table.
    Table plan(wkvrRplSchema(), directoryOf(rpl.tbRpl));
    if (!plan.open())
        return plan.failure();
    const QString filter = QStringLiteral("KLIC='%1' AND DATUM>='%2' AND DATUM<='%3'")
                               .arg(ctm, FormatDate(slot0), FormatDate(last));
    if (!plan.setIndex(QStringLiteral("IndexKLICDATUM")) || !plan.setFilterText(filter))
        return Failure{plan.filterError().isEmpty() ? plan.errorMessage() : plan.filterError()};
    plan.setFiltered(true);
    const qint32 first = JulianDay(slot0);
    for (plan.first(); !plan.eof(); plan.next()) {
        const QDate date = plan.asDate(QStringLiteral("DATUM"));
        const qint32 slot = JulianDay(date.year(), date.month(), date.day()) - first;
        if (slot < 0 || slot > 31)
            continue;
        const DayShift day = DayShiftFromBytes(plan.asBytes(QStringLiteral("DATA")));
        planned.plan.days[size_t(slot)] = day;
        planned.notes[size_t(slot)] = plan.asString(QStringLiteral("POZN"));
        planned.required[size_t(slot)] = day.required;
    }
    if (plan.readFailed())
        return plan.failure();
    return planned;
}

QString RozpisPro(TDB0DM &db, const QString &ctm, int year, int month)
{
    QString title = QStringLiteral("Měsíční rozpis ") + czechMonthName(month) + QLatin1Char(' ') +
                    QString::number(year);
    Table keys(wkvrKeySchema(), directoryOf(db.tbKey));
    if (ctm.isEmpty() || !keys.open() || !keys.findKey({ctm}))
        return title;
    const QString ptit = keys.asString(QStringLiteral("PTIT"));
    const QString ztit = keys.asString(QStringLiteral("ZTIT"));
    QString name = keys.asString(QStringLiteral("JMENO"));
    if (!ptit.isEmpty())
        name = ptit + QLatin1Char(' ') + name;
    if (!ztit.isEmpty())
        name += QStringLiteral(", ") + ztit;
    return title + QStringLiteral(" pro ") + name;
}

} // namespace vardex
