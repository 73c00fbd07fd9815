#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace vardex {

// The 7 bytes of an identification key as a unit reads it: byte 0 the family
// code, bytes 1..6 the serial number, least significant first.
using KeyBytes = std::array<quint8, 7>;

inline constexpr qsizetype KeyTextLength = 14;

// The key number text: byte 0, then bytes 6, 5, 4, 3, 2, 1, each as two
// upper-case hexadecimal digits, so the serial number reads most significant
// first. {0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66} is "01665544332211".
QString keyToText(const KeyBytes &key);

// The bytes back from a key number text, the pairs taken in the same order.
// Each pair is read like any hexadecimal byte text (see hexToByte()); pairs
// missing from a short text read as 0.
KeyBytes keyFromText(QStringView text);

// The strict reading: exactly 14 hexadecimal digits (either case).
std::optional<KeyBytes> parseKeyText(QStringView text);

// All seven bytes zero: no key.
bool isEmptyKey(const KeyBytes &key);
// The text of no key, "00000000000000" (an empty text counts as no key too).
bool isEmptyKeyText(QStringView text);
QString emptyKeyText();

// The code a refused key number is reported with.
inline constexpr int InvalidKeyNumber = 9740;

// A holder's key number as it enters a key table (typed, imported): blanks
// around it dropped, lower-case digits made upper case, so that it matches
// the text of the key as a unit reads it. Anything but exactly 14
// hexadecimal digits, and the text of no key, is refused with a Czech
// message that names the value (code InvalidKeyNumber).
Result<QString> holderKeyText(QStringView text);

} // namespace vardex
