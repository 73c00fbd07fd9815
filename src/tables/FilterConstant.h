#pragma once

#include "tables/TableSchema.h"

#include <QString>
#include <QStringView>
#include <QVariant>

namespace vardex {

// A filter constant turned into the form its field is stored in.
struct FilterConstant
{
    bool ok = false;
    QVariant value; // "YYYY-MM-DD", "HH:MM:SS", qlonglong, double, 0/1 or the text itself
    QString error;  // e.g. "Chybné datum: 31.02.2026"
};

// Converts the constant as the operator writes it to the field's storage form:
//   Date      "dd.mm.yyyy" (one-digit day and month allowed) or "yyyy-mm-dd"
//   Time      "hh:mm" or "hh:mm:ss" (one-digit hour allowed)
//   DateTime  a date, optionally followed by blanks and a time
//   Integer, AutoInc  a whole decimal number
//   Float     a decimal number with "." or ","
//   Boolean   T/F, True/False, 1/0, A/N, Ano/Ne (any case)
//   String    the text exactly as written
// Every value is checked: 31.02.2026 or 24:00 are errors, not rolled over.
FilterConstant convertFilterConstant(QStringView text, FieldType type);

} // namespace vardex
