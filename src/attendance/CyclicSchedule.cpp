#include "attendance/CyclicSchedule.h"

#include "attendance/ShiftRecord.h"
#include "tables/Table.h"

namespace vardex {

QString CtiRozKliErr(int code)
{
    switch (code) {
    case ScheduleLoad::NoSuchKey:
        return QStringLiteral("není takový klíč");
    case ScheduleLoad::KeyHasNoSchedule:
        return QStringLiteral("klíč nemá rozpis");
    case ScheduleLoad::NoSuchSchedule:
        return QStringLiteral("není takový rozpis");
    case ScheduleLoad::EmptySchedule:
        return QStringLiteral("nulový rozpis");
    case ScheduleLoad::NoSuchShift:
        return QStringLiteral("není taková směna");
    case ScheduleLoad::FirstSectionText:
        return QStringLiteral("formát první úsek");
    case ScheduleLoad::SecondSectionText:
        return QStringLiteral("formát druhý úsek");
    default:
        return QStringLiteral("???");
    }
}

Failure scheduleLoadFailure(int code)
{
    return Failure{CtiRozKliErr(code), code};
}

int CycleDay(const Date &anchor, int length, const Date &date)
{
    const qint32 from = JulianDay(anchor);
    const qint32 to = JulianDay(date);
    if (length < 1 || from < 0 || to < 0)
        return 0;
    return int(((to - from) % length + length) % length) + 1;
}

Result<CyclicSchedule> cyclicScheduleOf(const Table &schedules, Table &shifts)
{
    CyclicSchedule c;
    c.name = schedules.asString(QStringLiteral("ROZPIS"));
    c.length = schedules.asInt(QStringLiteral("DelkaRozpisu"));
    const QDate start = schedules.asDate(QStringLiteral("DatumOd"));
    c.start = {start.year(), start.month(), start.day()};
    if (c.length <= 0)
        return scheduleLoadFailure(ScheduleLoad::EmptySchedule);
    // A length beyond the fields a record has counts what it has.
    c.length = std::min(c.length, ScheduleCycleDays);
    shifts.setIndex(QString());
    for (int i = 1; i <= c.length; ++i) {
        const QString name = schedules.asString(scheduleShiftField(i));
        c.shiftNames[size_t(i - 1)] = name;
        if (name.isEmpty())
            continue;
        if (!shifts.findKey({name})) {
            if (shifts.readFailed())
                return shifts.failure();
            return scheduleLoadFailure(ScheduleLoad::NoSuchShift);
        }
        const Result<DayShift> day = readShiftRecord(shifts);
        if (!day)
            return scheduleLoadFailure(day.code() == 1 ? ScheduleLoad::FirstSectionText
                                                       : ScheduleLoad::SecondSectionText);
        DayShift &d = c.days[size_t(i - 1)];
        d = *day;
        d.flag = d.crosses() ? ShiftFlag::Crossing : ShiftFlag::Plain;
    }
    return c;
}

QStringList reanchoredNames(const QStringList &names, const Date &oldStart, const Date &newStart)
{
    const int length = int(names.size());
    const int k = CycleDay(oldStart, length, newStart);
    if (k == 0)
        return names;
    QStringList turned;
    for (int j = 0; j < length; ++j)
        turned << names[(k - 1 + j) % length];
    return turned;
}

} // namespace vardex
