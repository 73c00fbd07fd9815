#include "attendance/MonthCorrections.h"

#include "timecal/Calendar.h"
#include "timecal/HourMinute.h"

namespace vardex {

namespace {

using Col = CorrectionColumn;

// "d.m. ddd" of a date, with the time between when it is given.
QString dayText(const QDate &date, const QString &time)
{
    const QString name = DayName(WeekdayFromMonday({date.year(), date.month(), date.day()}));
    return QStringLiteral("%1.%2. ").arg(date.day()).arg(date.month()) +
           (time.isEmpty() ? QString() : time + u' ') + name;
}

// The day's value a time column shows; null for any other column.
quint16 DayResult::*timeMember(Col column)
{
    switch (column) {
    case Col::Norm:
        return &DayResult::norm;
    case Col::Total:
        return &DayResult::total;
    case Col::Work:
        return &DayResult::work;
    case Col::Business:
        return &DayResult::business;
    case Col::Doctor:
        return &DayResult::doctor;
    case Col::Other:
        return &DayResult::other;
    case Col::Lunch:
        return &DayResult::lunch;
    default:
        return nullptr;
    }
}

} // namespace

MonthCorrections::MonthCorrections(MonthResults &results, int year, int month)
    : m_results(results), m_year(year), m_month(month), m_days(DaysInMonth(year, month))
{
}

QStringList MonthCorrections::titles()
{
    return {
        QStringLiteral("Začátek práce"), QStringLiteral("Konec práce"), QStringLiteral("Norma"),
        QStringLiteral("Výkon"),         QStringLiteral("Pracov."),     QStringLiteral("Služeb"),
        QStringLiteral("Lékař"),         QStringLiteral("volný"),       QStringLiteral("Oběd"),
        QStringLiteral("Saldo"),         QStringLiteral("Upozornění"),  QStringLiteral("Důvod")};
}

bool MonthCorrections::holdsTime(int column)
{
    switch (Col(column)) {
    case Col::Norm:
    case Col::Work:
    case Col::Business:
    case Col::Doctor:
    case Col::Other:
    case Col::Lunch:
        return true;
    default:
        return false;
    }
}

bool MonthCorrections::editable(int column)
{
    return holdsTime(column) || Col(column) == Col::Marks || Col(column) == Col::Note;
}

bool MonthCorrections::acceptable(int column, const QString &text)
{
    if (!editable(column))
        return false;
    return !holdsTime(column) || ParseHourMinute(text) != InvalidHourMinute;
}

QString MonthCorrections::text(int row, int column) const
{
    const DayResult &d = day(row);
    switch (Col(column)) {
    case Col::Start:
        return d.firstArrival.isSet()
                   ? dayText(d.firstArrival.date, FormatHourMinute(d.firstArrival.time))
                   : dayText(QDate(m_year, m_month, row + 1), QString());
    case Col::End:
        return d.lastDeparture.isSet()
                   ? dayText(d.lastDeparture.date, FormatHourMinute(d.lastDeparture.time))
                   : QString();
    case Col::Balance:
        return d.balance;
    case Col::Marks:
        return d.marks;
    case Col::Note:
        return d.note;
    default:
        if (const auto member = timeMember(Col(column)))
            return FormatHourMinute(d.*member);
        return QString();
    }
}

QString MonthCorrections::editTitle(int row) const
{
    return QStringLiteral("Oprava údaje ") + text(row, int(Col::Start));
}

Result<void> MonthCorrections::set(int row, int column, const QString &text)
{
    Q_ASSERT(row >= 0 && row < m_days);
    if (!acceptable(column, text))
        return Failure{QStringLiteral("Chybný údaj: ") + text};
    DayResult &d = day(row);
    if (Col(column) == Col::Marks) {
        d.marks = text;
    } else if (Col(column) == Col::Note) {
        d.note = text;
    } else {
        d.*timeMember(Col(column)) = ParseHourMinute(text);
        recomputeDay(d);
    }
    return {};
}

void MonthCorrections::finish()
{
    for (int row = 0; row < m_days; ++row)
        recomputeDay(day(row));
}

} // namespace vardex
