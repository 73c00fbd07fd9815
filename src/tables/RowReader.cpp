#include "tables/RowReader.h"

#include "tables/TableFile.h"

#include <QSqlError>

namespace vardex {

namespace {

constexpr int kMaxStatements = 64;

} // namespace

RowReader::RowReader(TableFile &file, const TableSchema &schema) : m_file(file), m_schema(schema)
{
}

void RowReader::reset()
{
    m_statements.clear();
}

void RowReader::setOrder(const QList<OrderColumn> &order)
{
    m_order = order;
}

void RowReader::setFilter(const QString &where, const QVariantList &params)
{
    m_filterWhere = where;
    m_filterParams = params;
}

QString RowReader::column(int i) const
{
    const OrderColumn &c = m_order[i];
    QString s = TableFile::quote(m_schema.fields[c.field].name);
    if (!c.collation.isEmpty())
        s += QStringLiteral(" COLLATE ") + c.collation;
    return s;
}

QString RowReader::orderBy(Direction dir, bool outer) const
{
    const QString desc = dir == Direction::Backward ? QStringLiteral(" DESC") : QString();
    QStringList terms;
    if (outer)
        terms << QStringLiteral("_lvl");
    for (int i = 0; i < m_order.size(); ++i)
        terms << column(i) + desc;
    terms << (outer ? QStringLiteral("_rid") : QStringLiteral("rowid")) + desc;
    return QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
}

QString RowReader::selectList() const
{
    QStringList cols;
    for (const FieldDef &f : m_schema.fields)
        cols << TableFile::quote(f.name);
    return cols.join(QStringLiteral(", "));
}

QString RowReader::withFilter(const QString &where) const
{
    if (m_filterWhere.isEmpty())
        return where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where;
    if (where.isEmpty())
        return QStringLiteral(" WHERE (") + m_filterWhere + QLatin1Char(')');
    return QStringLiteral(" WHERE ") + where + QStringLiteral(" AND (") + m_filterWhere +
           QLatin1Char(')');
}

QVariantList RowReader::withFilterParams(const QVariantList &params) const
{
    return params + m_filterParams;
}

// The records after (or before) a position split into ranges, each an
// equality on leading order columns and a bound on the next one, so that
// every range seeks in the order's index. A null key value sorts first.
QList<RowReader::Range> RowReader::ranges(Direction dir, const QVariantList &key,
                                          std::optional<qint64> id, bool inclusive) const
{
    const bool fwd = dir == Direction::Forward;
    const int m = qMin<int>(key.size(), m_order.size());
    QList<Range> out;
    auto equalities = [&](int count, Range &r) {
        QStringList terms;
        for (int i = 0; i < count; ++i) {
            if (key[i].isValid() && !key[i].isNull()) {
                terms << column(i) + QStringLiteral(" = ?");
                r.params << key[i];
            } else {
                terms << TableFile::quote(m_schema.fields[m_order[i].field].name) +
                             QStringLiteral(" IS NULL");
            }
        }
        return terms;
    };

    Range top;
    QStringList terms = equalities(m, top);
    if (id) {
        terms << (fwd ? QStringLiteral("rowid > ?") : QStringLiteral("rowid < ?"));
        top.params << *id;
    }
    if (id || inclusive) {
        top.where = terms.join(QStringLiteral(" AND "));
        out << top;
    }
    for (int i = m - 1; i >= 0; --i) {
        const bool null = !key[i].isValid() || key[i].isNull();
        const QString name = TableFile::quote(m_schema.fields[m_order[i].field].name);
        if (fwd) {
            Range r;
            QStringList t = equalities(i, r);
            if (null) {
                t << name + QStringLiteral(" IS NOT NULL");
            } else {
                t << column(i) + QStringLiteral(" > ?");
                r.params << key[i];
            }
            r.where = t.join(QStringLiteral(" AND "));
            out << r;
        } else if (!null) {
            Range less;
            QStringList t = equalities(i, less);
            t << column(i) + QStringLiteral(" < ?");
            less.params << key[i];
            less.where = t.join(QStringLiteral(" AND "));
            out << less;
            Range empty;
            QStringList e = equalities(i, empty);
            e << name + QStringLiteral(" IS NULL");
            empty.where = e.join(QStringLiteral(" AND "));
            out << empty;
        }
    }
    return out;
}

QSqlQuery *RowReader::prepared(const QString &sql)
{
    auto it = m_statements.find(sql);
    if (it != m_statements.end())
        return &it.value();
    if (m_statements.size() >= kMaxStatements)
        m_statements.clear();
    QSqlQuery q(m_file.db());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        m_error = q.lastError().databaseText();
        return nullptr;
    }
    return &m_statements.insert(sql, q).value();
}

Rows RowReader::run(const QString &sql, const QVariantList &params, int firstColumn, int limit)
{
    Rows rows;
    QSqlQuery *q = prepared(sql);
    if (!q)
        return rows;
    for (int i = 0; i < params.size(); ++i)
        q->bindValue(i, params[i]);
    if (!q->exec()) {
        m_error = q->lastError().databaseText();
        return rows;
    }
    const int fields = m_schema.fields.size();
    while (int(rows.size()) < limit && q->next()) {
        Row row;
        row.id = q->value(firstColumn).toLongLong();
        row.values.reserve(fields);
        for (int i = 0; i < fields; ++i) {
            const int c = firstColumn + 1 + i;
            row.values << (q->isNull(c) ? QVariant() : q->value(c));
        }
        rows.push_back(std::move(row));
    }
    // Ends the read transaction at once, so that no snapshot is kept.
    q->finish();
    return rows;
}

