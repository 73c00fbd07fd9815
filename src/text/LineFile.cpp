#include "text/LineFile.h"

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
    Cp1250Codec codec;
    if (!codec.isValid())
        return {false, {}, Cp1250Codec::unavailableMessage()};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, {}, cannotOpen(path)};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {false, {}, readFailed(path)};
    const DecodedText decoded = codec.decode(bytes);
    if (!decoded.ok)
        return {false, {}, decoded.error};
    return {true, splitLines(decoded.text), {}};
}

LineFileWriter::~LineFileWriter()
{
    // A caller that cares about the outcome calls close() itself.
    if (m_file.isOpen())
        m_file.close();
}

bool LineFileWriter::open(const QString &path, Mode mode)
{
    if (m_file.isOpen())
        m_file.close();
    m_error.clear();
    m_failed = false;
    m_file.setFileName(path);
    if (!m_codec.isValid())
        return fail(Cp1250Codec::unavailableMessage());
    const QIODevice::OpenMode openMode = mode == Mode::Append
                                             ? QIODevice::WriteOnly | QIODevice::Append
                                             : QIODevice::WriteOnly | QIODevice::Truncate;
    if (!m_file.open(openMode))
        return fail(cannotOpen(path));
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
    if (!m_file.flush() && !m_failed)
        fail(writeFailed(m_file.fileName()));
    m_file.close();
    if (m_file.error() != QFileDevice::NoError && !m_failed)
        fail(writeFailed(m_file.fileName()));
    return !m_failed;
}

bool LineFileWriter::fail(const QString &message)
{
    m_failed = true;
    m_error = message;
    return false;
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
