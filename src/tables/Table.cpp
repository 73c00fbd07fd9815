#include "tables/Table.h"

#include "tables/FieldValue.h"
#include "tables/FilterExpression.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace vardex {

namespace {

// A move to a new position reads only the record it lands on; walking on
// from there reads ahead in growing steps, so that both a single look-up and
// a long walk cost little per record.
constexpr int kFirstReadAhead = 16;
constexpr int kMaxReadAhead = 128;
constexpr int kMaxWindow = 256; // records kept around the current one

} // namespace

Table::Table(TableSchema schema, const QString &directory, QObject *parent)
    : QObject(parent), m_schema(std::move(schema)), m_file(m_schema, directory)
{
}

Table::~Table()
{
    close();
}

bool Table::fileExists() const
{
    return QFileInfo::exists(m_file.path());
}

void Table::setError(int code, const QString &message)
{
    m_errorCode = code;
    m_errorMessage = message;
}

bool Table::requireOpen()
{
    if (isOpen())
        return true;
    setError(PostError::EngineError,
             QStringLiteral("Tabulka %1 není otevřena").arg(m_schema.file()));
    return false;
}

bool Table::checkBrowseMode()
{
    if (!requireOpen())
        return false;
    return m_state == TableState::Browse || post();
}

bool Table::beginMove()
{
    m_readFailed = false;
    return checkBrowseMode();
}

bool Table::failRead(const Failure &failure)
{
    m_readFailed = true;
    setError(failure.code ? failure.code : PostError::EngineError, failure.message);
    emit readError(failure.message);
    return false;
}

void Table::setEngineError(int code, const QString &engineText)
{
    setError(PostError::EngineError, m_file.engineFailure(code, engineText));
}

// --- open and close

bool Table::open()
{
    if (isOpen())
        return true;
    clearError();
    if (beforeOpen && !beforeOpen(*this))
        return false;
    QString error;
    if (!m_file.open(m_exclusive, &error)) {
        setError(PostError::EngineError, error);
        return false;
    }
    m_reader = std::make_unique<RowReader>(m_file, m_schema);
    m_state = TableState::Browse;
    bool ok = true;
    m_order = m_orderFieldList.isEmpty() ? orderForIndex(m_indexName, &ok)
                                         : orderForFields(m_orderFieldList);
    if (!ok) {
        m_indexName.clear();
        m_order = orderForIndex({}, &ok);
    }
    m_reader->setOrder(m_order);
    applyFilter();
    // A table whose first record cannot be read is not open.
    if (!first() && m_readFailed) {
        const Failure why = failure();
        close();
        setError(why.code, why.message);
        return false;
    }
    return true;
}

void Table::close()
{
    if (m_inTransaction)
        rollback();
    m_writeStatements.clear();
    m_reader.reset();
    m_file.close();
    m_state = TableState::Inactive;
    m_window.clear();
    m_pos = -1;
    m_eof = m_bof = true;
    m_count.reset();
    m_recNo.reset();
    m_buffer.clear();
}

bool Table::execSql(const QString &sql)
{
    QSqlQuery q(m_file.db());
    if (q.exec(sql))
        return true;
    setEngineError(q.lastError().nativeErrorCode().toInt(), q.lastError().databaseText());
    return false;
}

bool Table::empty()
{
    if (!checkBrowseMode())
        return false;
    if (!execSql(QStringLiteral("DELETE FROM ") + TableFile::quote(m_file.tableName())))
        return false;
    setCurrent(std::nullopt);
    m_count = 0;
    emit contentChanged();
    return true;
}

void Table::refresh()
{
    if (!isOpen())
        return;
    m_reader->reset();
    m_count.reset();
    reposition();
}

// --- navigation

void Table::setCurrent(std::optional<Row> row)
{
    m_window.clear();
    m_pos = -1;
    m_recNo.reset();
    m_readAhead = 0;
    if (row) {
        m_window.push_back(std::move(*row));
        m_pos = 0;
    }
    m_eof = m_bof = m_pos < 0;
}

void Table::trimWindow()
{
    while (int(m_window.size()) > kMaxWindow) {
        if (m_pos > int(m_window.size()) / 2) {
            m_window.pop_front();
            --m_pos;
        } else {
            m_window.pop_back();
        }
    }
}

