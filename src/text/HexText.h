#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace vardex {

// A byte as two upper-case hexadecimal digits, "00".."FF".
QString byteToHex(quint8 byte);

// A byte read back from its text as tables and the address selection hold
// it: a text shorter than two characters is padded with "0" in front (an
// empty text reads as 0) and only the first two characters count. Digits are
// "0".."9" and "A".."F"; "a".."f" read like their capitals; any other
// character reads as the digit 0, so a damaged text gives a byte, never
// garbage beyond its two digits.
quint8 hexToByte(QStringView text);

// The strict reading for checking what an operator typed: one or two
// hexadecimal digits (either case) and nothing else.
std::optional<quint8> parseHexByte(QStringView text);

// A block of bytes as text, two upper-case digits per byte, byte 0 first.
QString bytesToHex(QByteArrayView bytes);

// A block of `count` bytes read from its text: byte i from the characters
// 2i and 2i + 1 with the rules of hexToByte(); bytes past the end of the
// text read as 0, characters past 2 × count are ignored.
QByteArray hexToBytes(QStringView text, qsizetype count);

// The strict reading of a block: an even number of hexadecimal digits and
// nothing else.
std::optional<QByteArray> parseHexBytes(QStringView text);

} // namespace vardex
