#pragma once

#include "attendance/HolidayDatabase.h"

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QModelIndex;
class QPushButton;
class QSpinBox;
class QTabBar;
class QTableView;

namespace vardex {

class GridCursor;
class RecordNavigator;
class TableGridModel;

// "Přehled svátků a nepracovních dnů": the holidays in a grid with a
// navigator. A double click on the date of a record being edited opens the
// calendar panel, where a double click on a day stores it; "Standard "
// fills the year of its counter from the holiday list. Closing the window
// closes the table and takes today as the current date again.
class TDBSVAT : public QDialog
{
    Q_OBJECT
public:
    // The table is opened by the caller (open()).
    TDBSVAT(HolidayDatabase &holidays, QWidget *parent = nullptr);
    ~TDBSVAT() override;

    // Opens the table, shows the window modally and closes the table; a
    // table that cannot be opened is told to the operator.
    static void showWindow(TVXDM &vx, TDB0DM &db, const QString &workDir, QWidget *parent);

    QTableView *grid() const { return m_grid; }
    TableGridModel *model() const { return m_model; }
    RecordNavigator *navigator() const { return m_navigator; }
    QWidget *calendarPanel() const { return m_panel; }
    QCalendarWidget *calendar() const { return m_calendar; }
    QTabBar *monthTabs() const { return m_months; }
    QLabel *yearLabel() const { return m_year; }
    QPushButton *yearBackButton() const { return m_yearBack; }
    QPushButton *yearOnButton() const { return m_yearOn; }
    QPushButton *standardButton() const { return m_standard; }
    QSpinBox *standardYear() const { return m_standardYear; }
    QLabel *missingListLabel() const { return m_missing; }

public Q_SLOTS:
    void cellDoubleClicked(const QModelIndex &index);
    // A day chosen in the calendar.
    void dayChosen(const QDate &date);
    void fillStandard();
    // Escape: the calendar panel first; then the window, a record still
    // edited posted first.
    void reject() override;

private:
    void showCalendar(const QDate &date);
    void stepYear(int by);
    void calendarPageChanged(int year, int month);

    HolidayDatabase &m_holidays;
    QTableView *m_grid = nullptr;
    TableGridModel *m_model = nullptr;
    RecordNavigator *m_navigator = nullptr;
    GridCursor *m_cursor = nullptr;
    QWidget *m_panel = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    QTabBar *m_months = nullptr;
    QLabel *m_year = nullptr;
    QPushButton *m_yearBack = nullptr;
    QPushButton *m_yearOn = nullptr;
    QPushButton *m_standard = nullptr;
    QSpinBox *m_standardYear = nullptr;
    QLabel *m_missing = nullptr;
};

} // namespace vardex
