#pragma once

#include "base/Result.h"
#include "tables/PostError.h"
#include "tables/RowReader.h"
#include "tables/TableFile.h"
#include "tables/TableSchema.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QTime>
#include <QVariant>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace vardex {

enum class TableState { Inactive, Browse, Edit, Insert };

// A record id that survives changes of order and filter.
using Bookmark = qint64;

// A cursor over one table file: opens (creating the file when missing),
// moves through the records in the current order under the current filter,
// and edits, inserts and deletes records. Navigation reads only a few
// records around the current one, so tables of millions of records move as
// fast as small ones.
//
// Failures are returned as false with errorCode()/errorMessage(); a failed
// open or post leaves a Czech message that the caller shows. A read that
// fails (a damaged page, a disk error) is never taken for the end of the
// table: the move returns false, readFailed() tells it from the end, and
// readError() is signalled for the windows.
class Table : public QObject
{
    Q_OBJECT
public:
    // `directory` is the working directory the file lives in.
    Table(TableSchema schema, const QString &directory, QObject *parent = nullptr);
    ~Table() override;

    const TableSchema &schema() const { return m_schema; }
    QString filePath() const { return m_file.path(); }
    bool fileExists() const;

    // Exclusive use (needed for addIndex/deleteIndex); set before open.
    void setExclusive(bool exclusive) { m_exclusive = exclusive; }
    bool exclusive() const { return m_exclusive; }

    bool open();
    void close();
    bool isOpen() const { return m_state != TableState::Inactive; }
    TableState state() const { return m_state; }
    // Deletes every record.
    bool empty();
    // The engine's check of the whole file; a damaged one gives its findings.
    Result<void> checkIntegrity();
    // Reads the current record again and forgets what was read ahead, e.g.
    // after another cursor changed the file.
    void refresh();

    int errorCode() const { return m_errorCode; }
    QString errorMessage() const { return m_errorMessage; }
    Failure failure() const { return Failure{m_errorMessage, m_errorCode}; }

    // --- navigation
    // A move that cannot read returns false with the reason in
    // errorMessage() and readFailed() set until the next move; first() and
    // next() then also set eof(), last() and prior() bof(), so that a walk
    // over the table ends there and must ask readFailed():
    //
    //   for (t.first(); !t.eof(); t.next()) ...
    //   if (t.readFailed()) ... report t.errorMessage()
    bool first();
    bool last();
    bool next();
    bool prior();
    int moveBy(int distance);
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return m_pos < 0; }
    bool readFailed() const { return m_readFailed; }
    // The number of records under the current filter, or why it could not
    // be counted.
    Result<qint64> countRecords();
    // The same as a plain number: 0 when it could not be counted (then
    // readFailed() and errorMessage() say why) or when the table is closed.
    qint64 recordCount();
    // 1-based number of the current record in the current order and
    // filter; 0 when there is none or it could not be counted.
    qint64 recNo();
    Bookmark bookmark() const { return m_pos < 0 ? 0 : current().id; }
    bool gotoBookmark(Bookmark id);

    // --- order
    // Orders by a named index of the schema ("" = primary index, or the
    // order of insertion when there is none).
    bool setIndex(const QString &name);
    QString indexName() const { return m_indexName; }
    // Orders by fields such as "JMENO;OSCIS"; text takes the collation of a
    // schema index over these fields, else the case-sensitive Czech order.
    bool setOrderFields(const QString &fields);
    QString orderFields() const;
    // Goes to the record whose leading order fields equal `key`; stays put
    // and returns false when there is none.
    bool findKey(const QVariantList &key);
    // Goes to the first record at or after `key` in the current order, or to
    // the last record when every record sorts before it.
    bool findNearest(const QVariantList &key);

    // --- filter
    // Sets the filter text; a malformed text, or one the engine cannot run
    // (e.g. nested too deep), returns false, leaves the table unfiltered
    // and keeps the reason in filterError().
    bool setFilterText(const QString &text);
    QString filterText() const { return m_filterText; }
    QString filterError() const { return m_filterError; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }

    // --- run-time indexes (the table must be open exclusively)
    bool addIndex(const IndexDef &index);
    bool deleteIndex(const QString &name);

    // --- transactions: posts inside one are kept only by commit()
    bool beginTransaction();
    // A commit that fails rolls back: the table stays usable and keeps what
    // it held before the transaction; errorMessage() says why.
    bool commit();
    bool rollback();
    bool inTransaction() const { return m_inTransaction; }

    // --- memos: small named values kept in the table's file beside its
    // records; written inside a transaction, they are kept or dropped
    // together with the records posted in it (TableUpkeep.cpp)
    // The value, empty when none was ever set.
    Result<QByteArray> memo(const QString &name);
    Result<void> setMemo(const QString &name, const QByteArray &value);

    // --- editing
    bool insert();
    bool append() { return insert(); }
    bool edit();
    bool post();
    void cancel();
    // Deletes the current record and moves to the next (or the previous).
    bool remove();

    // --- fields of the current record (or of the record being edited)
    QVariant value(const QString &field) const; // as FieldValue::fromStorage
    bool isNull(const QString &field) const;
    QString asString(const QString &field) const;
    int asInt(const QString &field) const;
    double asDouble(const QString &field) const;
    QDate asDate(const QString &field) const;
    QTime asTime(const QString &field) const;
    QDateTime asDateTime(const QString &field) const;
    bool asBool(const QString &field) const;
    QByteArray asBytes(const QString &field) const;

    // Setters work only in Edit or Insert state.
    bool setValue(const QString &field, const QVariant &value);
    bool setString(const QString &field, const QString &v) { return setValue(field, v); }
    bool setInt(const QString &field, int v) { return setValue(field, v); }
    bool setDouble(const QString &field, double v) { return setValue(field, v); }
    bool setDate(const QString &field, const QDate &v) { return setValue(field, v); }
    bool setTime(const QString &field, const QTime &v) { return setValue(field, v); }
    bool setDateTime(const QString &field, const QDateTime &v) { return setValue(field, v); }
    bool setBool(const QString &field, bool v) { return setValue(field, v); }
    bool setBytes(const QString &field, const QByteArray &v) { return setValue(field, v); }
    bool setNull(const QString &field) { return setValue(field, QVariant()); }
    // Stores a typed text (dates "dd.mm.yyyy", times "hh:mm").
    bool setText(const QString &field, const QString &text);

    // Stored values of the current record (or edit buffer), schema order.
    const QVariantList &storedValues() const;

    // --- handlers; a before-handler returning false stops the operation
    std::function<bool(Table &)> beforeOpen;
    std::function<bool(Table &)> beforeInsert;
    std::function<bool(Table &)> beforeEdit;
    std::function<bool(Table &)> beforePost;
    std::function<void(Table &)> afterInsert;
    std::function<PostErrorAction(Table &, int code, const QString &message)> onPostError;

    // The reader of the current order and filter (for grids).
    RowReader &reader() { return *m_reader; }
    // Records a read of reader() that failed, as a failed move does (error,
    // readFailed(), readError()); returns false.
    bool failRead(const Failure &failure);

