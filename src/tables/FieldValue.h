#pragma once

#include "tables/TableSchema.h"

#include <QVariant>

namespace vardex {

// Conversions between the values the program works with (QString, int,
// double, QDate, QTime, QDateTime, bool, QByteArray) and the form a field
// keeps in its table file. An invalid QVariant is an empty (null) field.
namespace FieldValue {

// The SQL column type of a field ("TEXT", "INTEGER", "REAL", "BLOB").
QString sqlType(const FieldDef &field);

// Brings a program value into the field's stored form: text cut to the
// field's width, an empty text stored as empty (null), dates and times as
// ISO text, booleans as 0/1, byte blocks padded with zeros or cut to their
// size. A value that cannot be read as the field's type becomes null.
QVariant toStorage(const FieldDef &field, const QVariant &value);

// The stored form back as the program's type (QDate for a Date field and so
// on); null stays an invalid QVariant.
QVariant fromStorage(const FieldDef &field, const QVariant &stored);

// The field as text: dates "dd.mm.yyyy", times "hh:mm:ss", booleans
// "True"/"False", bytes as Latin-1; empty text for null.
QString toText(const FieldDef &field, const QVariant &stored);

// Reads a typed text (an edited grid cell) into stored form: dates as
// "dd.mm.yyyy" or "yyyy-mm-dd", times as "hh:mm" or "hh:mm:ss".
QVariant fromText(const FieldDef &field, const QString &text);

} // namespace FieldValue
} // namespace vardex
