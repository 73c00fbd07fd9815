#include "tables/SqlStatement.h"

#include <sqlite3.h>

namespace vardex {

namespace {

// A value the engine binds as NULL: nothing, or a null text or byte block.
bool bindsNull(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return true;
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString().isNull();
    case QMetaType::QByteArray:
        return value.toByteArray().isNull();
    default:
        return false;
    }
}

} // namespace

SqlStatement::SqlStatement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    m_rc = sqlite3_prepare_v3(db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                              &m_stmt, nullptr);
    if (m_rc != SQLITE_OK) {
        m_rc = sqlite3_extended_errcode(db);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        m_ok = false;
    }
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_stmt);
}

QString SqlStatement::errorMessage() const
{
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

void SqlStatement::bind(int i, const QVariant &value)
{
    const int n = i + 1;
    if (bindsNull(value)) {
        sqlite3_bind_null(m_stmt, n);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::QByteArray: {
        const QByteArray b = value.toByteArray();
        sqlite3_bind_blob(m_stmt, n, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        return;
    }
    case QMetaType::Int:
    case QMetaType::Bool:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        sqlite3_bind_int64(m_stmt, n, value.toLongLong());
        return;
    case QMetaType::Double:
        sqlite3_bind_double(m_stmt, n, value.toDouble());
        return;
    default: {
        const QString s = value.toString();
        sqlite3_bind_text16(m_stmt, n, s.utf16(), int(s.size() * sizeof(char16_t)),
                            SQLITE_TRANSIENT);
        return;
    }
    }
}

void SqlStatement::bindAll(const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i, values[i]);
}

bool SqlStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    m_ok = rc == SQLITE_DONE;
    m_rc = m_ok ? SQLITE_OK : sqlite3_extended_errcode(m_db);
    return false;
}

void SqlStatement::reset()
{
    sqlite3_reset(m_stmt);
    m_ok = true;
    m_rc = SQLITE_OK;
}

int SqlStatement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

qint64 SqlStatement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

QVariant SqlStatement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, column)),
                                   sqlite3_column_bytes(m_stmt, column)));
    default:
        return text(column);
    }
}

QVariant SqlStatement::text(int column) const
{
    const auto *bytes =
        reinterpret_cast<const unsigned char *>(sqlite3_column_text(m_stmt, column));
    const int size = sqlite3_column_bytes(m_stmt, column);
    if (m_texts.empty())
        m_texts.resize(size_t(sqlite3_column_count(m_stmt)) * kTextSlots);
    quint32 hash = 2166136261u;
    for (int i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    QString &slot = m_texts[size_t(column) * kTextSlots + (hash % kTextSlots)];
    bool same = slot.size() == size && !slot.isNull();
    for (int i = 0; same && i < size; ++i)
        same = bytes[i] < 0x80 && slot.at(i).unicode() == bytes[i];
    if (!same) {
        // An empty text stays a text (not null), so that it binds as ''.
        slot = size == 0 ? QStringLiteral("")
                         : QString::fromUtf8(reinterpret_cast<const char *>(bytes), size);
    }
    return QVariant(slot);
}

QVariant SqlStatement::storedForm(const QVariant &value)
{
    if (bindsNull(value))
        return {};
    switch (value.typeId()) {
    case QMetaType::QByteArray:
    case QMetaType::Double:
    case QMetaType::QString:
        return value;
    case QMetaType::Int:
    case QMetaType::Bool:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return QVariant(value.toLongLong());
    default:
        return QVariant(value.toString());
    }
}

SqlStatement *StatementCache::get(sqlite3 *db, const QString &sql, QString *error, int *code)
{
    auto it = m_statements.constFind(sql);
    if (it != m_statements.constEnd())
        return it->get();
    auto statement = std::make_shared<SqlStatement>(db, sql);
    if (!statement->isValid()) {
        *error = statement->errorMessage();
        if (code)
            *code = statement->errorCode();
        return nullptr;
    }
    if (m_statements.size() >= m_capacity)
        m_statements.clear();
    return m_statements.insert(sql, std::move(statement))->get();
}

} // namespace vardex
