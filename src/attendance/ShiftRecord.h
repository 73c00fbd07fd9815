#pragma once

#include "attendance/DayShift.h"
#include "base/Result.h"

namespace vardex {

class Table;

// The shift table keeps a day's shift as texts: the two section texts, the
// crossing flag as one character and the required time as "hh:mm".

// Writes the day into the shift record being edited or inserted.
void writeShiftRecord(Table &shifts, const DayShift &day);

// The day of the current shift record; its flag is the stored character
// (' ' when empty), its required time 0 when the text is empty. A section
// text that does not parse fails with "Nesprávný údaj - úsek 1" (code 1)
// or "… úsek 2" (code 2).
Result<DayShift> readShiftRecord(const Table &shifts);

// What a shift record must hold to be posted: section texts that parse and
// a required time that is empty or "hh:mm".
Result<void> checkShiftRecord(const Table &shifts);

} // namespace vardex
