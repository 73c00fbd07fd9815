#pragma once

#include "app/ConfigRecord.h"
#include "base/Result.h"

#include <QString>

namespace vardex {

class OperatorMessages;

// Name of the configuration file in the home directory.
inline constexpr const char *kConfigFileName = "WKVRCFG.DBF";

// Makes sure a directory exists: nothing is said when it does; when it can be
// created the operator is told "Vytvořen adresář" with its name; when not,
// warned "Nemohu vytvořit adresář" and false is returned. The process's
// working directory is never changed.
bool directoryTest(const QString &dir, OperatorMessages &messages);

// Whether `home` can be the home directory: it exists (a mistyped home is
// never created) and its name fits the record's code page.
Result<void> checkHome(const QString &home);

// Reads the record from `home` + "WKVRCFG.DBF" (the first 335 bytes; a
// shorter file is damaged), or, when the file does not exist, makes a new one
// with the defaults, tests (and creates) its output and database directories
// — emptying a field whose directory cannot be made — and writes it. The
// record's home is `home` either way. A home that checkHome() refuses, or a
// file that cannot be read or written, gives the Czech reason.
Result<ConfigRecord> loadOrCreateConfig(const QString &home, OperatorMessages &messages);

// Writes the record to its home directory + "WKVRCFG.DBF" (replacing the
// file whole, so a failed write never leaves half a record). A directory
// that cp1250 cannot hold is refused, never stored as "?".
Result<void> writeConfig(const ConfigRecord &record);

} // namespace vardex
