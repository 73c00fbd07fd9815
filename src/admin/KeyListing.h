#pragma once

#include <QString>

namespace vardex {

class Table;

// The lines the key listings give for the key record `keys` stands on.

// PTIT and a blank when there is a title before the name, JMENO, then ", "
// and ZTIT when there is one after it; with a width above 0 cut or filled
// with blanks on the right to exactly that many characters.
QString keyNameWithTitles(const Table &keys, int width);

// "Seznam klíčů": the record number (at least four digits, leading zeros),
// the key number, the name with titles (35), the personal number (12), the
// workplace, the permission group and the shift schedule (17 each),
// separated by single blanks.
QString keyListLine(const Table &keys, qint64 number);

// The first line of a key in "Přehled oprávnění": the key number, the name
// with titles, the personal number and the workplace, separated by blanks.
QString keyHeaderLine(const Table &keys);

} // namespace vardex
