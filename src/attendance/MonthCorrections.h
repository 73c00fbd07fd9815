#pragma once

#include "attendance/AttendanceResults.h"
#include "base/Result.h"

#include <QString>
#include <QStringList>

namespace vardex {

// The columns of the correction grid, in their order.
enum class CorrectionColumn {
    Start,    // "Začátek práce": the first arrival
    End,      // "Konec práce": the last departure
    Norm,     // "Norma"
    Total,    // "Výkon"
    Work,     // "Pracov."
    Business, // "Služeb"
    Doctor,   // "Lékař"
    Other,    // "volný"
    Lunch,    // "Oběd"
    Balance,  // "Saldo"
    Marks,    // "Upozornění"
    Note,     // "Důvod"
    Count
};

// The computed values of a worker's month as the correction window shows
// them, one row per day of the month, and the operator's corrections:
// the norm and the credited times ("hh:mm"), the marks and the note (free
// text). A corrected time makes the day's total and balance again.
class MonthCorrections
{
public:
    MonthCorrections(MonthResults &results, int year, int month);

    static QStringList titles();
    // Whether the operator may change the column, and whether it holds a
    // time.
    static bool editable(int column);
    static bool holdsTime(int column);
    // Whether `text` may be stored in the column.
    static bool acceptable(int column, const QString &text);

    int rowCount() const { return m_days; }
    QString text(int row, int column) const;
    // "Oprava údaje " and the row's first cell.
    QString editTitle(int row) const;

    // Stores a corrected value; a time column's day is recomputed.
    Result<void> set(int row, int column, const QString &text);
    // Every day of the month recomputed, as the window does when it closes.
    void finish();

private:
    DayResult &day(int row) const { return m_results.days[size_t(row + 1)]; }
    QString moment(int row, const DayMoment &m, bool dayAlone) const;

    MonthResults &m_results;
    int m_year;
    int m_month;
    int m_days;
};

} // namespace vardex
