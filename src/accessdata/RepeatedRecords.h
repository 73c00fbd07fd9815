#pragma once

#include <QByteArray>

namespace vardex {

// How many leading records of `reply` the unit handed out before in
// `stored`, the last reply stored from that unit, and so are in the event
// table already. Both are replies to a read of events without their
// checksum: the address, the unit's 24-bit value (where the first record
// lies in the unit's memory, 12 bytes a record), then the records. A unit
// that did not hear the acknowledgement (the program died between storing
// and acknowledging) hands the same records out again from the same place,
// possibly through another read: a block that starts with the one event
// the key reading stored, or one event that a stored block began with. The
// records they share must be equal byte for byte; otherwise nothing is a
// repeat.
int repeatedRecords(const QByteArray &stored, const QByteArray &reply);

} // namespace vardex
