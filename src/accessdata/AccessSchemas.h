#pragma once

#include "tables/TableSchema.h"

namespace vardex {

// The tables of the access-control data module, each exactly as it is created
// when its file is missing: fields and indexes in their defined order. An
// existing file is opened as it is.

// Holders of identification keys (tbKey, "WKVRKEY.DB"); read in CTM order.
// The ten text fields make a record line of 160 characters.
TableSchema wkvrKeySchema();

// Hardware units (tbUni, "WKVRUNI.DB"), one record per unit on the line, read
// in address order. No field is required.
TableSchema wkvrUniSchema();

// Archive of the events collected from the units (tbEvents, "EVENTS.DB"). The
// first index is the unnamed primary index on the record number IdEve.
TableSchema eventsSchema();

// Searched keys whose events raise an alarm message (tbSKey, "WKVRKEYX.DB").
TableSchema wkvrKeyXSchema();

// The four tables in the order in which the data module opens them (and
// creates missing files): keys, units, events, searched keys.
QList<TableSchema> accessControlSchemas();

// A unit has sixteen sensors: 0..7 are the reader-side sensors named in
// SnimTM0..SnimTM7, 8..15 the inputs named in SnimIN0..SnimIN7.
inline constexpr int UnitSensorCount = 16;
// Texts of the event results 0..3 of a unit: VysUda0..VysUda3.
inline constexpr int UnitResultCount = 4;

// The unit field that holds the name of sensor 0..15; empty for any other index.
QString unitSensorField(int sensor);
// The unit field that holds the text of event result 0..3; empty for any other.
QString unitResultField(int result);

} // namespace vardex
