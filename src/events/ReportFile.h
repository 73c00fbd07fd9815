#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>

namespace vardex {

// Every listing of the program is written as plain text lines into one work
// file, the report file, in the output directory; the output window shows,
// prints or saves it from there. Despite its name it holds no rich text:
// cp1250, CR LF.

// The report file: the output directory (which ends in a separator) followed
// by "WKVR.RTF".
QString reportFilePath(const QString &outputDir);

// Writes the report file anew with `lines`; a failure leaves the previous
// file whole.
Result<void> writeReportFile(const QString &outputDir, const QStringList &lines);

// The failure code of readReportFile() when there is no report file.
constexpr int NoReportData = 1;

// The lines of the report file. Without a report file the message is
// "Žádná data pro výstup" (code NoReportData); a file that cannot be read
// gives its own message.
Result<QStringList> readReportFile(const QString &outputDir);

enum class SaveMode {
    Overwrite, // the file created anew
    Append,    // after what the file had (created when missing)
};

// Saves the output window's text as the operator keeps it: the lines, then
// four empty lines, so that reports appended one after another stay apart.
Result<void> saveReportText(const QString &path, const QStringList &lines, SaveMode mode);

} // namespace vardex
