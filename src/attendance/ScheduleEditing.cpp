#include "attendance/ScheduleEditing.h"

#include "attendance/AttendanceSchemas.h"
#include "attendance/TVXDM.h"
#include "tables/Table.h"
#include "timecal/Calendar.h"

#include <QDate>

namespace vardex {

QStringList scheduleDayTitles(int length, int year)
{
    QStringList titles;
    const QDate first(year, 1, 1);
    for (int day = 1; day <= ScheduleCycleDays; ++day) {
        const QDate d = first.addDays(day - 1);
        titles << (day <= length && first.isValid()
                       ? DayName(WeekdayFromMonday({d.year(), d.month(), d.day()}))
                       : QStringLiteral("#"));
    }
    return titles;
}

Result<QStringList> shiftNameChoices(Table &shifts)
{
    if (!shifts.isOpen() && !shifts.open())
        return shifts.failure();
    shifts.setIndex(QString());
    QStringList names;
    for (shifts.first(); !shifts.eof(); shifts.next())
        names << shifts.asString(QStringLiteral("NazevSmeny"));
    if (shifts.readFailed())
        return shifts.failure();
    names << QLatin1String(ClearDayEntry);
    return names;
}

void newScheduleDefaults(Table &schedules, int year)
{
    schedules.setInt(QStringLiteral("DelkaRozpisu"), 7);
    schedules.setDate(QStringLiteral("DatumOd"), QDate(year, 1, 1));
}

bool storeScheduleDay(TVXDM &vx, int day, const QString &choice)
{
    return vx.tbDchPutNazSmeny(day, choice == QLatin1String(ClearDayEntry) ? QString() : choice);
}

} // namespace vardex