void Table::placeWindow(Rows rows, bool fromEnd)
{
    if (fromEnd)
        m_window.assign(std::make_move_iterator(rows.rbegin()),
                        std::make_move_iterator(rows.rend()));
    else
        m_window.assign(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    m_readAhead = 0;
}

int Table::nextReadAhead()
{
    m_readAhead = m_readAhead == 0 ? kFirstReadAhead : qMin(m_readAhead * 2, kMaxReadAhead);
    return m_readAhead;
}

bool Table::first()
{
    if (!beginMove())
        return false;
    Result<Rows> rows = m_reader->first(1);
    if (!rows) {
        m_eof = true;
        return failRead(rows.failure());
    }
    placeWindow(std::move(*rows), false);
    m_pos = m_window.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_window.empty();
    m_recNo = m_window.empty() ? 0 : 1;
    return !m_window.empty();
}

bool Table::last()
{
    if (!beginMove())
        return false;
    Result<Rows> rows = m_reader->last(1);
    if (!rows) {
        m_bof = true;
        return failRead(rows.failure());
    }
    placeWindow(std::move(*rows), true);
    m_pos = int(m_window.size()) - 1;
    m_eof = true;
    m_bof = m_window.empty();
    m_recNo.reset();
    if (m_window.empty())
        m_recNo = 0;
    else if (m_count)
        m_recNo = *m_count;
    return !m_window.empty();
}

bool Table::next()
{
    if (!beginMove())
        return false;
    if (m_pos < 0) {
        m_eof = true;
        return false;
    }
    if (m_pos + 1 >= int(m_window.size())) {
        Result<Rows> rows = m_reader->after(m_window.back(), nextReadAhead());
        if (!rows || rows->empty()) {
            m_eof = true;
            return rows ? false : failRead(rows.failure());
        }
        for (Row &r : *rows)
            m_window.push_back(std::move(r));
    }
    ++m_pos;
    trimWindow();
    m_eof = m_bof = false;
    if (m_recNo)
        ++*m_recNo;
    return true;
}

bool Table::prior()
{
    if (!beginMove())
        return false;
    if (m_pos < 0) {
        m_bof = true;
        return false;
    }
    if (m_pos == 0) {
        Result<Rows> rows = m_reader->before(m_window.front(), nextReadAhead());
        if (!rows || rows->empty()) {
            m_bof = true;
            return rows ? false : failRead(rows.failure());
        }
        for (Row &r : *rows)
            m_window.push_front(std::move(r));
        m_pos += int(rows->size());
    }
    --m_pos;
    trimWindow();
    m_eof = m_bof = false;
    if (m_recNo)
        --*m_recNo;
    return true;
}

int Table::moveBy(int distance)
{
    int moved = 0;
    for (; distance > 0 && next(); --distance)
        ++moved;
    for (; distance < 0 && prior(); ++distance)
        --moved;
    return moved;
}

Result<qint64> Table::countRecords()
{
    m_readFailed = false;
    if (!requireOpen())
        return failure();
    if (!m_count) {
        Result<qint64> n = m_reader->count();
        if (!n) {
            failRead(n.failure());
            return n;
        }
        m_count = *n;
    }
    return *m_count;
}

qint64 Table::recordCount()
{
    if (!isOpen())
        return 0;
    return countRecords().valueOr(0);
}

qint64 Table::recNo()
{
    m_readFailed = false;
    if (!isOpen() || m_pos < 0)
        return 0;
    if (!m_recNo) {
        Result<qint64> before = m_reader->countBefore(current());
        if (!before) {
            failRead(before.failure());
            return 0;
        }
        m_recNo = *before + 1;
    }
    return *m_recNo;
}

bool Table::gotoBookmark(Bookmark id)
{
    if (!beginMove())
        return false;
    if (m_pos >= 0 && current().id == id)
        return true;
    Result<std::optional<Row>> row = m_reader->byId(id, true);
    if (!row)
        return failRead(row.failure());
    if (!*row)
        return false;
    setCurrent(std::move(*row));
    return true;
}

void Table::reposition()
{
    {
        RowReader::ReadScope scope(*m_reader);
        m_readFailed = false;
        Result<std::optional<Row>> row = std::optional<Row>();
        if (m_pos >= 0)
            row = m_reader->byId(current().id, true);
        if (!row) {
            m_eof = m_bof = true;
            failRead(row.failure());
        } else if (*row) {
            setCurrent(std::move(*row));
        } else {
            first();
        }
    }
    emit contentChanged();
}

// --- order

QList<OrderColumn> Table::orderForIndex(const QString &name, bool *ok) const
{
    *ok = true;
    for (const IndexDef &index : m_schema.indexes) {
        const bool match =
            name.isEmpty() ? index.primary : index.name.compare(name, Qt::CaseInsensitive) == 0;
        if (!match)
            continue;
        QList<OrderColumn> order;
        for (const QString &f : index.fieldList())
            order << OrderColumn{m_schema.fieldIndex(f),
                                 m_file.collationFor(f, index.caseInsensitive)};
        return order;
    }
    *ok = name.isEmpty();
    return {};
}

QList<OrderColumn> Table::orderForFields(const QStringList &fields) const
{
    const IndexDef *matching = nullptr;
    for (const IndexDef &index : m_schema.indexes) {
        if (index.fieldList()
                .join(QLatin1Char(';'))
                .compare(fields.join(QLatin1Char(';')), Qt::CaseInsensitive) == 0) {
            matching = &index;
            break;
        }
    }
    QList<OrderColumn> order;
    for (const QString &f : fields)
        order << OrderColumn{m_schema.fieldIndex(f),
                             m_file.collationFor(f, matching && matching->caseInsensitive)};
    return order;
}

void Table::applyOrder(QList<OrderColumn> order)
{
    m_order = std::move(order);
    if (!isOpen())
        return;
    m_reader->setOrder(m_order);
    reposition();
}

bool Table::setIndex(const QString &name)
{
    if (isOpen() && !checkBrowseMode())
        return false;
    bool ok = false;
    QList<OrderColumn> order = orderForIndex(name, &ok);
    if (!ok) {
        setError(PostError::EngineError,
                 QStringLiteral("Tabulka %1 nemá index %2").arg(m_schema.file(), name));
        return false;
    }
    m_indexName = name;
    m_orderFieldList.clear();
    applyOrder(std::move(order));
    return true;
}

bool Table::setOrderFields(const QString &fields)
{
    if (isOpen() && !checkBrowseMode())
        return false;
    const QStringList list = fields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &f : list) {
        if (m_schema.fieldIndex(f.trimmed()) < 0) {
            setError(PostError::EngineError,
                     QStringLiteral("Tabulka %1 nemá položku %2").arg(m_schema.file(), f));
            return false;
        }
    }
    if (list.isEmpty())
        return setIndex({});
    QStringList trimmed;
    for (const QString &f : list)
        trimmed << f.trimmed();
    m_indexName.clear();
    m_orderFieldList = trimmed;
    applyOrder(orderForFields(trimmed));
    return true;
}

