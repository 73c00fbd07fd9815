#include "tables/RowReader.h"

#include "tables/PostError.h"
#include "tables/TableFile.h"

#include <sqlite3.h>

namespace vardex {

namespace {

constexpr int kMaxStatements = 64;

const QString kLimit = QStringLiteral(" LIMIT ?");

} // namespace

RowReader::RowReader(TableFile &file, const TableSchema &schema)
    : m_file(file), m_schema(schema), m_statements(kMaxStatements)
{
    QStringList fields;
    for (const FieldDef &f : m_schema.fields)
        fields << TableFile::quote(f.name);
    m_select = QStringLiteral("SELECT rowid, ") + fields.join(QStringLiteral(", ")) +
               QStringLiteral(" FROM ") + TableFile::quote(m_file.tableName());
    setOrder({});
}

void RowReader::reset()
{
    m_statements.clear();
}

void RowReader::setOrder(const QList<OrderColumn> &order)
{
    m_order = order;
    m_columns.clear();
    m_names.clear();
    for (const OrderColumn &c : m_order) {
        const QString name = TableFile::quote(m_schema.fields[c.field].name);
        m_names << name;
        m_columns << (c.collation.isEmpty() ? name
                                            : name + QStringLiteral(" COLLATE ") + c.collation);
    }
    // The order always ends with the row id, so that it is total.
    for (const Direction dir : {Direction::Forward, Direction::Backward}) {
        const QString desc = dir == Direction::Backward ? QStringLiteral(" DESC") : QString();
        QStringList terms;
        for (const QString &c : std::as_const(m_columns))
            terms << c + desc;
        terms << QStringLiteral("rowid") + desc;
        m_orderBy[int(dir)] = QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
    }
}

void RowReader::setFilter(const QString &where, const QVariantList &params)
{
    m_filterWhere = where;
    m_filterParams = params;
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

QVariantList RowReader::keyOf(const Row &row) const
{
    QVariantList key;
    key.reserve(m_order.size());
    for (const OrderColumn &c : m_order)
        key << row.values[c.field];
    return key;
}

// Equalities on the first `count` order columns of `key` (a null value is
// matched by IS NULL); their parameters go to `params`.
QStringList RowReader::equalities(const QVariantList &key, int count, QVariantList &params) const
{
    QStringList terms;
    for (int i = 0; i < count; ++i) {
        if (key[i].isValid() && !key[i].isNull()) {
            terms << m_columns[i] + QStringLiteral(" = ?");
            params << key[i];
        } else {
            terms << m_names[i] + QStringLiteral(" IS NULL");
        }
    }
    return terms;
}

// The records after (or before) a position split into ranges, each an
// equality on leading order columns and a bound on the next one, so that
// every range seeks in the order's index. A null key value sorts first.
// `inclusive` (forward, without an id) starts at the records equal to the key.
QList<RowReader::Range> RowReader::ranges(Direction dir, const QVariantList &key,
                                          std::optional<qint64> id, bool inclusive) const
{
    const bool fwd = dir == Direction::Forward;
    const int m = qMin<int>(key.size(), m_order.size());
    QList<Range> out;
    int level = m - 1;
    if (id) {
        Range top;
        QStringList terms = equalities(key, m, top.params);
        terms << (fwd ? QStringLiteral("rowid > ?") : QStringLiteral("rowid < ?"));
        top.params << *id;
        top.where = terms.join(QStringLiteral(" AND "));
        out << top;
    } else if (inclusive && m > 0) {
        // Equal to the key or after it in the last key column: one range.
        Range r;
        QStringList t = equalities(key, level, r.params);
        if (key[level].isValid() && !key[level].isNull()) {
            t << m_columns[level] + QStringLiteral(" >= ?");
            r.params << key[level];
        }
        r.where = t.join(QStringLiteral(" AND "));
        out << r;
        --level;
    } else if (inclusive) {
        out << Range{};
    }
    for (int i = level; i >= 0; --i) {
        const bool null = !key[i].isValid() || key[i].isNull();
        if (fwd) {
            Range r;
            QStringList t = equalities(key, i, r.params);
            if (null) {
                t << m_names[i] + QStringLiteral(" IS NOT NULL");
            } else {
                t << m_columns[i] + QStringLiteral(" > ?");
                r.params << key[i];
            }
            r.where = t.join(QStringLiteral(" AND "));
            out << r;
        } else if (!null) {
            Range less;
            QStringList t = equalities(key, i, less.params);
            t << m_columns[i] + QStringLiteral(" < ?");
            less.params << key[i];
            less.where = t.join(QStringLiteral(" AND "));
            out << less;
            Range empty;
            QStringList e = equalities(key, i, empty.params);
            e << m_names[i] + QStringLiteral(" IS NULL");
            empty.where = e.join(QStringLiteral(" AND "));
            out << empty;
        }
    }
    return out;
}

void RowReader::fail(int code, const QString &engineText)
{
    m_failure = Failure{m_file.engineFailure(code, engineText), PostError::EngineError};
}

SqlStatement *RowReader::prepared(const QString &sql)
{
    QString error;
    int code = SQLITE_ERROR;
    SqlStatement *s = m_statements.get(m_file.handle(), sql, &error, &code);
    if (!s)
        fail(code, error);
    return s;
}

bool RowReader::run(const QString &sql, const QVariantList &params, qint64 limit, Rows &rows)
{
    SqlStatement *s = prepared(sql);
    if (!s)
        return false;
    s->bindAll(params);
    const int fields = m_schema.fields.size();
    for (qint64 read = 0; read < limit && s->step(); ++read) {
        Row row;
        row.id = s->integer(0);
        row.values.reserve(fields);
        for (int i = 0; i < fields; ++i)
            row.values << s->value(1 + i);
        rows.push_back(std::move(row));
    }
    const bool ok = s->succeeded();
    if (!ok)
        fail(s->errorCode(), s->errorMessage());
    // Ends the read transaction at once, so that no snapshot is kept.
    s->reset();
    return ok;
}

Result<qint64> RowReader::scalar(const QString &sql, const QVariantList &params)
{
    SqlStatement *s = prepared(sql);
    if (!s)
        return m_failure;
    s->bindAll(params);
    std::optional<qint64> n;
    if (s->step())
        n = s->integer(0);
    else
        fail(s->succeeded() ? SQLITE_ERROR : s->errorCode(), s->errorMessage());
    s->reset();
    if (!n)
        return m_failure;
    return *n;
}

bool RowReader::execute(const QString &sql)
{
    SqlStatement *s = prepared(sql);
    if (!s)
        return false;
    s->step();
    const bool ok = s->succeeded();
    if (!ok)
        fail(s->errorCode(), s->errorMessage());
    s->reset();
    return ok;
}

RowReader::ReadScope::ReadScope(RowReader &reader) : m_reader(reader)
{
    sqlite3 *db = m_reader.m_file.handle();
    m_began = db && sqlite3_get_autocommit(db) && m_reader.execute(QStringLiteral("BEGIN"));
}

RowReader::ReadScope::~ReadScope()
{
    if (m_began && !m_reader.execute(QStringLiteral("COMMIT")))
        m_reader.execute(QStringLiteral("ROLLBACK"));
}

Result<Rows> RowReader::readRanges(const QList<Range> &ranges, Direction dir, int n)
{
    Rows rows;
    if (n <= 0)
        return rows;
    std::optional<ReadScope> scope;
    if (ranges.size() > 1)
        scope.emplace(*this);
    for (const Range &range : ranges) {
        const qint64 wanted = n - qint64(rows.size());
        if (!run(m_select + withFilter(range.where) + m_orderBy[int(dir)] + kLimit,
                 withFilterParams(range.params) << wanted, wanted, rows))
            return m_failure;
        if (qint64(rows.size()) >= n)
            break;
    }
    return rows;
}

Result<Rows> RowReader::first(int n)
{
    Rows rows;
    if (!run(m_select + withFilter({}) + m_orderBy[int(Direction::Forward)] + kLimit,
             withFilterParams({}) << n, n, rows))
        return m_failure;
    return rows;
}

Result<Rows> RowReader::last(int n)
{
    Rows rows;
    if (!run(m_select + withFilter({}) + m_orderBy[int(Direction::Backward)] + kLimit,
             withFilterParams({}) << n, n, rows))
        return m_failure;
    return rows;
}

Result<Rows> RowReader::after(const Row &row, int n)
{
    return readRanges(ranges(Direction::Forward, keyOf(row), row.id, false), Direction::Forward, n);
}

Result<Rows> RowReader::before(const Row &row, int n)
{
    return readRanges(ranges(Direction::Backward, keyOf(row), row.id, false), Direction::Backward,
                      n);
}

Result<std::optional<Row>> RowReader::byId(qint64 id, bool applyFilter)
{
    const QString where = QStringLiteral("rowid = ?");
    Rows rows;
    const bool ok = applyFilter ? run(m_select + withFilter(where), withFilterParams({id}), 1, rows)
                                : run(m_select + QStringLiteral(" WHERE ") + where, {id}, 1, rows);
    if (!ok)
        return m_failure;
    if (rows.empty())
        return std::optional<Row>();
    return std::optional<Row>(std::move(rows.front()));
}

Result<std::optional<Row>> RowReader::seek(const QVariantList &key, bool exact)
{
    QList<Range> r;
    if (exact) {
        Range equal;
        equal.where = equalities(key, qMin<int>(key.size(), m_order.size()), equal.params)
                          .join(QStringLiteral(" AND "));
        r << equal;
    } else {
        r = ranges(Direction::Forward, key, std::nullopt, true);
    }
    Result<Rows> rows = readRanges(r, Direction::Forward, 1);
    if (!rows)
        return rows.failure();
    if (rows->empty())
        return std::optional<Row>();
    return std::optional<Row>(std::move(rows->front()));
}

Result<Rows> RowReader::atOffset(qint64 offset, int n, bool fromEnd)
{
    Rows rows;
    if (!run(m_select + withFilter({}) +
                 m_orderBy[int(fromEnd ? Direction::Backward : Direction::Forward)] + kLimit +
                 QStringLiteral(" OFFSET ?"),
             withFilterParams({}) << n << offset, n, rows))
        return m_failure;
    return rows;
}

Result<qint64> RowReader::count()
{
    return scalar(QStringLiteral("SELECT count(*) FROM ") + TableFile::quote(m_file.tableName()) +
                      withFilter({}),
                  m_filterParams);
}

Result<qint64> RowReader::countBefore(const Row &row)
{
    const QList<Range> r = ranges(Direction::Backward, keyOf(row), row.id, false);
    QStringList parts;
    QVariantList params;
    for (const Range &range : r) {
        parts << QStringLiteral("(SELECT count(*) FROM ") + TableFile::quote(m_file.tableName()) +
                     withFilter(range.where) + QLatin1Char(')');
        params << withFilterParams(range.params);
    }
    return scalar(QStringLiteral("SELECT ") + parts.join(QStringLiteral(" + ")), params);
}

Result<void> RowReader::checkFilter(const QString &where)
{
    // Compiled as the reads use it, behind a bound on the order; compiling
    // reads no record.
    const SqlStatement s(m_file.handle(), m_select + QStringLiteral(" WHERE rowid > ? AND (") +
                                              where + QLatin1Char(')') +
                                              m_orderBy[int(Direction::Forward)] + kLimit);
    if (!s.isValid())
        return Failure{QStringLiteral("Filtr nelze provést: ") + s.errorMessage(),
                       PostError::EngineError};
    return {};
}

} // namespace vardex
