#pragma once

#include <QObject>

class QModelIndex;
class QTableView;

namespace vardex {

class RecordNavigator;
class TableGridModel;

// Keeps a grid's current row and a table's cursor together: the grid
// follows the cursor after every navigator action or refresh, and a row
// chosen in the grid moves the cursor (posting a pending edit first, as
// every move does; a refused post keeps the cursor, and the grid, where
// they were).
class GridCursor : public QObject
{
    Q_OBJECT
public:
    GridCursor(QTableView *grid, TableGridModel *model, RecordNavigator *navigator,
               QObject *parent = nullptr);

    // Reads the rows again and shows the cursor's record as the current row.
    void refresh();
    // Shows the cursor's record as the current row, keeping the column.
    void showCurrent();

private:
    void rowChosen(const QModelIndex &current);

    QTableView *m_grid;
    TableGridModel *m_model;
    RecordNavigator *m_navigator;
    bool m_syncing = false;
};

} // namespace vardex