QString Table::orderFields() const
{
    QStringList names;
    for (const OrderColumn &c : m_order)
        names << m_schema.fields[c.field].name;
    return names.join(QLatin1Char(';'));
}

bool Table::findKey(const QVariantList &key)
{
    if (!beginMove())
        return false;
    QVariantList stored;
    for (int i = 0; i < key.size() && i < m_order.size(); ++i)
        stored << FieldValue::toStorage(m_schema.fields[m_order[i].field], key[i]);
    Result<std::optional<Row>> row = m_reader->seek(stored, true);
    if (!row)
        return failRead(row.failure());
    if (!*row)
        return false;
    setCurrent(std::move(*row));
    return true;
}

bool Table::findNearest(const QVariantList &key)
{
    if (!beginMove())
        return false;
    QVariantList stored;
    for (int i = 0; i < key.size() && i < m_order.size(); ++i)
        stored << FieldValue::toStorage(m_schema.fields[m_order[i].field], key[i]);
    Result<std::optional<Row>> row = m_reader->seek(stored, false);
    if (!row)
        return failRead(row.failure());
    if (!*row)
        return last();
    setCurrent(std::move(*row));
    return true;
}

// --- filter

bool Table::setFilterText(const QString &text)
{
    if (isOpen() && !checkBrowseMode())
        return false;
    m_filterText = text;
    m_filterError.clear();
    m_filterWhere.clear();
    m_filterParams.clear();
    bool ok = true;
    if (!text.trimmed().isEmpty()) {
        const CompiledFilter compiled = compileFilter(text, m_schema);
        ok = compiled.ok;
        // Well formed is not enough: the engine must be able to run it.
        const Result<void> runnable =
            ok && m_reader ? m_reader->checkFilter(compiled.where) : Result<void>();
        if (!runnable) {
            ok = false;
            m_filterError = runnable.error();
        } else if (ok) {
            m_filterWhere = compiled.where;
            m_filterParams = compiled.params;
        } else {
            m_filterError = compiled.error;
        }
    }
    applyFilter();
    if (isOpen())
        reposition();
    return ok;
}

