#include "tables/TableFile.h"

#include "tables/CzechCollation.h"
#include "tables/EngineMessage.h"
#include "tables/FieldValue.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <sqlite3.h>

namespace vardex {

namespace {

QString nextConnectionName(const QString &file)
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("vardex-table-%1-%2").arg(counter.fetchAndAddRelaxed(1)).arg(file);
}

} // namespace

TableFile::TableFile(const TableSchema &schema, const QString &directory)
    : m_schema(schema), m_path(QDir(directory).filePath(schema.file()))
{
}

TableFile::~TableFile()
{
    close();
}

QString TableFile::tableName() const
{
    return m_schema.baseName.isEmpty() ? QFileInfo(m_schema.file()).completeBaseName()
                                       : m_schema.baseName;
}

QString TableFile::quote(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

QString TableFile::fail(const QString &problem)
{
    return QStringLiteral("Tabulka %1 je poškozená: %2").arg(m_schema.file(), problem);
}

bool TableFile::open(bool exclusive, QString *error)
{
    if (m_open)
        return true;
    const QString &file = m_schema.file();
    switch (m_lock.acquire(m_path, exclusive)) {
    case TableLock::Result::Ok:
        break;
    case TableLock::Result::OtherProgram:
        *error = QStringLiteral("Tabulka %1 je používána jiným programem").arg(file);
        if (m_lock.holder() > 0)
            *error += QStringLiteral(" (proces %1)").arg(m_lock.holder());
        return false;
    case TableLock::Result::OtherCursor:
        *error = QStringLiteral("Tabulka %1 je již otevřena, nelze ji otevřít výhradně").arg(file);
        return false;
    case TableLock::Result::IoError:
        *error = systemMessage(file, m_lock.errorNumber(), m_lock.creating());
        return false;
    }

    const bool readOnly = m_lock.readOnly();
    m_connection = nextConnectionName(file);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
    m_db.setDatabaseName(m_path);
    if (readOnly) {
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        // No writer can change the file under the shared lock. Without a
        // write-ahead log beside it, the file holds everything and is read
        // as it stands, so that the engine needs no log files in a folder
        // it may not write to; a log left there is read with the file.
        if (QFileInfo(m_path + QStringLiteral("-wal")).size() == 0) {
            options += QStringLiteral(";QSQLITE_OPEN_URI");
            m_db.setDatabaseName(QUrl::fromLocalFile(m_path).toString(QUrl::FullyEncoded) +
                                 QStringLiteral("?immutable=1"));
        }
    }
    m_db.setConnectOptions(options);
    if (!m_db.open()) {
        *error = engineFailure(m_db.lastError().nativeErrorCode().toInt(),
                               m_db.lastError().databaseText());
        return abandon();
    }
    const QVariant h = m_db.driver()->handle();
    if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
        m_handle = *static_cast<sqlite3 *const *>(h.constData());
    if (!m_handle || !registerCzechCollations(m_handle)) {
        *error = QStringLiteral("Tabulku %1 nelze otevřít: chybí řazení").arg(file);
        return abandon();
    }
    // The first statement reads the file header: a damaged file or one
    // locked by another program shows here.
    QString problem;
    int code = 0;
    const bool set = readOnly
                         ? exec(QStringLiteral("PRAGMA busy_timeout=5000"), &problem, &code)
                         : exec(QStringLiteral("PRAGMA journal_mode=WAL"), &problem, &code) &&
                               exec(QStringLiteral("PRAGMA synchronous=FULL"), &problem, &code) &&
                               exec(QStringLiteral("PRAGMA busy_timeout=5000"), &problem, &code);
    if (!set) {
        *error = engineFailure(code, problem);
        return abandon();
    }

    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
        *error =
            engineFailure(q.lastError().nativeErrorCode().toInt(), q.lastError().databaseText());
        return abandon();
    }
    bool hasTable = false, hasAnyTable = false;
    while (q.next()) {
        const QString name = q.value(0).toString();
        if (name.startsWith(QLatin1String("sqlite_")))
            continue;
        hasAnyTable = true;
        hasTable = hasTable || name.compare(tableName(), Qt::CaseInsensitive) == 0;
    }
    q.finish();
    bool ok = true;
    if (!hasTable && !hasAnyTable && readOnly) // missing, and may not be made
        *error = QStringLiteral("Tabulku %1 nelze vytvořit, soubor je jen pro čtení").arg(file),
        ok = false;
    else if (!hasTable && !hasAnyTable) // missing (or left empty by an interrupted creation)
        ok = create(error);
    else if (!hasTable)
        *error = fail(QStringLiteral("chybí tabulka %1").arg(tableName())), ok = false;
    else
        ok = checkFields(error);
    if (!ok)
        return abandon();
    m_rowIdField = -1;
    for (int i = 0; i < m_schema.fields.size(); ++i)
        if (isRowIdField(i))
            m_rowIdField = i;
    m_open = true;
    return true;
}

bool TableFile::abandon()
{
    const bool created = m_lock.created();
    closeConnection();
    // Still under the lock: a file this open made is not left behind.
    if (created)
        for (const char *suffix : {"", "-wal", "-shm", "-journal"})
            QFile::remove(m_path + QLatin1String(suffix));
    m_lock.release();
    return false;
}

void TableFile::closeConnection()
{
    m_open = false;
    m_handle = nullptr;
    if (!m_connection.isEmpty()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        m_connection.clear();
    }
}

void TableFile::close()
{
    closeConnection();
    m_lock.release();
}

