#pragma once

#include "admin/UnitChooser.h"

#include <QDialog>
#include <QList>

class QItemSelection;
class QModelIndex;
class QPushButton;
class QTableView;

namespace vardex {

class TDB0DM;
class TableGridModel;

// "Určení hardwarové jednotky": picks one unit, several units (marked with
// Ctrl+click) or all units. The caller shows it modally and afterwards reads
// the unit selection set of the access-control data module.
class TFrmSelU : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmSelU(TDB0DM &db, QWidget *parent = nullptr);
    ~TFrmSelU() override;

    QTableView *grid() const { return m_grid; }
    QPushButton *allButton() const { return m_all; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *doneButton() const { return m_done; }
    // The marked rows in the order they were marked.
    const QList<int> &markedRows() const { return m_marked; }

public Q_SLOTS:
    // Double-click on a row: chooses it; the dialog stays open.
    void rowDoubleClicked(const QModelIndex &index);
    // "Hotovo": the current row is chosen and the marked rows listed.
    void done();
    // "Všechny": every unit is listed and the dialog closes.
    void all();

private:
    QString addressAt(int row) const;
    QString currentAddress() const;
    void marksChanged(const QItemSelection &marked, const QItemSelection &unmarked);

    TDB0DM &m_db;
    UnitChooser m_chooser;
    TableGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QPushButton *m_all = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_done = nullptr;
    QList<int> m_marked;
};

} // namespace vardex
