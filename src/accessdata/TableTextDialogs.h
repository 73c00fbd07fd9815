#pragma once

#include "accessdata/TableTextFile.h"

#include <QString>

namespace vardex {

class FileChooser;
class OperatorMessages;
class Table;

// The operator's side of the text export and import of a whole table, as
// the buttons "Export databáze" and "Import databáze" run it. `defaultName`
// is the file name the dialogs offer, e.g. "KLICE.SDF". The dialogs leave
// the process's working directory alone.

// Asks where to save (overwriting only after asking) and exports; a failure
// is shown as an error. Returns whether a file was written.
bool exportTableWithDialog(Table &table, FileChooser &files, OperatorMessages &messages,
                           const QString &defaultName);

// Asks which file to read, then "Smazat stará data?" (Yes empties the table
// first), and imports. A bad line (no closing "#", or not as long as the
// record) asks whether to go on: Yes skips the line, No ends the import,
// keeping the records before it, or, when the table was emptied, putting
// the old records back (and saying so). A refused record shows the
// engine's message. A cancelled dialog gives a result that is not ok and
// has no error text.
TextImportResult importTableWithDialog(Table &table, FileChooser &files, OperatorMessages &messages,
                                       const QString &defaultName);

} // namespace vardex
