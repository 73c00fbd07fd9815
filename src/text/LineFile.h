#pragma once

#include "text/Cp1250.h"

#include <QSaveFile>
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

// Reads a text file as lines. The file is cp1250, as the program writes it,
// unless it starts with a UTF-8 byte order mark (dropped) or is valid UTF-8
// with multi-byte sequences in it, as today's editors save it: then it is
// read as UTF-8, in composed form (one character for "á", as in cp1250).
// A line ends with CR LF or with a bare LF
// (files edited on this machine); a CR not followed by LF stays in the line.
// A final line end does not make an empty last line; a last line without an
// end is still a line. A file that cannot be opened gives
// "Soubor nelze otevřít: <path>", one that fails while read
// "Chyba čtení souboru: <path>".
LinesRead readLines(const QString &path);

// Writes lines to a cp1250 text file, each ended by CR LF. Characters outside
// the code page are written as "?". The lines go to a temporary file beside
// the file, which replaces it only when close() succeeds: a full disk or an
// interrupted run leaves the previous file whole (a writer destroyed without
// close() leaves it too). A write failure is kept: later writes do nothing,
// and close() (or the last write) reports "Chyba zápisu do souboru: <path>".
// A file that cannot be opened gives "Soubor nelze otevřít: <path>".
class LineFileWriter
{
public:
    enum class Mode {
        Create, // created anew, replacing an existing file
        Append, // the existing file's content and then the new lines, else created
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

    QSaveFile m_file;
    Cp1250Codec m_codec;
    QString m_error;
    bool m_failed = false;
};

// Bytes as the whole new content of a file, written to a temporary file and
// renamed into place, so a failure leaves the old file as it was; the error
// is "Chyba zápisu do souboru: <path>".
FileWritten writeWholeFile(const QString &path, QByteArrayView bytes);

// The whole job in one call: the file created anew, or appended to (an
// append rewrites the whole file, so batch the lines).
FileWritten writeLineFile(const QString &path, const QStringList &lines);
FileWritten appendLineFile(const QString &path, const QStringList &lines);

} // namespace vardex
