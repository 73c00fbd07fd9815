#include "attendance/ShiftRecord.h"

#include "tables/Table.h"
#include "timecal/HourMinute.h"

namespace vardex {

namespace {

const QString kFirst = QStringLiteral("PrvniUsekSmeny");
const QString kSecond = QStringLiteral("DruhyUsekSmeny");
const QString kFlag = QStringLiteral("Prechod");
const QString kRequired = QStringLiteral("NutnoOdpracovat");

Failure badSection(int which)
{
    return Failure{QStringLiteral("Nesprávný údaj - úsek %1").arg(which), which};
}

} // namespace

void writeShiftRecord(Table &shifts, const DayShift &day)
{
    shifts.setString(kFirst, FormatSection(day.first));
    shifts.setString(kSecond, FormatSection(day.second));
    shifts.setString(kFlag, QString(QLatin1Char(day.flag)));
    shifts.setString(kRequired, FormatHourMinute(day.required));
}

Result<DayShift> readShiftRecord(const Table &shifts)
{
    DayShift day;
    const std::optional<ShiftSection> first = ParseSection(shifts.asString(kFirst));
    if (!first)
        return badSection(1);
    const std::optional<ShiftSection> second = ParseSection(shifts.asString(kSecond));
    if (!second)
        return badSection(2);
    day.first = *first;
    day.second = *second;
    const QString flag = shifts.asString(kFlag);
    day.flag = flag.isEmpty() ? ShiftFlag::None : flag[0].toLatin1();
    const quint16 required = ParseHourMinute(shifts.asString(kRequired));
    day.required = required == InvalidHourMinute ? 0 : required;
    return day;
}

Result<void> checkShiftRecord(const Table &shifts)
{
    if (const Result<DayShift> day = readShiftRecord(shifts); !day)
        return day.failure();
    const QString required = shifts.asString(kRequired);
    if (!required.isEmpty() && ParseHourMinute(required) == InvalidHourMinute)
        return Failure{QStringLiteral("Nesprávný údaj - odpracovat: ") + required};
    return {};
}

} // namespace vardex
