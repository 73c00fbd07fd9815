// Upkeep of a table's file: memos, named byte values in a small side table
// of the same file, so that writing one joins the transaction of the
// table's records; and the engine's check of the whole file.
#include "tables/Table.h"

namespace vardex {

namespace {

const QString kMemoTable = QStringLiteral("VARDEX_MEMO");

} // namespace

Result<void> Table::checkIntegrity()
{
    if (!requireOpen())
        return Failure{m_errorMessage, m_errorCode};
    return m_file.checkIntegrity();
}

Result<QByteArray> Table::memo(const QString &name)
{
    if (!requireOpen())
        return Failure{m_errorMessage, m_errorCode};
    // The side table is made by the first memo written; until then there is
    // nothing to read, and a reading command must not need to write.
    SqlStatement *exists = writeStatement(
        QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = '%1'")
            .arg(kMemoTable));
    if (!exists)
        return Failure{m_file.engineFailure(m_file.lastErrorCode(), m_file.lastErrorMessage()),
                       PostError::EngineError};
    const bool stepped = exists->step();
    const bool present = stepped && exists->integer(0) > 0;
    const QString existsError =
        stepped ? QString() : m_file.engineFailure(exists->errorCode(), exists->errorMessage());
    exists->reset();
    if (!stepped)
        return Failure{existsError, PostError::EngineError};
    if (!present)
        return QByteArray();

    SqlStatement *q = writeStatement(
        QStringLiteral("SELECT VALUE FROM %1 WHERE NAME = ?").arg(TableFile::quote(kMemoTable)));
    if (!q)
        return Failure{m_file.engineFailure(m_file.lastErrorCode(), m_file.lastErrorMessage()),
                       PostError::EngineError};
    q->bind(0, name);
    QByteArray value;
    if (q->step())
        value = q->value(0).toByteArray();
    const bool ok = q->succeeded();
    const QString error = ok ? QString() : m_file.engineFailure(q->errorCode(), q->errorMessage());
    q->reset();
    if (!ok)
        return Failure{error, PostError::EngineError};
    return value;
}

Result<void> Table::setMemo(const QString &name, const QByteArray &value)
{
    if (!requireOpen())
        return Failure{m_errorMessage, m_errorCode};
    if (!execSql(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (NAME TEXT PRIMARY KEY, VALUE BLOB)")
                     .arg(TableFile::quote(kMemoTable))))
        return Failure{m_errorMessage, m_errorCode};
    SqlStatement *q = writeStatement(QStringLiteral("INSERT OR REPLACE INTO %1 (NAME, VALUE) "
                                                    "VALUES (?, ?)")
                                         .arg(TableFile::quote(kMemoTable)));
    if (!q)
        return Failure{m_file.engineFailure(m_file.lastErrorCode(), m_file.lastErrorMessage()),
                       PostError::EngineError};
    q->bind(0, name);
    // An empty value is kept as an empty block, not as a null.
    q->bind(1, value.isNull() ? QByteArray("", 0) : value);
    q->step();
    const bool ok = q->succeeded();
    const QString error = ok ? QString() : m_file.engineFailure(q->errorCode(), q->errorMessage());
    q->reset();
    if (!ok) {
        setError(PostError::EngineError, error);
        return Failure{error, PostError::EngineError};
    }
    return {};
}

} // namespace vardex
