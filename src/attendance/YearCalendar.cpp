#include "attendance/YearCalendar.h"

#include "attendance/AttendanceSchemas.h"
#include "attendance/TVXDM.h"
#include "tables/Table.h"

namespace vardex {

char YearCalendar::kind(int month, int day) const
{
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return DayKind::None;
    const QString &row = months[size_t(month - 1)];
    return day <= row.size() ? row[day - 1].toLatin1() : DayKind::None;
}

char YearCalendar::kind(const Date &date) const
{
    return date.year == year ? kind(date.month, date.day) : DayKind::None;
}

YearCalendar weekdayCalendar(int year)
{
    YearCalendar c;
    c.year = year;
    for (int m = 1; m <= 12; ++m) {
        QString row(31, QLatin1Char(DayKind::None));
        for (int d = 1; d <= DaysInMonth(year, m); ++d) {
            // The host's numbering: 1 = Sunday, 7 = Saturday.
            const int weekday = PlatformWeekday({year, m, d});
            row[d - 1] =
                QLatin1Char(weekday == 1 || weekday == 7 ? DayKind::Weekend : DayKind::Working);
        }
        c.months[size_t(m - 1)] = row;
    }
    return c;
}

Result<YearCalendar> yearCalendarOf(Table &holidays, int year)
{
    YearCalendar c = weekdayCalendar(year);
    if (!holidays.isOpen() && !holidays.open())
        return holidays.failure();
    if (!holidays.setFilterText(QStringLiteral("ROK='%1'").arg(year, 4, 10, QLatin1Char('0'))))
        return Failure{holidays.filterError()};
    holidays.setFiltered(true);
    for (holidays.first(); !holidays.eof(); holidays.next()) {
        const QDate date = holidays.asDateTime(QStringLiteral("Datum")).date();
        if (date.isValid() && date.year() == year)
            c.months[size_t(date.month() - 1)][date.day() - 1] = QLatin1Char(DayKind::Holiday);
    }
    if (holidays.readFailed())
        return holidays.failure();
    return c;
}

// ===== The data module's calendar =====

Result<void> TVXDM::StandardniKalendar(int year)
{
    // A cursor of its own: the holidays window may be showing the table.
    Table holidays(wkvrSvaSchema(), m_workDir);
    Result<YearCalendar> built = yearCalendarOf(holidays, year);
    if (!built)
        return built.failure();
    kalendar = std::move(*built);
    return {};
}

Result<YearCalendar> TVXDM::kalendarRoku(int year)
{
    if (kalendar.year != year)
        if (Result<void> built = StandardniKalendar(year); !built)
            return built.failure();
    return kalendar;
}

} // namespace vardex
