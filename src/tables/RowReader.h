#pragma once

#include "tables/TableSchema.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariantList>

#include <optional>
#include <vector>

namespace vardex {

class TableFile;

// One record as read from the file: its row id (the tie-break of every
// order, and the bookmark) and its field values in stored form.
struct Row
{
    qint64 id = 0;
    QVariantList values;
};
using Rows = std::vector<Row>;

// One column of an order: the field's position and the collation it is
// compared with ("" for binary).
struct OrderColumn
{
    int field = 0;
    QString collation;
};

// Reads records of a table in an order and under a filter without ever
// loading the whole table: every read is a keyset query that starts at a
// known record and stops after a few rows, split into ranges that each can
// seek in the order's index. Statements are prepared once and reused.
class RowReader
{
public:
    RowReader(TableFile &file, const TableSchema &schema);

    void setOrder(const QList<OrderColumn> &order);
    void setFilter(const QString &where, const QVariantList &params);
    bool filtered() const { return !m_filterWhere.isEmpty(); }

    Rows first(int n);
    // Nearest to the end first.
    Rows last(int n);
    Rows after(const Row &row, int n);
    // Nearest to `row` first.
    Rows before(const Row &row, int n);
    // The record with this id, if it exists (and passes the filter when
    // asked to).
    std::optional<Row> byId(qint64 id, bool applyFilter);
    // The first record whose leading order columns equal `key` (exact) or
    // are at or after it; `key` holds stored values, at most one per order
    // column.
    std::optional<Row> seek(const QVariantList &key, bool exact);
    // `n` records from position `offset` (0-based), counted from the start
    // or, nearest first, from the end.
    Rows atOffset(qint64 offset, int n, bool fromEnd);
    qint64 count();
    qint64 countBefore(const Row &row);

    QString lastError() const { return m_error; }
    // Drops prepared statements (before the schema of the file changes).
    void reset();

private:
    enum class Direction { Forward, Backward };
    struct Range
    {
        QString where;
        QVariantList params;
    };
    QList<Range> ranges(Direction dir, const QVariantList &key, std::optional<qint64> id,
                        bool inclusive) const;
    Rows readRanges(const QList<Range> &ranges, Direction dir, int n);
    Rows run(const QString &sql, const QVariantList &params, int firstColumn, int limit);
    QSqlQuery *prepared(const QString &sql);
    QString column(int i) const;
    QString orderBy(Direction dir, bool outer) const;
    QString selectList() const;
    QString withFilter(const QString &where) const;
    QVariantList withFilterParams(const QVariantList &params) const;

    TableFile &m_file;
    const TableSchema &m_schema;
    QList<OrderColumn> m_order;
    QString m_filterWhere;
    QVariantList m_filterParams;
    QHash<QString, QSqlQuery> m_statements;
    QString m_error;
};

} // namespace vardex
