#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>

namespace vardex {

// The port setting file "VX_PARMS.INI": only its lines beginning with
// "KOMPORTCOM=" (exact case, first column) are read.
namespace SerialParams {

// The file's name in the working directory.
QString fileName();

// The port name after the given lines: every line beginning with the key sets
// it, the last one wins. The value is the four characters after "=" ("COM12"
// gives "COM1"), or, when it begins with "/", the whole rest of the line as a
// device path (trailing blanks dropped). A line with nothing but blanks after
// the key is ignored. With no such line `current` stays.
QString portFromLines(const QStringList &lines, const QString &current);

// The port name after reading "VX_PARMS.INI" in `dir`; `current` when the file
// is missing or unreadable.
QString portFromFile(const QString &dir, const QString &current);

// Writes "VX_PARMS.INI" in `dir` with the one line that names `port`. A
// port whose name cp1250 cannot hold is refused with a Czech message: the
// file would name another device ("?" in place of the letter).
Result<void> writeFile(const QString &dir, const QString &port);

// The device to open for a port name: "COMn" (n from 1 to 9, "COM" in any
// case) is /dev/ttyS<n-1>, a name beginning with "/" is the path itself.
// Anything else names no device (empty result).
QString devicePath(const QString &commPort);

} // namespace SerialParams
} // namespace vardex
