#pragma once

#include <QStringList>

namespace vardex {

class Table;

// "Popis jednotek": the lines that describe the unit record `units` stands
// on: address and name, type, the objects it controls with their alarm
// reporting and opening times, its auxiliary objects, its four result texts,
// and the closing line "---   ".
//
// A barrier unit's configuration block holds, per barrier input, the
// barrier type, the opening and the waiting time (the layout the units
// window edits), and is described so; an expander or barrier object whose
// input lies beyond the four the block has times for is listed without
// times.
QStringList describeUnit(const Table &units);

} // namespace vardex
