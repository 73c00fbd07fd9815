#pragma once

#include "base/Result.h"
#include "tables/TableLock.h"
#include "tables/TableSchema.h"

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

namespace vardex {

// One table file on disk and the database connection to it: creates a
// missing file with the table's fields and indexes, opens an existing one
// (checking only that every field is there), sets up the connection (Czech
// collations, write-ahead log, full sync, busy time-out) and keeps other
// programs away while it is open.
class TableFile
{
public:
    // The schema must outlive this object (the cursor owns both).
    TableFile(const TableSchema &schema, const QString &directory);
    ~TableFile();
    TableFile(const TableFile &) = delete;
    TableFile &operator=(const TableFile &) = delete;

    QString path() const { return m_path; }
    // Name of the table inside the file.
    QString tableName() const;

    // Opens (and creates when missing); on failure returns false with a
    // Czech message naming the file and what happened (damaged, read-only,
    // disk full, used by another program…), and leaves no file it created.
    // A file this program may only read is opened for reading.
    bool open(bool exclusive, QString *error);
    void close();
    bool isOpen() const { return m_open; }
    bool readOnly() const { return m_open && m_lock.readOnly(); }
    // True while no other cursor of this program has the file open.
    bool sole() const { return m_lock.sole(); }

    QSqlDatabase db() const { return m_db; }
    sqlite3 *handle() const { return m_handle; }
    // The engine's extended result code of the last failed statement.
    int lastErrorCode() const;
    QString lastErrorMessage() const;
    // An engine failure of this file in the operator's words (see
    // engineMessage()).
    QString engineFailure(int code, const QString &engineText) const;

    // The engine's own check of the whole file (pages, records, indexes);
    // on damage, a Czech message naming the file and the engine's findings.
    Result<void> checkIntegrity();

    bool addIndex(const IndexDef &index, QString *error);
    bool deleteIndex(const QString &name, QString *error);

    // SQL of one column and of one index, as they are created.
    static QString quote(const QString &name);
    QString indexName(const IndexDef &index) const;
    QString createIndexSql(const IndexDef &index) const;
    // The collation a text field takes in an index ("" for other types).
    QString collationFor(const QString &field, bool caseInsensitive) const;
    // True when the field is kept as the rowid (an AutoInc that is the
    // whole primary key).
    bool isRowIdField(int fieldIndex) const;
    // The field kept as the row id, or -1 (known once the file is open).
    int rowIdField() const { return m_rowIdField; }

private:
    bool exec(const QString &sql, QString *error, int *code = nullptr);
    void closeConnection();
    // Closes after a failed open, removing the file when the open made it;
    // returns false.
    bool abandon();
    bool create(QString *error);
    bool checkFields(QString *error);
    QString fail(const QString &problem);

    const TableSchema &m_schema; // owned by the cursor, which outlives this
    QString m_path;
    QString m_connection;
    QSqlDatabase m_db;
    sqlite3 *m_handle = nullptr;
    TableLock m_lock;
    bool m_open = false;
    int m_rowIdField = -1;
};

} // namespace vardex