Rows RowReader::readRanges(const QList<Range> &ranges, Direction dir, int n)
{
    if (ranges.isEmpty() || n <= 0)
        return {};
    const QString from = QStringLiteral(" FROM ") + TableFile::quote(m_file.tableName());
    const QString limit = QStringLiteral(" LIMIT %1").arg(n);
    if (ranges.size() == 1) {
        return run(QStringLiteral("SELECT rowid, ") + selectList() + from +
                       withFilter(ranges[0].where) + orderBy(dir, false) + limit,
                   withFilterParams(ranges[0].params), 0, n);
    }
    QStringList parts;
    QVariantList params;
    for (int i = 0; i < ranges.size(); ++i) {
        parts << QStringLiteral("SELECT * FROM (SELECT %1 AS _lvl, rowid AS _rid, ").arg(i) +
                     selectList() + from + withFilter(ranges[i].where) + orderBy(dir, false) +
                     limit + QLatin1Char(')');
        params << withFilterParams(ranges[i].params);
    }
    return run(parts.join(QStringLiteral(" UNION ALL ")) + orderBy(dir, true) + limit, params, 1,
               n);
}

Rows RowReader::first(int n)
{
    return run(QStringLiteral("SELECT rowid, ") + selectList() + QStringLiteral(" FROM ") +
                   TableFile::quote(m_file.tableName()) + withFilter({}) +
                   orderBy(Direction::Forward, false) + QStringLiteral(" LIMIT %1").arg(n),
               m_filterParams, 0, n);
}

Rows RowReader::last(int n)
{
    return run(QStringLiteral("SELECT rowid, ") + selectList() + QStringLiteral(" FROM ") +
                   TableFile::quote(m_file.tableName()) + withFilter({}) +
                   orderBy(Direction::Backward, false) + QStringLiteral(" LIMIT %1").arg(n),
               m_filterParams, 0, n);
}

Rows RowReader::after(const Row &row, int n)
{
    QVariantList key;
    for (const OrderColumn &c : m_order)
        key << row.values[c.field];
    return readRanges(ranges(Direction::Forward, key, row.id, false), Direction::Forward, n);
}

Rows RowReader::before(const Row &row, int n)
{
    QVariantList key;
    for (const OrderColumn &c : m_order)
        key << row.values[c.field];
    return readRanges(ranges(Direction::Backward, key, row.id, false), Direction::Backward, n);
}

std::optional<Row> RowReader::byId(qint64 id, bool applyFilter)
{
    const QString from = QStringLiteral("SELECT rowid, ") + selectList() +
                         QStringLiteral(" FROM ") + TableFile::quote(m_file.tableName());
    const QString where = QStringLiteral("rowid = ?");
    Rows rows = applyFilter ? run(from + withFilter(where), withFilterParams({id}), 0, 1)
                            : run(from + QStringLiteral(" WHERE ") + where, {id}, 0, 1);
    if (rows.empty())
        return std::nullopt;
    return std::move(rows.front());
}

std::optional<Row> RowReader::seek(const QVariantList &key, bool exact)
{
    QList<Range> r = ranges(Direction::Forward, key, std::nullopt, true);
    if (exact)
        r = r.mid(0, 1);
    Rows rows = readRanges(r, Direction::Forward, 1);
    if (rows.empty())
        return std::nullopt;
    return std::move(rows.front());
}

Rows RowReader::atOffset(qint64 offset, int n, bool fromEnd)
{
    return run(QStringLiteral("SELECT rowid, ") + selectList() + QStringLiteral(" FROM ") +
                   TableFile::quote(m_file.tableName()) + withFilter({}) +
                   orderBy(fromEnd ? Direction::Backward : Direction::Forward, false) +
                   QStringLiteral(" LIMIT %1 OFFSET %2").arg(n).arg(offset),
               m_filterParams, 0, n);
}

qint64 RowReader::count()
{
    QSqlQuery *q = prepared(QStringLiteral("SELECT count(*) FROM ") +
                            TableFile::quote(m_file.tableName()) + withFilter({}));
    if (!q)
        return 0;
    for (int i = 0; i < m_filterParams.size(); ++i)
        q->bindValue(i, m_filterParams[i]);
    qint64 n = 0;
    if (q->exec() && q->next())
        n = q->value(0).toLongLong();
    else
        m_error = q->lastError().databaseText();
    q->finish();
    return n;
}

qint64 RowReader::countBefore(const Row &row)
{
    QVariantList key;
    for (const OrderColumn &c : m_order)
        key << row.values[c.field];
    const QList<Range> r = ranges(Direction::Backward, key, row.id, false);
    QStringList parts;
    QVariantList params;
    for (const Range &range : r) {
        parts << QStringLiteral("(SELECT count(*) FROM ") + TableFile::quote(m_file.tableName()) +
                     withFilter(range.where) + QLatin1Char(')');
        params << withFilterParams(range.params);
    }
    QSqlQuery *q = prepared(QStringLiteral("SELECT ") + parts.join(QStringLiteral(" + ")));
    if (!q)
        return 0;
    for (int i = 0; i < params.size(); ++i)
        q->bindValue(i, params[i]);
    qint64 n = 0;
    if (q->exec() && q->next())
        n = q->value(0).toLongLong();
    else
        m_error = q->lastError().databaseText();
    q->finish();
    return n;
}

} // namespace vardex