void Table::setFiltered(bool on)
{
    if (on == m_filtered || (isOpen() && !checkBrowseMode()))
        return;
    m_filtered = on;
    applyFilter();
    if (isOpen())
        reposition();
}

void Table::applyFilter()
{
    m_count.reset();
    m_recNo.reset();
    if (m_reader)
        m_reader->setFilter(m_filtered ? m_filterWhere : QString(),
                            m_filtered ? m_filterParams : QVariantList());
}

// --- run-time indexes

bool Table::addIndex(const IndexDef &index)
{
    if (!checkBrowseMode())
        return false;
    if (!m_exclusive || !m_file.sole()) {
        setError(PostError::EngineError,
                 QStringLiteral("Tabulka %1 není otevřena výhradně").arg(m_schema.file()));
        return false;
    }
    for (const IndexDef &existing : m_schema.indexes) {
        if (m_file.indexName(existing).compare(index.name, Qt::CaseInsensitive) == 0) {
            setError(PostError::EngineError,
                     QStringLiteral("Index %1 již existuje").arg(index.name));
            return false;
        }
    }
    QString error;
    m_reader->reset();
    if (!m_file.addIndex(index, &error)) {
        setError(PostError::EngineError, error);
        return false;
    }
    m_schema.indexes.append(index);
    return true;
}

bool Table::deleteIndex(const QString &name)
{
    if (!checkBrowseMode())
        return false;
    if (!m_exclusive || !m_file.sole()) {
        setError(PostError::EngineError,
                 QStringLiteral("Tabulka %1 není otevřena výhradně").arg(m_schema.file()));
        return false;
    }
    const auto it =
        std::find_if(m_schema.indexes.begin(), m_schema.indexes.end(), [&](const IndexDef &i) {
            return !i.primary && i.name.compare(name, Qt::CaseInsensitive) == 0;
        });
    if (it == m_schema.indexes.end()) {
        setError(PostError::EngineError,
                 QStringLiteral("Tabulka %1 nemá index %2").arg(m_schema.file(), name));
        return false;
    }
    QString error;
    m_reader->reset();
    if (!m_file.deleteIndex(it->name, &error)) {
        setError(PostError::EngineError, error);
        return false;
    }
    m_schema.indexes.erase(it);
    if (m_indexName.compare(name, Qt::CaseInsensitive) == 0)
        setIndex({});
    return true;
}

// --- transactions

bool Table::beginTransaction()
{
    if (!checkBrowseMode())
        return false;
    if (m_inTransaction) {
        setError(PostError::EngineError, QStringLiteral("Transakce již probíhá"));
        return false;
    }
    m_inTransaction = execSql(QStringLiteral("BEGIN IMMEDIATE"));
    return m_inTransaction;
}

bool Table::commit()
{
    if (!m_inTransaction)
        return false;
    if (execSql(QStringLiteral("COMMIT"))) {
        m_inTransaction = false;
        return true;
    }
    // A COMMIT the engine refuses (a full disk) may leave the transaction
    // open: undo it, so that the table holds what it held before and the
    // next transaction can begin. The commit's reason is what is reported.
    const int code = m_errorCode;
    const QString message = m_errorMessage;
    rollback();
    setError(code, message);
    return false;
}

bool Table::rollback()
{
    if (!m_inTransaction)
        return false;
    if (m_state != TableState::Browse)
        cancel();
    const bool ok = execSql(QStringLiteral("ROLLBACK"));
    m_inTransaction = false;
    refresh();
    return ok;
}

} // namespace vardex
