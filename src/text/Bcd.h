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

// The number a BCD byte holds: high half-byte × 10 + low half-byte for any
// byte up to 0x99, also when the low half-byte is no decimal digit (0x1A
// reads as 20); a byte above 0x99 reads as 255. Callers judge the value's
// range (an hour below 24, a minute below 60).
quint8 decodeBcd(quint8 byte);

} // namespace vardex
