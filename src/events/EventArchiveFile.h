#pragma once

#include "base/Result.h"

#include <QString>

namespace vardex {

class Table;

// The event table as a text file, "UTIL_EVE.TXT" by default: per event one
// line "FIELD=value" for every field but the record number, in field order
// (dates dd.mm.yyyy, times hh:mm:ss, ORI True/False), then a line "#".
// cp1250, CR LF.
QString eventFileName();

// Writes every record of `events` in its current order and under its
// filter; the file appears only when it is complete. Gives the number of
// events written.
Result<qint64> exportEventFile(Table &events, const QString &path);

enum class EventImportMode {
    // The old events stay; the file's events are added up to the first bad
    // line, whose message ends the import (the events before it stay).
    Keep,
    // The whole file is checked first: a bad line changes nothing. Then
    // the table is emptied and filled in one transaction, so a record the
    // table refuses leaves the old events too.
    Replace,
};

// Reads such a file into `events`. A line that is neither "#" nor
// "FIELD=value" of a field of the table with a value of its type is
// "Chybná data: " and the line. Gives the number of events stored.
Result<qint64> importEventFile(Table &events, const QString &path, EventImportMode mode);

} // namespace vardex
