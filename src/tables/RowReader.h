#pragma once

#include "base/Result.h"
#include "tables/SqlStatement.h"
#include "tables/TableSchema.h"

#include <QStringList>
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
// known record and stops after a few rows, split into ranges that each seek
// in the order's index and are read one after another until enough rows
// are found (no sorting, whatever the size of the table). Statements are
// prepared once and reused.
class RowReader
{
public:
    RowReader(TableFile &file, const TableSchema &schema);

    void setOrder(const QList<OrderColumn> &order);
    void setFilter(const QString &where, const QVariantList &params);
    bool filtered() const { return !m_filterWhere.isEmpty(); }

    // Every read fails with the engine's reason in the operator's words
    // (a damaged page, a disk error, a statement the engine cannot run):
    // a failed read is never taken for the end of the table.
    Result<Rows> first(int n);
    // Nearest to the end first.
    Result<Rows> last(int n);
    Result<Rows> after(const Row &row, int n);
    // Nearest to `row` first.
    Result<Rows> before(const Row &row, int n);
    // The record with this id, if it exists (and passes the filter when
    // asked to).
    Result<std::optional<Row>> byId(qint64 id, bool applyFilter);
    // The first record whose leading order columns equal `key` (exact) or
    // are at or after it; `key` holds stored values, at most one per order
    // column.
    Result<std::optional<Row>> seek(const QVariantList &key, bool exact);
    // `n` records from position `offset` (0-based), counted from the start
    // or, nearest first, from the end.
    Result<Rows> atOffset(qint64 offset, int n, bool fromEnd);
    Result<qint64> count();
    Result<qint64> countBefore(const Row &row);
    // Whether the engine can run a filter at all (it refuses, for one, an
    // expression nested too deep), without reading a record.
    Result<void> checkFilter(const QString &where);

    // Holds one read transaction over several reads, so that they see the
    // same state of the file and take its read lock only once. Does nothing
    // inside a transaction that is already open.
    class ReadScope
    {
    public:
        explicit ReadScope(RowReader &reader);
        ~ReadScope();
        ReadScope(const ReadScope &) = delete;
        ReadScope &operator=(const ReadScope &) = delete;

    private:
        RowReader &m_reader;
        bool m_began = false;
    };
    // Drops prepared statements (before the schema of the file changes).
    void reset();

private:
    enum class Direction { Forward, Backward };
    struct Range
    {
        QString where;
        QVariantList params;
    };
    QStringList equalities(const QVariantList &key, int count, QVariantList &params) const;
    QList<Range> ranges(Direction dir, const QVariantList &key, std::optional<qint64> id,
                        bool inclusive) const;
    Result<Rows> readRanges(const QList<Range> &ranges, Direction dir, int n);
    // Appends up to `limit` rows of the statement to `rows`; false when the
    // engine failed (see m_failure).
    bool run(const QString &sql, const QVariantList &params, qint64 limit, Rows &rows);
    Result<qint64> scalar(const QString &sql, const QVariantList &params);
    bool execute(const QString &sql);
    SqlStatement *prepared(const QString &sql);
    // Keeps the engine's reason for the caller.
    void fail(int code, const QString &engineText);
    QString withFilter(const QString &where) const;
    QVariantList withFilterParams(const QVariantList &params) const;
    QVariantList keyOf(const Row &row) const;

    TableFile &m_file;
    const TableSchema &m_schema;
    QList<OrderColumn> m_order;
    QString m_filterWhere;
    QVariantList m_filterParams;
    StatementCache m_statements;
    Failure m_failure;

    // Pieces of statement text, made once per order.
    QString m_select;      // "SELECT rowid, <fields> FROM <table>"
    QString m_orderBy[2];  // " ORDER BY ..." forward, backward
    QStringList m_columns; // order columns with their collations
    QStringList m_names;   // order columns, bare names
};

} // namespace vardex
