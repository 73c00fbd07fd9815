#pragma once

#include <QString>
#include <QtGlobal>

namespace vardex {

// Long durations: hours * 256 + minutes in 32 bits, minutes 0..59, used for sums over a
// period. Hours are meant to stay within 0..65535; the 32 bits hold up to MaxLongHours, and
// sums stop there instead of wrapping round. An hour-minute word has the same layout, so a
// word widened to 32 bits is already a long duration.

inline constexpr quint32 MaxLongHours = 0xFFFFFF;

constexpr quint32 LongHoursOf(quint32 duration)
{
    return duration >> 8;
}

constexpr int LongMinutesOf(quint32 duration)
{
    return int(duration & 0xFF);
}

constexpr quint32 MakeLongDuration(quint32 hours, int minutes)
{
    return hours * 256 + quint32(minutes);
}

// a + b: hours added, minutes added with one carry as for hour-minute words.
quint32 AddLongDuration(quint32 a, quint32 b);

// a + an hour-minute word.
quint32 AddLongDuration(quint32 a, quint16 word);

// a - b with one borrow as for hour-minute words; 0 when b is the larger.
quint32 SubLongDuration(quint32 a, quint32 b);

// Hours with at least three digits, ":", minutes with two: "007:30", "1234:05".
QString FormatLongDuration(quint32 duration);

// (hours1, minutes1) > (hours2, minutes2).
bool LongGreater(quint32 a, quint32 b);

// "-" and b - a when b is the greater; otherwise " " and a - b. Never a "+".
QString SignedLongDiffText(quint32 a, quint32 b);

} // namespace vardex
