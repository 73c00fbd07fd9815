#include "accessdata/TableTextFile.h"

#include "tables/Table.h"
#include "tables/Transaction.h"
#include "text/FixedWidth.h"

#include <QFileInfo>
#include <QLocale>

namespace vardex {

namespace {

constexpr int kUnsizedTextWidth = 255;

QString notOpen(const Table &table)
{
    return QStringLiteral("Tabulka %1 není otevřena").arg(table.schema().file());
}

// The field of the current record as it goes into the file.
QString fieldText(const Table &table, const FieldDef &field)
{
    if (table.isNull(field.name))
        return {};
    switch (field.type) {
    case FieldType::Float:
        return QString::number(table.asDouble(field.name), 'g', QLocale::FloatingPointShortest);
    case FieldType::Bytes:
        return QString::fromLatin1(table.asBytes(field.name).toHex().toUpper());
    default:
        return table.asString(field.name);
    }
}

bool isHexText(const QString &text)
{
    if (text.size() % 2 != 0)
        return false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')))
            return false;
    }
    return true;
}

// Fills the record being inserted from the texts of one line; returns why a
// value could not be taken, empty when all were.
QString fillRecord(Table &table, const QStringList &texts)
{
    const QList<FieldDef> &fields = table.schema().fields;
    for (qsizetype i = 0; i < fields.size() && i < texts.size(); ++i) {
        const QString &text = texts[i];
        if (text.isEmpty())
            continue;
        const FieldDef &field = fields[i];
        const bool taken =
            field.type == FieldType::Bytes
                ? isHexText(text) &&
                      table.setBytes(field.name, QByteArray::fromHex(text.toLatin1()))
                : table.setText(field.name, text) && !table.isNull(field.name);
        if (!taken)
            return QStringLiteral("Chybná hodnota položky %1: %2").arg(field.name, text);
    }
    return {};
}

// Sets the table's post-error handler aside while it lives.
class PostErrorHandlerSwap
{
public:
    using Handler = decltype(Table::onPostError);

    PostErrorHandlerSwap(Table &table, Handler handler) : m_table(table), m_saved(table.onPostError)
    {
        m_table.onPostError = std::move(handler);
    }
    ~PostErrorHandlerSwap() { m_table.onPostError = m_saved; }
    PostErrorHandlerSwap(const PostErrorHandlerSwap &) = delete;
    PostErrorHandlerSwap &operator=(const PostErrorHandlerSwap &) = delete;

private:
    Table &m_table;
    Handler m_saved;
};

QString messageOr(const QString &message, const QString &fallback)
{
    return message.isEmpty() ? fallback : message;
}

} // namespace

int textFileWidth(const FieldDef &field)
{
    switch (field.type) {
    case FieldType::String:
        return field.size > 0 ? field.size : kUnsizedTextWidth;
    case FieldType::Integer:
    case FieldType::AutoInc:
        return 11;
    case FieldType::Float:
        return 24;
    case FieldType::Date:
        return 10;
    case FieldType::Time:
        return 8;
    case FieldType::DateTime:
        return 19;
    case FieldType::Boolean:
        return 5;
    case FieldType::Bytes:
        return 2 * qMax(field.size, 0);
    }
    return 0;
}

QString tableTextLine(const Table &table)
{
    QList<FixedWidthField> fields;
    for (const FieldDef &field : table.schema().fields)
        fields.append({fieldText(table, field), textFileWidth(field)});
    return buildFixedWidthLine(fields);
}

FileWritten exportTableText(Table &table, const QString &path)
{
    if (!table.isOpen())
        return {false, notOpen(table)};
    // A cursor of its own, in primary-index order and unfiltered, so that the
    // caller's cursor keeps its place, order and filter.
    Table records(table.schema(), QFileInfo(table.filePath()).absolutePath());
    if (!records.open())
        return {false, records.errorMessage()};
    LineFileWriter writer;
    if (!writer.open(path, LineFileWriter::Mode::Create))
        return {false, writer.errorString()};
    for (bool more = records.first(); more; more = records.next()) {
        if (!writer.writeLine(tableTextLine(records)))
            break;
    }
    if (records.readFailed()) // the unfinished file is dropped
        return {false, records.errorMessage()};
    if (!writer.close())
        return {false, writer.errorString()};
    return {true, {}};
}

TextImportResult importTableText(Table &table, const QString &path, bool emptyFirst,
                                 const TextImportHandlers &handlers, TextImportMode mode)
{
    TextImportResult result;
    if (!table.isOpen()) {
        result.error = notOpen(table);
        return result;
    }
    const LinesRead file = readLines(path);
    if (!file.ok) {
        result.error = file.error;
        return result;
    }
    QList<int> widths;
    for (const FieldDef &field : table.schema().fields)
        widths.append(textFileWidth(field));

    // Begins before the handler is set aside: a record the caller left in
    // edit state is posted here with the table's own error reporting.
    Transaction transaction(table);
    if (!transaction.active()) {
        result.error =
            messageOr(table.errorMessage(),
                      QStringLiteral("Tabulku %1 nelze upravit").arg(table.schema().file()));
        return result;
    }
    QString refusal;
    PostErrorHandlerSwap swap(table, [&refusal](Table &, int, const QString &message) {
        refusal = message;
        return PostErrorAction::Abort;
    });
    if (emptyFirst && !table.empty()) {
        result.error = table.errorMessage();
        return result;
    }

    auto skip = [&](int lineNo, const QString &line, const QString &message) {
        result.skipped.append({lineNo, line, message});
    };
    for (qsizetype i = 0; i < file.lines.size(); ++i) {
        const int lineNo = int(i + 1);
        const QString &line = file.lines[i];
        const std::optional<QStringList> texts = parseFixedWidthLine(line, widths);
        if (!texts) {
            if (handlers.badLine && !handlers.badLine(lineNo, line)) {
                result.stopped = true;
                break;
            }
            skip(lineNo, line, QStringLiteral("Chybná data: ") + line);
            continue;
        }
        refusal.clear();
        QString problem;
        bool posted = false;
        if (!table.append()) {
            problem = messageOr(refusal, table.errorMessage());
        } else {
            problem = fillRecord(table, *texts);
            posted = problem.isEmpty() && table.post();
            if (!posted && problem.isEmpty())
                problem = messageOr(refusal, table.errorMessage());
            table.cancel();
        }
        if (posted) {
            ++result.imported;
            continue;
        }
        problem = messageOr(problem, QStringLiteral("Záznam nelze uložit"));
        if (handlers.refused)
            handlers.refused(lineNo, problem);
        skip(lineNo, line, problem);
    }

    // Half an import is worse than none where the caller asked for all of
    // it, and where the old records are already gone.
    const bool incomplete = !result.skipped.isEmpty() || result.stopped;
    if ((mode == TextImportMode::AllOrNothing && incomplete) || (result.stopped && emptyFirst)) {
        table.rollback();
        result.error = result.stopped
                           ? QStringLiteral("Import byl ukončen, tabulka %1 zůstala beze změny")
                                 .arg(table.schema().file())
                           : QStringLiteral("Import nebyl proveden (chybných řádků: %1), "
                                            "tabulka %2 zůstala beze změny")
                                 .arg(result.skipped.size())
                                 .arg(table.schema().file());
        result.imported = 0;
        result.rolledBack = true;
        table.first();
        return result;
    }
    if (!transaction.commit()) {
        result.error = QStringLiteral("Import nelze dokončit: %1").arg(table.errorMessage());
        table.rollback();
        result.imported = 0;
        return result;
    }
    table.first();
    result.ok = true;
    return result;
}

} // namespace vardex
