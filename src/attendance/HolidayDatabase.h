#pragma once

#include "attendance/Holidays.h"
#include "base/Result.h"

#include <QDate>
#include <QString>

namespace vardex {

class OperatorMessages;
class TDB0DM;
class TVXDM;
class Table;

// What the holidays window does with the holiday table beyond the grid:
// opening and closing it, the date chosen in the calendar, and filling a
// year from the holiday list of the working directory.
class HolidayDatabase
{
public:
    HolidayDatabase(TVXDM &vx, TDB0DM &db, const QString &workDir);

    // The calendar goes no further back.
    static constexpr int FirstCalendarYear = 1998;

    Table &holidays();
    OperatorMessages &messages();
    Result<void> open();
    // Closes the table and takes today as the current date again.
    void close();

    // Today, by the program's clock.
    QDate today() const;
    bool listExists() const;
    // "Chybí soubor svátků SVATKY.INI"
    static QString missingListText();
    // "Standard ": the list's holidays, Good Friday and Easter Monday of
    // `year`; a failure is told to the operator.
    Result<HolidayFill> fillYear(int year);

    // The date the calendar opens on: the edited record's, else `fallback`.
    QDate calendarDate(const QDate &fallback) const;
    // A day chosen in the calendar: stored into the record being edited or
    // inserted, which is posted; false when the post was refused (told by
    // the table) or no record is edited.
    bool storeDate(const QDate &date);

private:
    TVXDM &m_vx;
    TDB0DM &m_db;
    QString m_workDir;
};

} // namespace vardex
