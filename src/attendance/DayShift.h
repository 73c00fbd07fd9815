#pragma once

#include "attendance/ShiftSection.h"

#include <QByteArray>
#include <QByteArrayView>

namespace vardex {

// The crossing flag of a day's shift.
namespace ShiftFlag {
inline constexpr char Crossing = 'A'; // the shift crosses midnight
inline constexpr char None = ' ';     // no shift that day, or one that does not cross
inline constexpr char Plain = '#';    // a shift that does not cross (cyclic schedules)
} // namespace ShiftFlag

// One day's shift: two sections, the crossing flag and the work time that
// must be done (an hour-minute word). A crossing shift is written as its
// part after midnight in the first section and its part before midnight,
// ending 23:59, in the second.
struct DayShift
{
    ShiftSection first;
    ShiftSection second;
    char flag = ShiftFlag::None;
    quint16 required = 0;
    friend bool operator==(const DayShift &, const DayShift &) = default;

    bool crosses() const { return flag == ShiftFlag::Crossing; }
};

// The 19 bytes of a day-shift record as the yearly plan and the pattern
// files keep it: the eight words of the two sections, the flag, the
// required time; words little-endian.
QByteArray DayShiftToBytes(const DayShift &day);
// The record from those bytes; missing bytes read as 0.
DayShift DayShiftFromBytes(QByteArrayView bytes);

// Both sections cleared, required 0, flag ' '.
void ClearDay(DayShift &day);
bool IsDayEmpty(const DayShift &day);
// The start of the second section's mandatory part, or of the first's when
// the second section is empty: for a crossing shift, its start the evening
// before.
quint16 ShiftStart(const DayShift &day);
// The end of the first section's mandatory part.
quint16 ShiftEnd(const DayShift &day);

// Puts the two sections in order of their mandatory starts and joins them
// where they overlap (DayShiftRules.cpp).
void NormaliseDay(DayShift &day);
// The required time from the mandatory parts, one minute more for a
// crossing shift (whose evening part ends at 23:59).
void ComputeRequired(DayShift &day);
// Clears the crossing flag; or sets it, for a day from 00:00 to 23:59 only,
// dropping both optional parts. The required time is computed either way.
void ToggleCrossing(DayShift &day);

// The templates of the shift window.
enum class ShiftTemplate { Clear, Free, Night, Morning, Afternoon };
DayShift ShiftFromTemplate(ShiftTemplate which);

} // namespace vardex
