#pragma once

#include "app/ConfigRecord.h"

#include <QString>

namespace vardex {

class OperatorMessages;

// Name of the configuration file in the home directory.
inline constexpr const char *kConfigFileName = "WKVRCFG.DBF";

struct ConfigLoad
{
    bool ok = false;
    ConfigRecord record;
    QString error; // Czech message when !ok
};

// Makes sure a directory exists: nothing is said when it does; when it can be
// created the operator is told "Vytvořen adresář" with its name; when not,
// warned "Nemohu vytvořit adresář" and false is returned. The process's
// working directory is never changed.
bool directoryTest(const QString &dir, OperatorMessages &messages);

// Reads the record from `home` + "WKVRCFG.DBF", or, when the file does not
// exist, makes a new one with the defaults, tests (and creates) its output
// and database directories — emptying a field whose directory cannot be
// made — and writes it. A file that cannot be read or written gives !ok.
ConfigLoad loadOrCreateConfig(const QString &home, OperatorMessages &messages);

// Writes the record to its own home directory + "WKVRCFG.DBF" (replacing the
// file whole, so a failed write never leaves half a record). Returns an
// empty text on success, else the Czech message.
QString writeConfig(const ConfigRecord &record);

} // namespace vardex
