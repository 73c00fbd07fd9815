#include "text/LineFile.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace vardex {

namespace {

const QByteArray LineEnd("\r\n");

QString cannotOpen(const QString &path)
{
    return QStringLiteral("Soubor nelze otevřít: %1").arg(path);
}

QString writeFailed(const QString &path)
{
    return QStringLiteral("Chyba zápisu do souboru: %1").arg(path);
}

QString readFailed(const QString &path)
{
    return QStringLiteral("Chyba čtení souboru: %1").arg(path);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype lf = text.indexOf(u'\n', start);
        if (lf < 0) {
            lines.append(text.mid(start));
            break;
        }
        qsizetype end = lf;
        if (end > start && text[end - 1] == u'\r')
            --end;
        lines.append(text.mid(start, end - start));
        start = lf + 1;
    }
    return lines;
}

// The text of a file saved as UTF-8: one that starts with the byte order
// mark, or that is valid UTF-8 and holds a byte above 127 (in valid UTF-8
// such a byte is part of a multi-byte sequence). Czech cp1250 text is
// practically never valid UTF-8, so anything else is taken as cp1250.
std::optional<QString> utf8Text(QByteArrayView bytes)
{
    const QByteArrayView bom("\xEF\xBB\xBF");
    const bool marked = bytes.startsWith(bom);
    if (marked)
        bytes = bytes.sliced(bom.size());
    else if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return quint8(b) < 0x80; }))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (!marked && decoder.hasError())
        return std::nullopt;
    // Composed, so that "á" written as "a" and an accent is one character,
    // as in cp1250, and fixed-width fields stay in place.
    return text.normalized(QString::NormalizationForm_C);
}

FileWritten writeWith(const QString &path, const QStringList &lines, LineFileWriter::Mode mode)
{
    LineFileWriter writer;
    if (!writer.open(path, mode))
        return {false, writer.errorString()};
    writer.writeLines(lines);
    if (!writer.close())
        return {false, writer.errorString()};
    return {true, {}};
}

} // namespace

LinesRead readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, {}, cannotOpen(path)};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {false, {}, readFailed(path)};
    if (const std::optional<QString> text = utf8Text(bytes))
        return {true, splitLines(*text), {}};
    const DecodedText decoded = fromCp1250(bytes);
    if (!decoded.ok)
        return {false, {}, decoded.error};
    return {true, splitLines(decoded.text), {}};
}

// The temporary file of an unfinished write is removed by QSaveFile; the
// file itself is left as it was.
LineFileWriter::~LineFileWriter() = default;

bool LineFileWriter::open(const QString &path, Mode mode)
{
    if (m_file.isOpen()) {
        // The earlier file is dropped, as the destructor would drop it.
        m_file.cancelWriting();
        m_file.commit();
    }
    m_error.clear();
    m_failed = false;
    m_file.setFileName(path);
    if (!m_codec.isValid())
        return fail(Cp1250Codec::unavailableMessage());
    QByteArray old;
    if (mode == Mode::Append && QFile::exists(path)) {
        QFile existing(path);
        if (!existing.open(QIODevice::ReadOnly))
            return fail(cannotOpen(path));
        old = existing.readAll();
        if (existing.error() != QFileDevice::NoError)
            return fail(readFailed(path));
    }
    if (!m_file.open(QIODevice::WriteOnly))
        return fail(cannotOpen(path));
    if (m_file.write(old) != old.size())
        return fail(writeFailed(path));
    return true;
}

bool LineFileWriter::writeLine(QStringView line)
{
    if (m_failed)
        return false;
    if (!m_file.isOpen())
        return fail(writeFailed(m_file.fileName()));
    const EncodedText encoded = m_codec.encode(line);
    if (!encoded.ok)
        return fail(encoded.error);
    const QByteArray bytes = encoded.bytes + LineEnd;
    if (m_file.write(bytes) != bytes.size())
        return fail(writeFailed(m_file.fileName()));
    return true;
}

bool LineFileWriter::writeLines(const QStringList &lines)
{
    for (const QString &line : lines) {
        if (!writeLine(line))
            return false;
    }
    return true;
}

bool LineFileWriter::close()
{
    if (!m_file.isOpen())
        return !m_failed;
    if (m_failed)
        m_file.cancelWriting();
    if (!m_file.commit() && !m_failed)
        fail(writeFailed(m_file.fileName()));
    return !m_failed;
}

bool LineFileWriter::fail(const QString &message)
{
    m_failed = true;
    m_error = message;
    return false;
}

FileWritten writeWholeFile(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), bytes.size()) != bytes.size() || !file.commit())
        return {false, writeFailed(path)};
    return {true, {}};
}

FileWritten writeLineFile(const QString &path, const QStringList &lines)
{
    return writeWith(path, lines, LineFileWriter::Mode::Create);
}

FileWritten appendLineFile(const QString &path, const QStringList &lines)
{
    return writeWith(path, lines, LineFileWriter::Mode::Append);
}

} // namespace vardex
