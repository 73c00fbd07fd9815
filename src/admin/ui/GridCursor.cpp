#include "admin/ui/GridCursor.h"

#include "admin/ui/RecordNavigator.h"
#include "tables/TableGridModel.h"

#include <QTableView>

namespace vardex {

GridCursor::GridCursor(QTableView *grid, TableGridModel *model, RecordNavigator *navigator,
                       QObject *parent)
    : QObject(parent), m_grid(grid), m_model(model), m_navigator(navigator)
{
    connect(m_navigator, &RecordNavigator::acted, this, &GridCursor::refresh);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &GridCursor::rowChosen);
    connect(m_model, &QAbstractItemModel::dataChanged, m_navigator,
            &RecordNavigator::updateButtons);
}

void GridCursor::refresh()
{
    m_model->reload();
    showCurrent();
}

void GridCursor::showCurrent()
{
    m_syncing = true;
    const int row = m_model->currentRow();
    if (row >= 0) {
        const int column = qMax(0, m_grid->currentIndex().column());
        m_grid->setCurrentIndex(m_model->index(row, column));
        m_grid->scrollTo(m_grid->currentIndex());
    }
    m_syncing = false;
    m_navigator->updateButtons();
}

void GridCursor::rowChosen(const QModelIndex &current)
{
    if (m_syncing || !current.isValid())
        return;
    m_model->moveTo(current.row());
    if (m_model->currentRow() != current.row())
        m_model->reload();
    showCurrent();
}

} // namespace vardex
