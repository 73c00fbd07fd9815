#include "events/EventArchiveFile.h"

#include "events/EventListing.h"
#include "tables/FieldValue.h"
#include "tables/FilterConstant.h"
#include "tables/Table.h"
#include "tables/Transaction.h"
#include "text/Cp1250.h"
#include "text/LineFile.h"

#include <QFile>
#include <QStringDecoder>

namespace vardex {

namespace {

QString badData(const QString &line)
{
    return QStringLiteral("Chybná data: ") + line;
}

// The lines of a file one at a time, so that an archive of millions of
// events is never held whole. cp1250 unless the file starts with a UTF-8
// byte order mark (an editor's save); the file holds only field names,
// digits and codes, so no other guess is needed.
class LineSource
{
public:
    explicit LineSource(const QString &path) : m_file(path) {}

    Result<void> open()
    {
        if (!m_file.open(QIODevice::ReadOnly))
            return Failure{QStringLiteral("Soubor nelze otevřít: ") + m_file.fileName()};
        if (!m_codec.isValid())
            return Failure{Cp1250Codec::unavailableMessage()};
        m_utf8 = m_file.peek(3) == QByteArray("\xEF\xBB\xBF");
        if (m_utf8)
            m_file.skip(3);
        return {};
    }

    // The next line without its end; nothing at the end of the file.
    Result<std::optional<QString>> next()
    {
        if (m_file.atEnd())
            return std::optional<QString>();
        QByteArray bytes = m_file.readLine();
        if (m_file.error() != QFileDevice::NoError)
            return Failure{QStringLiteral("Chyba čtení souboru: ") + m_file.fileName()};
        if (bytes.endsWith('\n'))
            bytes.chop(bytes.endsWith("\r\n") ? 2 : 1);
        if (m_utf8)
            return std::optional<QString>(QString::fromUtf8(bytes));
        const DecodedText text = m_codec.decode(bytes);
        if (!text.ok)
            return Failure{text.error};
        return std::optional<QString>(text.text);
    }

private:
    QFile m_file;
    Cp1250Codec m_codec;
    bool m_utf8 = false;
};

// One line of the file read against the table's fields.
struct ParsedLine
{
    enum Kind { Field, End, Bad } kind = Bad;
    QString field;
    QVariant value;
};

ParsedLine parseLine(const TableSchema &schema, const QString &line)
{
    if (line == QLatin1String("#"))
        return {ParsedLine::End, {}, {}};
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return {};
    const FieldDef *def = schema.field(line.left(eq));
    if (!def || def->type == FieldType::AutoInc || def->type == FieldType::Bytes)
        return {};
    const QString text = line.mid(eq + 1);
    if (def->type == FieldType::String) {
        if (def->size > 0 && text.size() > def->size)
            return {};
        return {ParsedLine::Field, def->name, text};
    }
    if (text.isEmpty())
        return {ParsedLine::Field, def->name, QVariant()};
    const FilterConstant value = convertFilterConstant(text, def->type);
    if (!value.ok)
        return {};
    return {ParsedLine::Field, def->name, value.value};
}

// Reads the file into the table; stops at the first bad line or refused
// record with its message, leaving what was posted before.
Result<qint64> readInto(Table &events, const QString &path)
{
    LineSource source(path);
    if (Result<void> opened = source.open(); !opened)
        return opened.failure();
    qint64 stored = 0;
    bool building = false;
    while (true) {
        const Result<std::optional<QString>> line = source.next();
        if (!line)
            return line.failure();
        if (!*line)
            break;
        const ParsedLine parsed = parseLine(events.schema(), **line);
        if (parsed.kind == ParsedLine::Bad) {
            if (building)
                events.cancel();
            return Failure{badData(**line)};
        }
        if (!building) {
            if (!events.insert())
                return events.failure();
            building = true;
        }
        if (parsed.kind == ParsedLine::Field) {
            events.setValue(parsed.field, parsed.value);
            continue;
        }
        if (!events.post()) {
            const Failure why = events.failure();
            events.cancel();
            return why;
        }
        building = false;
        ++stored;
    }
    // An unfinished last record is dropped.
    if (building)
        events.cancel();
    return stored;
}

// The whole file checked without touching the table.
Result<void> checkFile(const TableSchema &schema, const QString &path)
{
    LineSource source(path);
    if (Result<void> opened = source.open(); !opened)
        return opened;
    while (true) {
        const Result<std::optional<QString>> line = source.next();
        if (!line)
            return line.failure();
        if (!*line)
            return {};
        if (parseLine(schema, **line).kind == ParsedLine::Bad)
            return Failure{badData(**line)};
    }
}

} // namespace

QString eventFileName()
{
    return QStringLiteral("UTIL_EVE.TXT");
}

Result<qint64> exportEventFile(Table &events, const QString &path)
{
    LineFileWriter writer;
    if (!writer.open(path, LineFileWriter::Mode::Create))
        return Failure{writer.errorString()};
    const QList<FieldDef> &fields = events.schema().fields;
    const Result<qint64> written = forEachRecord(events, [&](const QVariantList &stored) {
        // One record's lines written at once.
        QString block;
        for (int i = 0; i < fields.size(); ++i) {
            if (fields[i].type == FieldType::AutoInc)
                continue;
            block += fields[i].name + QLatin1Char('=') + FieldValue::toText(fields[i], stored[i]) +
                     QStringLiteral("\r\n");
        }
        block += QLatin1Char('#');
        if (!writer.writeLine(block))
            return Result<void>(Failure{writer.errorString()});
        return Result<void>();
    });
    if (!written)
        return written;
    if (!writer.close())
        return Failure{writer.errorString()};
    return written;
}

Result<qint64> importEventFile(Table &events, const QString &path, EventImportMode mode)
{
    if (mode == EventImportMode::Replace) {
        if (Result<void> checked = checkFile(events.schema(), path); !checked)
            return checked.failure();
    }
    Transaction tx(events);
    if (!tx.active())
        return events.failure();
    if (mode == EventImportMode::Replace && !events.empty())
        return events.failure();
    const Result<qint64> stored = readInto(events, path);
    // Keeping the old events, a bad line still keeps those before it.
    if (!stored && mode == EventImportMode::Replace)
        return stored;
    if (!tx.commit())
        return events.failure();
    return stored;
}

} // namespace vardex