int TableFile::lastErrorCode() const
{
    return m_handle ? sqlite3_extended_errcode(m_handle) : SQLITE_ERROR;
}

QString TableFile::engineFailure(int code, const QString &engineText) const
{
    return engineMessage(m_schema.file(), code, engineText,
                         m_handle ? sqlite3_system_errno(m_handle) : 0);
}

QString TableFile::lastErrorMessage() const
{
    return m_handle ? QString::fromUtf8(sqlite3_errmsg(m_handle)) : QString();
}

bool TableFile::exec(const QString &sql, QString *error, int *code)
{
    QSqlQuery q(m_db);
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError().databaseText();
    if (code)
        *code = q.lastError().nativeErrorCode().toInt();
    return false;
}

bool TableFile::isRowIdField(int fieldIndex) const
{
    if (fieldIndex < 0 || fieldIndex >= m_schema.fields.size() ||
        m_schema.fields[fieldIndex].type != FieldType::AutoInc)
        return false;
    for (const IndexDef &index : m_schema.indexes) {
        if (!index.primary)
            continue;
        const QStringList f = index.fieldList();
        return f.size() == 1 &&
               f.first().compare(m_schema.fields[fieldIndex].name, Qt::CaseInsensitive) == 0;
    }
    return false;
}

QString TableFile::collationFor(const QString &field, bool caseInsensitive) const
{
    const FieldDef *f = m_schema.field(field);
    if (!f || f->type != FieldType::String)
        return {};
    return QString::fromLatin1(caseInsensitive ? kCzechNoCaseCollation : kCzechCollation);
}

QString TableFile::indexName(const IndexDef &index) const
{
    return index.name.isEmpty() ? tableName() + QStringLiteral("_PK") : index.name;
}

QString TableFile::createIndexSql(const IndexDef &index) const
{
    QStringList columns;
    for (const QString &field : index.fieldList()) {
        QString column = quote(field);
        const QString collation = collationFor(field, index.caseInsensitive);
        if (!collation.isEmpty())
            column += QStringLiteral(" COLLATE ") + collation;
        columns << column;
    }
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(index.primary || index.unique ? QStringLiteral("UNIQUE ") : QString(),
             quote(indexName(index)), quote(tableName()), columns.join(QStringLiteral(", ")));
}

bool TableFile::create(QString *error)
{
    QStringList columns;
    for (int i = 0; i < m_schema.fields.size(); ++i) {
        const FieldDef &f = m_schema.fields[i];
        QString column = quote(f.name) + QLatin1Char(' ') + FieldValue::sqlType(f);
        if (isRowIdField(i))
            column += QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
        else if (f.required)
            column += QStringLiteral(" NOT NULL");
        columns << column;
    }
    QString problem;
    int code = 0;
    bool ok = exec(QStringLiteral("BEGIN IMMEDIATE"), &problem, &code) &&
              exec(QStringLiteral("CREATE TABLE %1 (%2)")
                       .arg(quote(tableName()), columns.join(QStringLiteral(", "))),
                   &problem, &code);
    for (const IndexDef &index : m_schema.indexes)
        ok = ok && exec(createIndexSql(index), &problem, &code);
    ok = ok && exec(QStringLiteral("COMMIT"), &problem, &code);
    if (!ok) {
        exec(QStringLiteral("ROLLBACK"), nullptr);
        *error = engineFailure(code, problem);
    }
    return ok;
}

bool TableFile::checkFields(QString *error)
{
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quote(tableName())))) {
        *error =
            engineFailure(q.lastError().nativeErrorCode().toInt(), q.lastError().databaseText());
        return false;
    }
    QSet<QString> present;
    while (q.next())
        present.insert(q.value(1).toString().toUpper());
    for (const FieldDef &f : m_schema.fields) {
        if (!present.contains(f.name.toUpper())) {
            *error = QStringLiteral("Tabulce %1 chybí položka %2").arg(m_schema.file(), f.name);
            return false;
        }
    }
    return true;
}

Result<void> TableFile::checkIntegrity()
{
    QSqlQuery q(m_db);
    if (!q.exec(QStringLiteral("PRAGMA integrity_check")))
        return Failure{
            engineFailure(q.lastError().nativeErrorCode().toInt(), q.lastError().databaseText())};
    QStringList findings;
    while (q.next())
        findings << q.value(0).toString();
    if (findings == QStringList{QStringLiteral("ok")})
        return {};
    return Failure{fail(findings.join(QStringLiteral("; ")))};
}

bool TableFile::addIndex(const IndexDef &index, QString *error)
{
    if (index.name.isEmpty() || index.primary) {
        *error = QStringLiteral("Index musí mít jméno a nesmí být primární");
        return false;
    }
    for (const QString &field : index.fieldList()) {
        if (!m_schema.field(field)) {
            *error = QStringLiteral("Tabulka %1 nemá položku %2").arg(m_schema.file(), field);
            return false;
        }
    }
    QString problem;
    if (!exec(createIndexSql(index), &problem)) {
        *error = QStringLiteral("Index %1 nelze vytvořit: %2").arg(index.name, problem);
        return false;
    }
    return true;
}

bool TableFile::deleteIndex(const QString &name, QString *error)
{
    QString problem;
    if (!exec(QStringLiteral("DROP INDEX %1").arg(quote(name)), &problem)) {
        *error = QStringLiteral("Index %1 nelze zrušit: %2").arg(name, problem);
        return false;
    }
    return true;
}

} // namespace vardex
