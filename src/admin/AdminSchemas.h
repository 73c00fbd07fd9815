#pragma once

#include "tables/TableSchema.h"

#include <QVariantMap>

namespace vardex {

// The tables of access administration, each exactly as it is created when its
// file is missing: fields and indexes in their defined order. An existing file
// is opened as it is.

// Access time schedules (tbCas, "WKVRCAS.DB"): a name and the schedule block,
// ordered and kept unique by name.
TableSchema wkvrCasSchema();
// Size of the schedule block in DATAROZVRHU: the component count and seven
// components of five bytes.
inline constexpr int ScheduleBlockSize = 36;

// Access permission groups (tbAcc, "WKVRACC.DB"): a name, the unit addresses
// and attributes of up to 32 rows (two characters per row) and one schedule
// name field per row, R1..R32.
TableSchema wkvrAccSchema();
inline constexpr int PermissionRows = 32;
// The schedule field of permission row 1..32 ("R1".."R32"); empty for any other row.
QString permissionScheduleField(int row);

// Spatial zones ("TABZON.DB"); the zone number is assigned by the engine.
TableSchema tabZonSchema();
// Objects, the doors and inputs the units serve, with their zone ("TABOBJ.DB").
TableSchema tabObjSchema();
// Keys with their presence in the zones ("TABKEY.DB").
TableSchema tabKeySchema();

// Zone 1 is the outer zone. It is never deleted, edited or chosen by hand;
// an object gets it only by derivation from the unit table.
inline constexpr int OuterZone = 1;
QString outerZoneName(); // "vnější zóna"

// The records the zone table must hold when it is found empty: the outer zone,
// number 1, named "vnější zóna". Whoever opens the zone table at start inserts
// these records when the table has no record, whether its file has just been
// created or already existed empty. ZONA is given explicitly, so that the
// outer zone is number 1 even where the engine's counter has moved on; an
// engine that numbers a fresh table itself gives 1 anyway.
QList<QVariantMap> tabZonInitialRecords();

// The five tables in the order in which they are opened: the zones and
// objects module opens its three tables when it is created, before the start
// sequence; the start sequence then opens the permission groups first and the
// access time schedules last of the application module's tables.
QList<TableSchema> adminSchemas();

} // namespace vardex
