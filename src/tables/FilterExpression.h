#pragma once

#include "tables/TableSchema.h"

#include <QString>
#include <QVariantList>

namespace vardex {

// A record filter compiled for SQL: a WHERE clause whose constants are all
// bound parameters ("?"), never pasted text.
struct CompiledFilter
{
    bool ok = false;
    QString where; // e.g. "(\"DATUM\" >= ? AND \"CTM\" = ?)"; empty when ok and the text is blank
    QVariantList params; // values for the "?" in order, already in storage form
    QString error;       // Czech message naming what is wrong, when !ok
};

// Compiles a filter expression such as
//   DATUM >= '01.03.2026' AND (CTM = '0100000000AB12' OR NOT RES = '80')
// against the table's fields.
CompiledFilter compileFilter(const QString &text, const TableSchema &schema);

} // namespace vardex
