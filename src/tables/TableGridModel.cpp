#include "tables/TableGridModel.h"

#include "tables/FieldValue.h"

namespace vardex {

namespace {

constexpr int kBlock = 64;      // rows read at a time
constexpr int kMaxCached = 512; // rows kept

} // namespace

TableGridModel::TableGridModel(Table &table, QList<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(std::move(columns))
{
    for (const GridColumn &c : m_columns) {
        const int i = m_table.schema().fieldIndex(c.field);
        Q_ASSERT_X(i >= 0, "TableGridModel",
                   qPrintable(QStringLiteral("unknown field ") + c.field));
        m_fieldIndex << i;
    }
    connect(&m_table, &Table::contentChanged, this, &TableGridModel::reload);
    m_rowCount = countRows();
    m_insertRow = m_table.state() == TableState::Insert;
}

int TableGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount + (m_insertRow ? 1 : 0);
}

int TableGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

int TableGridModel::countRows() const
{
    m_failed = false;
    const Result<qint64> n = m_table.countRecords(); // a failure is told by the table
    m_failed = !n;
    return int(n.valueOr(0));
}

bool TableGridModel::fail(const Failure &failure) const
{
    m_failed = true;
    return m_table.failRead(failure);
}

void TableGridModel::reload()
{
    m_rows.clear();
    m_start = 0;
    const int count = countRows();
    const bool inserting = m_table.state() == TableState::Insert;
    if (count != m_rowCount || inserting != m_insertRow) {
        beginResetModel();
        m_rowCount = count;
        m_insertRow = inserting;
        endResetModel();
    } else if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

void TableGridModel::extendForward(int n) const
{
    Result<Rows> rows = m_table.reader().after(m_rows.back(), n);
    if (!rows) {
        fail(rows.failure());
        return;
    }
    for (Row &r : *rows)
        m_rows.push_back(std::move(r));
    while (int(m_rows.size()) > kMaxCached) {
        m_rows.pop_front();
        ++m_start;
    }
}

void TableGridModel::extendBackward(int n) const
{
    Result<Rows> rows = m_table.reader().before(m_rows.front(), n);
    if (!rows) {
        fail(rows.failure());
        return;
    }
    for (Row &r : *rows) {
        m_rows.push_front(std::move(r));
        --m_start;
    }
    while (int(m_rows.size()) > kMaxCached)
        m_rows.pop_back();
}

void TableGridModel::jumpTo(int row) const
{
    const qint64 begin = qMax(0, row - kBlock / 2);
    const qint64 end = qMin<qint64>(m_rowCount, begin + kBlock);
    m_rows.clear();
    if (begin > m_rowCount / 2) {
        // Nearer the end: count from there, so the engine skips fewer rows.
        Result<Rows> rows = m_table.reader().atOffset(m_rowCount - end, int(end - begin), true);
        if (!rows) {
            fail(rows.failure());
            return;
        }
        m_start = end - qint64(rows->size());
        for (auto it = rows->rbegin(); it != rows->rend(); ++it)
            m_rows.push_back(std::move(*it));
    } else {
        Result<Rows> rows = m_table.reader().atOffset(begin, int(end - begin), false);
        if (!rows) {
            fail(rows.failure());
            return;
        }
        m_start = begin;
        for (Row &r : *rows)
            m_rows.push_back(std::move(r));
    }
}

const Row *TableGridModel::rowAt(int row) const
{
    if (row < 0 || row >= m_rowCount)
        return nullptr;
    const qint64 end = m_start + qint64(m_rows.size());
    if (!m_failed && !m_rows.empty() && row >= end && row < end + kBlock)
        extendForward(kBlock);
    else if (!m_failed && !m_rows.empty() && row < m_start && row >= m_start - kBlock)
        extendBackward(kBlock);
    if (!m_failed && (m_rows.empty() || row < m_start || row >= m_start + qint64(m_rows.size())))
        jumpTo(row);
    const qint64 i = row - m_start;
    return i >= 0 && i < qint64(m_rows.size()) ? &m_rows[size_t(i)] : nullptr;
}

QVariant TableGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const int field = m_fieldIndex[index.column()];
    const FieldDef &def = m_table.schema().fields[field];
    const bool insertRow = isInsertRow(index.row());
    const Row *row = insertRow ? nullptr : rowAt(index.row());
    if (!row && !insertRow)
        return {};
    // The row being edited or inserted shows the values typed so far.
    const bool editing =
        insertRow || (m_table.state() == TableState::Edit && m_table.bookmark() == row->id);
    const QVariant &stored = editing ? m_table.storedValues()[field] : row->values[field];
    if (role == Qt::EditRole)
        return FieldValue::toText(def, stored);
    const GridColumn &column = m_columns[index.column()];
    if (column.rowDisplay)
        return column.rowDisplay(editing ? m_table.storedValues() : row->values);
    return column.display ? column.display(FieldValue::fromStorage(def, stored))
                          : FieldValue::toText(def, stored);
}

QVariantList TableGridModel::rowValues(int row) const
{
    const Row *r = isInsertRow(row) ? nullptr : rowAt(row);
    return r ? r->values : QVariantList();
}

QVariant TableGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size() ? m_columns[section].title : QString();
    return section + 1;
}

Qt::ItemFlags TableGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!m_columns[index.column()].readOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

bool TableGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || m_columns[index.column()].readOnly)
        return false;
    if (!moveTo(index.row()))
        return false;
    if (m_table.state() != TableState::Insert && !m_table.edit())
        return false;
    const QString &field = m_columns[index.column()].field;
    const bool ok = value.typeId() == QMetaType::QString ? m_table.setText(field, value.toString())
                                                         : m_table.setValue(field, value);
    if (ok)
        emit dataChanged(index, index);
    return ok;
}

bool TableGridModel::isInsertRow(int row) const
{
    return m_insertRow && row == m_rowCount && m_table.state() == TableState::Insert;
}

bool TableGridModel::moveTo(int row)
{
    if (isInsertRow(row))
        return true;
    const Row *r = rowAt(row);
    if (!r)
        return false;
    if (m_table.bookmark() == r->id && m_table.state() != TableState::Browse)
        return true;
    return m_table.gotoBookmark(r->id);
}

int TableGridModel::currentRow()
{
    if (m_insertRow && m_table.state() == TableState::Insert)
        return m_rowCount;
    if (m_table.isEmpty())
        return -1;
    const Bookmark id = m_table.bookmark();
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].id == id)
            return int(m_start + qint64(i));
    return int(m_table.recNo()) - 1;
}

} // namespace vardex
