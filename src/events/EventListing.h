#pragma once

#include "base/Result.h"

#include <QString>
#include <QVariantList>

#include <functional>

namespace vardex {

class EventTextCache;
class Table;

// Visits every record of the table in its current order and under its
// filter, with the stored values in schema order, reading a block of
// records at a time within one read transaction: the walk sees one state of
// the file and never holds more than a block. Stops at the first failure of
// a read or of `visit`. Gives the number of records visited.
Result<qint64> forEachRecord(Table &table,
                             const std::function<Result<void>(const QVariantList &)> &visit);

// "Tisknout": the report file in `outputDir` written anew with the listing
// line of every selected event, in the table's order, and an empty line at
// the end. Nothing is written when a read fails: the previous report stays.
// Gives the number of events listed.
Result<qint64> writeEventListing(Table &events, EventTextCache &texts, const QString &outputDir);

} // namespace vardex
