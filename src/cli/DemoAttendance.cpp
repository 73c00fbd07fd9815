#include "cli/DemoAttendance.h"

#include "app/Application.h"
#include "attendance/Holidays.h"
#include "attendance/ShiftRecord.h"
#include "platform/Clock.h"

namespace vardex {

namespace {

Result<void> addShifts(Table &shifts)
{
    const std::pair<const char *, ShiftTemplate> kShifts[] = {
        {"Ranní", ShiftTemplate::Morning},
        {"Odpolední", ShiftTemplate::Afternoon},
        {"Noční", ShiftTemplate::Night},
        {"Volná", ShiftTemplate::Free},
    };
    for (const auto &[name, pattern] : kShifts) {
        if (!shifts.append())
            return shifts.failure();
        shifts.setString(QStringLiteral("NazevSmeny"), QString::fromUtf8(name));
        writeShiftRecord(shifts, ShiftFromTemplate(pattern));
        if (!shifts.post())
            return shifts.failure();
    }
    return {};
}

Result<void> fillSchedule(TVXDM &vx, const char *name, const QStringList &days)
{
    if (!vx.tbDchExactName(QString::fromUtf8(name)))
        return Failure{QStringLiteral("Rozpis nenalezen: ") + QString::fromUtf8(name)};
    if (!vx.tbDch.edit())
        return vx.tbDch.failure();
    vx.tbDch.setInt(QStringLiteral("DelkaRozpisu"), int(days.size()));
    for (int i = 0; i < days.size(); ++i)
        vx.tbDchPutNazSmeny(i + 1, days[i]);
    if (!vx.tbDch.post())
        return vx.tbDch.failure();
    return {};
}

} // namespace

Result<void> addDemoAttendance(Application &app)
{
    TVXDM &vx = app.vx;
    if (Result<void> shifts = addShifts(vx.tbSme); !shifts)
        return shifts;
    // Working days get the shift, the weekend none; the two-shift
    // schedule has mornings in its first week and afternoons in its second.
    const QDate start(app.clock().today().year(), 1, 1);
    auto days = [&start](int length) {
        QStringList names;
        for (int i = 0; i < length; ++i)
            names << (start.addDays(i).dayOfWeek() > 5 ? QString()
                      : i < 7                          ? QStringLiteral("Ranní")
                                                       : QStringLiteral("Odpolední"));
        return names;
    };
    for (const auto &[name, length] : {std::pair{"Ranní", 7}, std::pair{"Dvousměnný", 14}})
        if (Result<void> filled = fillSchedule(vx, name, days(length)); !filled)
            return filled;
    if (!vx.tbSva.isOpen() && !vx.tbSva.open())
        return vx.tbSva.failure();
    const Result<HolidayFill> holidays = fillStandardHolidays(
        vx.tbSva, holidayListPath(app.workDir()), app.clock().today().year(), app.messages());
    vx.tbSva.close();
    if (!holidays)
        return holidays.failure();
    return {};
}

} // namespace vardex