signals:
    // Records, order or filter changed: views reload what they show.
    void contentChanged();
    // A read failed: what is shown may be incomplete, and why.
    void readError(const QString &message);

private:
    void setError(int code, const QString &message);
    void clearError() { setError(0, {}); }
    bool requireOpen();
    // Posts a pending edit first, as every move does.
    bool checkBrowseMode();
    // The start of every move: forgets an earlier read failure.
    bool beginMove();
    // An engine failure of a statement in the operator's words.
    void setEngineError(int code, const QString &engineText);
    QString keyViolationMessage(const QString &engineText) const;
    const Row &current() const { return m_window[size_t(m_pos)]; }
    QList<OrderColumn> orderForIndex(const QString &name, bool *ok) const;
    QList<OrderColumn> orderForFields(const QStringList &fields) const;
    void trimWindow();
    // Fills the window with rows read at a new position.
    void placeWindow(Rows rows, bool fromEnd);
    // How many records the next step past the window reads.
    int nextReadAhead();
    SqlStatement *writeStatement(const QString &sql);
    QString insertSql(const std::vector<bool> &columns);
    bool execSql(const QString &sql);
    int fieldIndex(const QString &field) const;
    const QVariant &stored(const QString &field) const;
    void applyOrder(QList<OrderColumn> order);
    void applyFilter();
    // Keeps the current record if it still qualifies, else goes first.
    void reposition();
    void setCurrent(std::optional<Row> row);
    bool failPost(int code, const QString &message);
    // Writes the edit buffer; `written` gets the values as written (with
    // counters filled in).
    bool writeRecord(QVariantList &written);

    TableSchema m_schema;
    TableFile m_file;
    std::unique_ptr<RowReader> m_reader;
    bool m_exclusive = false;
    TableState m_state = TableState::Inactive;
    int m_errorCode = 0;
    QString m_errorMessage;

    // Navigation: a read-ahead window of consecutive records in the current
    // order, holding the current one.
    std::deque<Row> m_window;
    int m_pos = -1;
    bool m_eof = true;
    bool m_bof = true;
    bool m_readFailed = false;
    std::optional<qint64> m_count;
    std::optional<qint64> m_recNo;

    QString m_indexName;
    QStringList m_orderFieldList; // set when ordered by fields, not by an index
    StatementCache m_writeStatements{32};
    QHash<quint64, QString> m_insertSql; // by the set of columns written
    int m_readAhead = 0;                 // grows while the cursor keeps walking one way
    QList<OrderColumn> m_order;
    QString m_filterText;
    QString m_filterError;
    QString m_filterWhere;
    QVariantList m_filterParams;
    bool m_filtered = false;
    bool m_inTransaction = false;

    // The record being edited or inserted.
    QVariantList m_buffer;
    std::vector<bool> m_modified;
    qint64 m_editId = 0;
};

} // namespace vardex
