#pragma once

#include "cli/CommandDef.h"

namespace vardex {

class Table;

// Writes `table` to `file` in the fixed-width table text format and says
// how many records went out (`noun`: "klíčů", "záznamů").
int exportTableFile(CommandCall &call, Table &table, const QString &file, const QString &noun);

// Reads such a file into `table`. Without `replace` a refused line is
// reported as "řádek N: reason" and skipped; with it the table is emptied
// in the same transaction and any refused line leaves the old content.
// Exit status 1 when any line was left out.
int importTableFile(CommandCall &call, Table &table, const QString &file, bool replace,
                    const QString &noun);

} // namespace vardex
