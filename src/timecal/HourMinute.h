#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace vardex {

// Hour-minute words: hours * 256 + minutes in 16 bits, minutes 0..59. A time of day has
// hours 0..23; a duration may reach 255 hours. All functions are pure.

// The word a failed parse yields.
inline constexpr quint16 InvalidHourMinute = 65535;

// The largest duration a word holds (255:59); sums beyond it stop there.
inline constexpr quint16 MaxHourMinute = 255 * 256 + 59;

constexpr int MinuteOf(quint16 word)
{
    return word & 0xFF;
}

constexpr int HourOf(quint16 word)
{
    return word >> 8;
}

constexpr quint16 MakeHourMinute(int hours, int minutes)
{
    return quint16(hours * 256 + minutes);
}

// "hh:mm" with hours 00..23 and minutes 00..59, exactly five characters; anything else
// (no leading zero, another separator, spaces, signs) gives InvalidHourMinute.
quint16 ParseHourMinute(QStringView text);

// Hours with at least two digits, ":", minutes with two digits ("07:05", "100:00").
QString FormatHourMinute(quint16 word);

// True for a time of day: hours below 24 and minutes below 60.
bool IsValidHourMinute(quint16 word);

// a - b, borrowing one hour when b's minutes exceed a's. Callers order their operands; when
// b is the later one the result is 0 (never a wrapped-around value).
quint16 SubHourMinute(quint16 a, quint16 b);

// a + b, carrying one hour when the minutes pass 59. A sum beyond 255:59 gives 255:59
// rather than wrapping round to a short time.
quint16 AddHourMinute(quint16 a, quint16 b);

// "-hh:mm" when a is later than b, "+hh:mm" when b is later, " 00:00" when equal.
QString SignedDiffText(quint16 a, quint16 b);

// The length of the common part of [a, b] and [c, d] (a <= b, c <= d); 0 when they do not
// meet or only touch.
quint16 OverlapLength(quint16 a, quint16 b, quint16 c, quint16 d);

struct HourMinuteRange
{
    quint16 lo = 0;
    quint16 hi = 0;
    friend bool operator==(const HourMinuteRange &, const HourMinuteRange &) = default;
};

// The range widened to take in [a, b]: lo := min(lo, a), hi := max(hi, b).
HourMinuteRange WidenRange(quint16 lo, quint16 hi, quint16 a, quint16 b);

// a <= t <= b.
constexpr bool InRange(quint16 a, quint16 b, quint16 t)
{
    return a <= t && t <= b;
}

} // namespace vardex
