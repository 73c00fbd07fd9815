#pragma once

#include "admin/PermissionGroupEditor.h"

#include <QDialog>

class QPushButton;
class QStackedWidget;
class QTableView;
class QTableWidget;

namespace vardex {

class GridCursor;
class RecordNavigator;
class ScheduleChooserPanel;
class TDB0DM;
class TVXDM;
class TableGridModel;
class UnitChooserPanel;

// "Databáze přístupových oprávnění skupin pracovníků": the list of groups
// with the navigator, the 32 rows of the current group, and while a group is
// inserted or edited the panel "Úpravy záznamu" over the navigator. A click
// on a row's cell then opens the unit chooser, the attribute dialog or the
// schedule chooser; while a chooser is open the panel's buttons are out of
// use.
class TFrmOpr : public QDialog
{
    Q_OBJECT
public:
    TFrmOpr(TDB0DM &db, TVXDM &vx, QWidget *parent = nullptr);
    ~TFrmOpr() override;

    enum Column { UnitColumn, AttributeColumn, ScheduleColumn };

    const PermissionGroupEditor &editor() const { return m_editor; }
    QTableView *groupList() const { return m_list; }
    TableGridModel *groupModel() const { return m_model; }
    RecordNavigator *navigator() const { return m_navigator; }
    QWidget *editPanel() const { return m_panel; }
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *cancelButton() const { return m_cancel; }
    QTableWidget *rows() const { return m_rows; }
    UnitChooserPanel *unitChooser() const { return m_unitChooser; }
    ScheduleChooserPanel *scheduleChooser() const { return m_scheduleChooser; }

public Q_SLOTS:
    // A click on a cell of the group's rows.
    void cellClicked(int row, int column);
    void confirmGroup();
    void cancelGroup();
    // Escape: closes the open chooser; otherwise closes the window, an
    // edited group confirmed first (a refused post keeps the window open).
    void reject() override;

protected:
    // Delete on a row of an edited group empties it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Reads the current group's rows and shows them.
    void showGroup();
    // Shows the rows as edited so far.
    void redrawRows();
    void updateState();
    void attributeStep(int row);
    void unitPicked(const QString &unit);
    void openChooser(QWidget *chooser, int row);
    void closeChooser();

    PermissionGroupEditor m_editor;
    QTableView *m_list = nullptr;
    TableGridModel *m_model = nullptr;
    GridCursor *m_cursor = nullptr;
    QStackedWidget *m_stack = nullptr;
    RecordNavigator *m_navigator = nullptr;
    QWidget *m_panel = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_cancel = nullptr;
    QTableWidget *m_rows = nullptr;
    UnitChooserPanel *m_unitChooser = nullptr;
    ScheduleChooserPanel *m_scheduleChooser = nullptr;
    QWidget *m_open = nullptr; // the chooser open, if any
    int m_chooserRow = -1;
};

} // namespace vardex
