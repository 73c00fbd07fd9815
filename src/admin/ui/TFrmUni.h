#pragma once

#include "admin/UnitDatabase.h"

#include <QDialog>

class QModelIndex;
class QPushButton;
class QTableView;

namespace vardex {

class BarrierParametersPanel;
class DoorParametersPanel;
class DoorTimePanel;
class MaskPanel;
class GridCursor;
class RecordNavigator;
class TDB0DM;
class TableGridModel;
class UnitTypeSelector;
class UseMaskPanel;

// "Databáze hardwarových jednotek": the unit table in a grid, a navigator
// without insert, "Nová" with the type selector, and the parameter editors
// that a double-click on a column opens while the record is edited. While
// the type selector or an editor is open, the navigator, grid and "Nová"
// are out of use; "Nová" is also out of use while a record is edited.
class TFrmUni : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmUni(TDB0DM &db, QWidget *parent = nullptr);
    ~TFrmUni() override;

    QTableView *grid() const { return m_grid; }
    TableGridModel *model() const { return m_model; }
    RecordNavigator *navigator() const { return m_navigator; }
    QPushButton *newButton() const { return m_new; }
    UnitTypeSelector *typeSelector() const { return m_typeSelector; }
    MaskPanel *alarmPanel() const { return m_alarmPanel; }
    MaskPanel *relayPanel() const { return m_relayPanel; }
    UseMaskPanel *usePanel() const { return m_usePanel; }
    DoorTimePanel *doorTimePanel() const { return m_doorTimePanel; }
    DoorParametersPanel *doorPanel() const { return m_doorPanel; }
    BarrierParametersPanel *barrierPanel() const { return m_barrierPanel; }
    // The open sub-dialog; null while browsing.
    QWidget *openSubDialog() const { return m_open; }
    // The grid column that shows `field`; -1 when none does.
    static int columnOf(const QString &field);

public Q_SLOTS:
    // "Nová": opens the type selector while the table is browsed.
    void newUnit();
    // Opens the editor of the cell's column for the current unit, if any.
    void cellDoubleClicked(const QModelIndex &index);
    // Escape: closes the open type selector or editor as its "Přerušit"
    // does; otherwise closes the window, a record still edited posted
    // first (a refused post keeps the window open).
    void reject() override;

private:
    void typePicked(quint8 type);
    void openEditor(UnitEditor editor);
    void finishEditor(UnitEditor editor);
    void openSubDialog(QWidget *panel);
    void closeSubDialog();

    UnitDatabase m_units;
    QWidget *m_main = nullptr;
    QTableView *m_grid = nullptr;
    TableGridModel *m_model = nullptr;
    RecordNavigator *m_navigator = nullptr;
    GridCursor *m_cursor = nullptr;
    QPushButton *m_new = nullptr;
    UnitTypeSelector *m_typeSelector = nullptr;
    MaskPanel *m_alarmPanel = nullptr;
    MaskPanel *m_relayPanel = nullptr;
    UseMaskPanel *m_usePanel = nullptr;
    DoorTimePanel *m_doorTimePanel = nullptr;
    DoorParametersPanel *m_doorPanel = nullptr;
    BarrierParametersPanel *m_barrierPanel = nullptr;
    QWidget *m_open = nullptr;
};

} // namespace vardex
