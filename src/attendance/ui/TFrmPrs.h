#pragma once

#include <QDialog>

class QModelIndex;
class QTableView;

namespace vardex {

class GridCursor;
class RecordNavigator;
class TDB0DM;
class TVXDM;
class TableGridModel;

// "Pracoviště (skupiny pro samostatné vyhodnocení)": the workplaces in a
// grid with a navigator. A double click on a row makes its workplace the
// chosen attendance group and closes the window; closing it otherwise
// leaves the group chosen before.
class TFrmPrs : public QDialog
{
    Q_OBJECT
public:
    TFrmPrs(TDB0DM &db, TVXDM &vx, QWidget *parent = nullptr);
    ~TFrmPrs() override;

    QTableView *grid() const { return m_grid; }
    TableGridModel *model() const { return m_model; }
    RecordNavigator *navigator() const { return m_navigator; }

public Q_SLOTS:
    void rowDoubleClicked(const QModelIndex &index);
    // Escape: a record still edited is posted first.
    void reject() override;

private:
    TDB0DM &m_db;
    TVXDM &m_vx;
    QTableView *m_grid = nullptr;
    TableGridModel *m_model = nullptr;
    RecordNavigator *m_navigator = nullptr;
    GridCursor *m_cursor = nullptr;
};

} // namespace vardex
