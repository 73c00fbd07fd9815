#pragma once

#include "text/Cp1250.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace vardex {

// The lines of a text file; `error` holds the Czech message when !ok.
struct LinesRead
{
    bool ok = false;
    QStringList lines;
    QString error;
};

// The outcome of writing a text file; `error` holds the Czech message when !ok.
struct FileWritten
{
    bool ok = false;
    QString error;
};

// Reads a cp1250 text file as lines. A line ends with CR LF or with a bare LF
// (files edited on this machine); a CR not followed by LF stays in the line.
// A final line end does not make an empty last line; a last line without an
// end is still a line. A file that cannot be opened gives
// "Soubor nelze otevřít: <path>", one that fails while read
// "Chyba čtení souboru: <path>".
LinesRead readLines(const QString &path);

// Writes lines to a cp1250 text file, each ended by CR LF. Characters outside
// the code page are written as "?". A write failure is kept: later writes do
// nothing, and close() (or the last write) reports
// "Chyba zápisu do souboru: <path>". A file that cannot be opened gives
// "Soubor nelze otevřít: <path>".
class LineFileWriter
{
public:
    enum class Mode {
        Create, // created anew, an existing file is emptied
        Append, // appended to when it exists, else created
    };

    LineFileWriter() = default;
    ~LineFileWriter();
    LineFileWriter(const LineFileWriter &) = delete;
    LineFileWriter &operator=(const LineFileWriter &) = delete;

    bool open(const QString &path, Mode mode);
    bool isOpen() const { return m_file.isOpen(); }

    bool writeLine(QStringView line);
    bool writeLines(const QStringList &lines);

    // Flushes and closes; false when anything since open() failed.
    bool close();

    const QString &errorString() const { return m_error; }

private:
    bool fail(const QString &message);

    QFile m_file;
    Cp1250Codec m_codec;
    QString m_error;
    bool m_failed = false;
};

// The whole job in one call: the file created anew, or appended to.
FileWritten writeLineFile(const QString &path, const QStringList &lines);
FileWritten appendLineFile(const QString &path, const QStringList &lines);

} // namespace vardex
