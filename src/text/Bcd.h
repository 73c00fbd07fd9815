#pragma once

#include <QtGlobal>

namespace vardex {

// The byte a BCD field holds when its value is out of range, both as sent
// and as read back.
inline constexpr quint8 BcdInvalid = 0xFF;

// A number 0..99 as two decimal digits, tens in the high half-byte and units
// in the low one (59 gives 0x59). Anything else, above 99 or below 0, is sent
// as 0xFF.
quint8 encodeBcd(int value);

// The number a BCD byte holds, 0..99. A byte above 0x99, or one whose low
// half-byte is not a decimal digit (0x1A), is not a number of two digits and
// reads as 255, so a damaged byte cannot pass for a plausible value.
quint8 decodeBcd(quint8 byte);

} // namespace vardex
