#pragma once

#include "tables/RowReader.h"
#include "tables/Table.h"

#include <QAbstractTableModel>

#include <deque>
#include <functional>

namespace vardex {

// One column of a grid over a table.
struct GridColumn
{
    QString field;
    QString title;
    bool readOnly = false;
    // Translates the field's value (as Table::value gives it) into the
    // shown text; empty = the field's plain text.
    std::function<QString(const QVariant &)> display{};
    // Translates from the whole row instead (its stored values in schema
    // order), for a text made of several fields; wins over `display`.
    std::function<QString(const QVariantList &stored)> rowDisplay{};
};

// The rows of a table, in its current order and under its filter, for the
// windows' grids. Only the rows a view asks for are read, through a small
// cache that follows the view by keyset reads (next or previous block) and
// jumps by offset (counted from the nearer end) when the view jumps, so a
// grid stays smooth over millions of records.
//
// A read that fails is told through the table (its error, readFailed() and
// readError()); from then on the model reads nothing until reload(), and a
// row it could not read shows empty, so the grid is never silently short.
//
// Editing a cell moves the cursor to that row and puts it in Edit state;
// the window posts through the cursor. While the cursor inserts, the record
// being inserted is shown as one more row after the stored ones, and its
// cells edit the new record.
class TableGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    TableGridModel(Table &table, QList<GridColumn> columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Moves the cursor to a row of the grid.
    bool moveTo(int row);
    // The cursor's row in the grid, -1 when the table is empty.
    int currentRow();
    // Forgets the cache and reads the row count again.
    void reload();
    // The stored values of a row in schema order; empty when it cannot be read.
    QVariantList rowValues(int row) const;
    // Whether the last row is the record being inserted.
    bool showsInsertRow() const { return m_insertRow; }

private:
    const Row *rowAt(int row) const;
    // The records under the table's filter; 0 when they cannot be counted.
    int countRows() const;
    bool fail(const Failure &failure) const;
    bool isInsertRow(int row) const;
    void extendForward(int n) const;
    void extendBackward(int n) const;
    void jumpTo(int row) const;

    Table &m_table;
    QList<GridColumn> m_columns;
    QList<int> m_fieldIndex;
    int m_rowCount = 0; // stored records
    bool m_insertRow = false;
    mutable qint64 m_start = 0;
    mutable std::deque<Row> m_rows;
    mutable bool m_failed = false; // a read failed: nothing more is read
};

} // namespace vardex
