#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vardex {

// One prepared statement of a table file's connection, bound and stepped
// directly by the engine: no copies of the row set, no conversion of the
// statement text per run. Values travel in their stored form: null as an
// invalid QVariant, integers as qint64, reals as double, text as QString,
// blobs as QByteArray.
class SqlStatement
{
public:
    SqlStatement(sqlite3 *db, const QString &sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    // False when the text did not compile (see errorMessage()).
    bool isValid() const { return m_stmt != nullptr; }
    QString errorMessage() const;
    // The engine's extended result code of the failed compile or step.
    int errorCode() const { return m_rc; }

    // Binds parameter `i` (0-based); a null text or byte block binds NULL.
    void bind(int i, const QVariant &value);
    void bindAll(const QVariantList &values);
    // Runs one step: true while a row is available; after the last row or
    // an error (see succeeded()) returns false.
    bool step();
    bool succeeded() const { return m_ok; }
    // Ends the run and the read transaction it holds.
    void reset();

    int columnCount() const;
    qint64 integer(int column) const;
    // The column of the current row in stored form (see above).
    QVariant value(int column) const;

    // The form a value takes once written and read again.
    static QVariant storedForm(const QVariant &value);

private:
    QVariant text(int column) const;

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    bool m_ok = true;
    int m_rc = 0;
    // Texts lately read from each column, a few per column by a hash of the
    // bytes: a repeated value (the same key, unit or day on many records)
    // shares one copy instead of taking a new one.
    static constexpr int kTextSlots = 16;
    mutable std::vector<QString> m_texts;
};

// The statements of one connection by their text, prepared on first use and
// kept until clear() (which must run before the connection closes).
class StatementCache
{
public:
    explicit StatementCache(int capacity) : m_capacity(capacity) {}

    // The statement, or null when it does not compile (`error` says why,
    // `code` gets the engine's result code when given).
    SqlStatement *get(sqlite3 *db, const QString &sql, QString *error, int *code = nullptr);
    void clear() { m_statements.clear(); }

private:
    int m_capacity;
    QHash<QString, std::shared_ptr<SqlStatement>> m_statements;
};

} // namespace vardex
