#pragma once

#include "attendance/CalendarPlan.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QTableView;
class QWidget;

namespace vardex {

class Application;
class GridCursor;
class RecordNavigator;
class TableGridModel;

// "Kalendářní plán rozpisů pracovních směn": the planned days of the
// current key holder over the processing period, and the operations on
// them. While shown, the plan is ordered by key and date and filtered to
// the holder; closing puts the plan's order and filter back.
class TROCPLN : public QDialog
{
    Q_OBJECT
public:
    explicit TROCPLN(Application &app, QWidget *parent = nullptr);
    ~TROCPLN() override;

    // Shows the window modally (the main menu and the attendance window).
    static void showWindow(Application &app, QWidget *parent);

    QTableView *grid() const { return m_grid; }
    TableGridModel *model() const { return m_model; }
    QLabel *holderLabel() const { return m_holder; }
    QPushButton *button(const QString &caption) const;
    QWidget *contentsPanel() const { return m_contents; }
    QListWidget *contentsList() const { return m_holders; }

    // The period of the processing interval; invalid dates when none.
    QDate from() const;
    QDate to() const;

public Q_SLOTS:
    void chooseHolder();
    void choosePeriod();
    void generate();
    void emptyPeriod();
    void erasePeriod();
    void showNorm();
    void editShift();
    void editNote();
    void clearNote();
    void savePatternFile();
    void applyPatternFile();
    void showContents();
    void printPlan();

private:
    void showHolder();
    // Shows a failed operation; whether it succeeded.
    template <typename T> bool told(const Result<T> &result);
    // The key and period an operation needs; says what is missing.
    bool ready();
    void contentsAction(const QString &caption);

    Application &m_app;
    CalendarPlan m_plan;
    QTableView *m_grid = nullptr;
    TableGridModel *m_model = nullptr;
    RecordNavigator *m_navigator = nullptr;
    GridCursor *m_cursor = nullptr;
    QLabel *m_holder = nullptr;
    QLabel *m_period = nullptr;
    QList<QPushButton *> m_buttons;
    QWidget *m_contents = nullptr;
    QListWidget *m_holders = nullptr;
    QList<PlanHolder> m_listed;
};

} // namespace vardex
