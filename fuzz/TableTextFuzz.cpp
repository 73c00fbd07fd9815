// The fixed-width table text files the operator edits by hand (KLICE.SDF
// of the key holders, the units, SMENY.SDF of the shifts, and every other
// table through `vardex table import`): byte 0 chooses the table (low
// bits) and a replacing, all-or-nothing import (high bit); the rest is the
// file.
#include "FuzzSite.h"
#include "FuzzTarget.h"

#include "accessdata/TableTextFile.h"

VARDEX_FUZZ_TARGET(TableText)
{
    if (input.isEmpty())
        return;
    const QList<vardex::Table *> tables = vardex::fuzz::site().app.tables();
    vardex::Table &t = *tables[(quint8(input[0]) & 0x7F) % tables.size()];
    if (!t.isOpen() && !t.open())
        return;
    const bool replace = quint8(input[0]) & 0x80;
    const QString path = vardex::fuzz::siteFile(QStringLiteral("IMPORT.SDF"), input.mid(1));
    (void)vardex::importTableText(t, path, replace, {},
                                  replace ? vardex::TextImportMode::AllOrNothing
                                          : vardex::TextImportMode::SkipBadLines);
}
