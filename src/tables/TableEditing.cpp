// Editing side of the cursor: edit and insert buffers, post with its error
// handling, delete, and field access.
#include "tables/FieldValue.h"
#include "tables/Table.h"

#include <sqlite3.h>

namespace vardex {

namespace {

const QVariant kNull;
const QVariantList kNoValues;

} // namespace

int Table::fieldIndex(const QString &field) const
{
    const int i = m_schema.fieldIndex(field);
    Q_ASSERT_X(i >= 0, "Table", qPrintable(QStringLiteral("unknown field ") + field));
    return i;
}

const QVariantList &Table::storedValues() const
{
    if (m_state == TableState::Edit || m_state == TableState::Insert)
        return m_buffer;
    return m_pos < 0 ? kNoValues : current().values;
}

const QVariant &Table::stored(const QString &field) const
{
    const int i = fieldIndex(field);
    const QVariantList &values = storedValues();
    return i < 0 || i >= values.size() ? kNull : values[i];
}

QVariant Table::value(const QString &field) const
{
    const int i = fieldIndex(field);
    return i < 0 ? QVariant() : FieldValue::fromStorage(m_schema.fields[i], stored(field));
}

bool Table::isNull(const QString &field) const
{
    const QVariant &v = stored(field);
    return !v.isValid() || v.isNull();
}

QString Table::asString(const QString &field) const
{
    const int i = fieldIndex(field);
    return i < 0 ? QString() : FieldValue::toText(m_schema.fields[i], stored(field));
}

int Table::asInt(const QString &field) const
{
    return value(field).toInt();
}

double Table::asDouble(const QString &field) const
{
    return value(field).toDouble();
}

QDate Table::asDate(const QString &field) const
{
    return value(field).toDate();
}

QTime Table::asTime(const QString &field) const
{
    return value(field).toTime();
}

QDateTime Table::asDateTime(const QString &field) const
{
    return value(field).toDateTime();
}

bool Table::asBool(const QString &field) const
{
    return value(field).toBool();
}

QByteArray Table::asBytes(const QString &field) const
{
    return value(field).toByteArray();
}

bool Table::setValue(const QString &field, const QVariant &value)
{
    const int i = fieldIndex(field);
    if (i < 0)
        return false;
    if (m_state != TableState::Edit && m_state != TableState::Insert) {
        setError(PostError::EngineError,
                 QStringLiteral("Tabulka %1 není v režimu úprav").arg(m_schema.file()));
        return false;
    }
    m_buffer[i] = FieldValue::toStorage(m_schema.fields[i], value);
    m_modified[size_t(i)] = true;
    return true;
}

bool Table::setText(const QString &field, const QString &text)
{
    const int i = fieldIndex(field);
    return i >= 0 &&
           setValue(field, FieldValue::fromStorage(m_schema.fields[i],
                                                   FieldValue::fromText(m_schema.fields[i], text)));
}

// --- states

bool Table::insert()
{
    if (!checkBrowseMode())
        return false;
    clearError();
    if (beforeInsert && !beforeInsert(*this))
        return false;
    m_buffer = QVariantList(m_schema.fields.size());
    m_modified.assign(size_t(m_schema.fields.size()), false);
    m_editId = 0;
    m_state = TableState::Insert;
    if (afterInsert)
        afterInsert(*this);
    return true;
}

bool Table::edit()
{
    if (m_state == TableState::Edit || m_state == TableState::Insert)
        return true;
    if (!requireOpen())
        return false;
    clearError();
    if (m_pos < 0)
        return insert();
    if (beforeEdit && !beforeEdit(*this))
        return false;
    // Edits start from the record as it is in the file now.
    m_readFailed = false;
    Result<std::optional<Row>> read = m_reader->byId(current().id, false);
    if (!read)
        return failRead(read.failure());
    std::optional<Row> &fresh = *read;
    if (!fresh) {
        setError(PostError::EngineError,
                 QStringLiteral("Záznam tabulky %1 byl mezitím smazán").arg(m_schema.file()));
        refresh();
        return false;
    }
    m_buffer = fresh->values;
    m_modified.assign(size_t(m_schema.fields.size()), false);
    m_editId = fresh->id;
    m_state = TableState::Edit;
    return true;
}

void Table::cancel()
{
    if (m_state != TableState::Edit && m_state != TableState::Insert)
        return;
    m_state = TableState::Browse;
    m_buffer.clear();
    m_modified.clear();
}

QString Table::keyViolationMessage(const QString &engineText) const
{
    // The engine names the columns ("UNIQUE constraint failed: T.A, T.B");
    // the operator is told the index they make and the value it already has.
    QStringList columns;
    for (const QString &c : engineText.section(QStringLiteral(": "), 1).split(QStringLiteral(", ")))
        columns << c.section(QLatin1Char('.'), -1);
    const QString fields = columns.join(QLatin1Char(';'));
    for (const IndexDef &index : m_schema.indexes) {
        if ((!index.primary && !index.unique) ||
            index.fieldList().join(QLatin1Char(';')).compare(fields, Qt::CaseInsensitive) != 0)
            continue;
        QStringList values;
        for (const QString &f : index.fieldList()) {
            const int i = m_schema.fieldIndex(f);
            values << (i < 0 || i >= m_buffer.size()
                           ? QString()
                           : FieldValue::toText(m_schema.fields[i], m_buffer[i]));
        }
        const QString value = values.join(QStringLiteral("; "));
        return index.name.isEmpty()
                   ? QStringLiteral("Duplicitní hodnota v primárním indexu tabulky %1: %2")
                         .arg(m_schema.file(), value)
                   : QStringLiteral("Duplicitní hodnota v indexu %1 tabulky %2: %3")
                         .arg(index.name, m_schema.file(), value);
    }
    return QStringLiteral("Duplicitní hodnota v indexu tabulky %1: %2")
        .arg(m_schema.file(), engineText);
}

bool Table::failPost(int code, const QString &message)
{
    const PostErrorAction action =
        onPostError ? onPostError(*this, code, message) : PostErrorAction::Fail;
    if (action == PostErrorAction::Abort)
        clearError();
    else
        setError(code, message);
    return false;
}

SqlStatement *Table::writeStatement(const QString &sql)
{
    QString error;
    return m_writeStatements.get(m_file.handle(), sql, &error);
}

bool Table::post()
{
    if (m_state != TableState::Edit && m_state != TableState::Insert)
        return isOpen();
    clearError();
    if (beforePost && !beforePost(*this))
        return false;
    for (int i = 0; i < m_schema.fields.size(); ++i) {
        const FieldDef &f = m_schema.fields[i];
        if (f.required && f.type != FieldType::AutoInc &&
            (!m_buffer[i].isValid() || m_buffer[i].isNull()))
            return failPost(PostError::RequiredField,
                            QStringLiteral("Chybí povinný údaj: ") + f.name);
    }
    QVariantList written;
    if (!writeRecord(written)) {
        const int ext = m_file.lastErrorCode();
        const QString message = m_file.lastErrorMessage();
        if (ext == SQLITE_CONSTRAINT_UNIQUE || ext == SQLITE_CONSTRAINT_PRIMARYKEY)
            return failPost(PostError::KeyViolation, keyViolationMessage(message));
        if (ext == SQLITE_CONSTRAINT_NOTNULL)
            return failPost(PostError::RequiredField, QStringLiteral("Chybí povinný údaj: ") +
                                                          message.section(QLatin1Char('.'), -1));
        return failPost(PostError::EngineError, m_file.engineFailure(ext, message));
    }
    const bool wasInsert = m_state == TableState::Insert;
    const bool wasVisible = !wasInsert && m_pos >= 0 && current().id == m_editId;
    const qint64 id = m_editId;
    m_state = TableState::Browse;
    m_buffer.clear();
    m_modified.clear();

    // The record is stored; a failure to read around it afterwards is
    // told like any failed read, and the post still counts.
    m_readFailed = false;
    std::optional<Row> row;
    if (wasInsert && !m_reader->filtered()) {
        // A new record is exactly what was written: no need to read it back.
        Row inserted{id, {}};
        inserted.values.reserve(written.size());
        for (int i = 0; i < written.size(); ++i)
            inserted.values << (i == m_file.rowIdField() ? QVariant(id)
                                                         : SqlStatement::storedForm(written[i]));
        row = std::move(inserted);
    } else if (Result<std::optional<Row>> read = m_reader->byId(id, true)) {
        row = std::move(*read);
    } else {
        failRead(read.failure());
    }
    if (m_readFailed) {
        m_count.reset();
    } else if (m_count) {
        if (wasInsert && row)
            ++*m_count;
        else if (wasVisible && !row)
            --*m_count;
        else if (!wasInsert && !wasVisible)
            m_count.reset();
    }
    if (!row && !m_readFailed) {
        // The record left the filter: stay where it would have been.
        Result<std::optional<Row>> unfiltered = m_reader->byId(id, false);
        Result<Rows> near = Rows();
        if (unfiltered && *unfiltered) {
            near = m_reader->after(**unfiltered, 1);
            if (near && near->empty())
                near = m_reader->before(**unfiltered, 1);
        }
        if (!unfiltered)
            failRead(unfiltered.failure());
        else if (!near)
            failRead(near.failure());
        else if (!near->empty())
            row = std::move(near->front());
    }
    setCurrent(std::move(row));
    emit contentChanged();
    return true;
}

QString Table::insertSql(const std::vector<bool> &columns)
{
    QStringList names;
    for (int i = 0; i < m_schema.fields.size(); ++i)
        if (columns[size_t(i)])
            names << TableFile::quote(m_schema.fields[i].name);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(TableFile::quote(m_file.tableName()), names.join(QStringLiteral(", ")),
             QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
}

bool Table::writeRecord(QVariantList &written)
{
    const QString table = TableFile::quote(m_file.tableName());
    written = m_buffer;
    if (m_state == TableState::Insert) {
        std::vector<bool> columns(size_t(m_schema.fields.size()), true);
        for (int i = 0; i < m_schema.fields.size(); ++i) {
            const FieldDef &f = m_schema.fields[i];
            if (f.type != FieldType::AutoInc || written[i].isValid())
                continue;
            if (i == m_file.rowIdField()) {
                columns[size_t(i)] = false; // the engine numbers it
                continue;
            }
            // Other counters continue after the highest value so far.
            SqlStatement *q = writeStatement(QStringLiteral("SELECT ifnull(max(%1), 0) + 1 FROM %2")
                                                 .arg(TableFile::quote(f.name), table));
            if (!q)
                return false;
            const bool ok = q->step();
            if (ok)
                written[i] = q->value(0);
            q->reset();
            if (!ok)
                return false;
        }
        // The statement text is kept per set of columns, made only once.
        quint64 shape = 0;
        for (size_t i = 0; i < columns.size() && i < 64; ++i)
            shape |= quint64(columns[i]) << i;
        auto it = m_insertSql.constFind(shape);
        if (it == m_insertSql.constEnd())
            it = m_insertSql.insert(shape, insertSql(columns));
        SqlStatement *q = writeStatement(*it);
        if (!q)
            return false;
        int param = 0;
        for (int i = 0; i < written.size(); ++i)
            if (columns[size_t(i)])
                q->bind(param++, written[i]);
        q->step();
        const bool ok = q->succeeded();
        if (ok)
            m_editId = sqlite3_last_insert_rowid(m_file.handle());
        q->reset();
        return ok;
    }
    QStringList columns;
    QVariantList params;
    for (int i = 0; i < m_schema.fields.size(); ++i) {
        if (m_modified[size_t(i)]) {
            columns << TableFile::quote(m_schema.fields[i].name) + QStringLiteral(" = ?");
            params << m_buffer[i];
        }
    }
    if (columns.isEmpty())
        return true;
    SqlStatement *q = writeStatement(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                         .arg(table, columns.join(QStringLiteral(", "))));
    if (!q)
        return false;
    params << m_editId;
    q->bindAll(params);
    q->step();
    const bool ok = q->succeeded();
    q->reset();
    return ok;
}

bool Table::remove()
{
    if (m_state == TableState::Insert) {
        cancel();
        return true;
    }
    cancel();
    if (!requireOpen())
        return false;
    clearError();
    if (m_pos < 0) {
        setError(PostError::EngineError,
                 QStringLiteral("Tabulka %1 je prázdná").arg(m_schema.file()));
        return false;
    }
    const Row gone = current();
    SqlStatement *q = writeStatement(
        QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(TableFile::quote(m_file.tableName())));
    if (!q) {
        setEngineError(m_file.lastErrorCode(), m_file.lastErrorMessage());
        return false;
    }
    q->bind(0, gone.id);
    q->step();
    if (!q->succeeded()) {
        setEngineError(q->errorCode(), q->errorMessage());
        q->reset();
        return false;
    }
    q->reset();
    // The record is gone; a failure to read its neighbours is told like
    // any failed read, and the delete still counts.
    m_readFailed = false;
    const std::optional<qint64> recNo = m_recNo;
    Result<Rows> next = m_reader->after(gone, 1);
    bool atEnd = false;
    if (next && next->empty()) {
        next = m_reader->before(gone, 1);
        atEnd = true;
    }
    if (!next)
        failRead(next.failure());
    setCurrent(!next || next->empty() ? std::nullopt
                                      : std::optional<Row>(std::move(next->front())));
    if (m_pos >= 0) {
        m_eof = atEnd;
        if (recNo)
            m_recNo = atEnd ? *recNo - 1 : *recNo;
    }
    if (m_count)
        --*m_count;
    emit contentChanged();
    return true;
}

} // namespace vardex
