#pragma once

#include <QString>

namespace vardex {

// What happened to a table file, in the operator's words, from the engine's
// result code: "Tabulka EVENTS.DB je poškozená: <the engine's own text>".
// A code that tells nothing more than its text gives "Chyba tabulky …: …".
// `systemErrno`, the system's error behind an I/O error, tells a full disk.
QString engineMessage(const QString &file, int code, const QString &engineText,
                      int systemErrno = 0);

// The same for a failure of the system when the file itself is opened or,
// when `creating`, made (`errnoValue` as errno gives it), e.g. a read-only
// folder.
QString systemMessage(const QString &file, int errnoValue, bool creating);

} // namespace vardex
