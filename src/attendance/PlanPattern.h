#pragma once

#include "attendance/DayShift.h"
#include "base/Result.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace vardex {

// A month of the calendar plan kept as a pattern (a ".VZR" file): the
// shift and note of days 1..31 and the month they were taken from.
struct PlanPattern
{
    int year = 0;
    int month = 0;
    std::array<DayShift, 31> days{};
    std::array<QString, 31> notes{};
};

// The file: one record of 874 bytes, words little-endian: year, month, a
// reserved 0, the 31 day-shift records of 19 bytes, then 31 notes of a
// length byte (0..8) and 8 cp1250 characters.
inline constexpr int PlanPatternSize = 874;
inline constexpr int PlanPatternNoteSize = 8;

// Every day cleared (flag ' ', required 0), every note empty.
void VymazatVzor(PlanPattern &pattern);

QByteArray patternToBytes(const PlanPattern &pattern);
// Fails ("Chybný soubor vzoru: …") unless the bytes are one whole record.
Result<PlanPattern> patternFromBytes(const QByteArray &bytes, const QString &path = {});

Result<void> savePattern(const QString &path, const PlanPattern &pattern);
Result<PlanPattern> loadPattern(const QString &path);

// The file dialog's filter, default suffix and name.
QString patternFileFilter();
inline constexpr auto PatternSuffix = "VZR";
inline constexpr auto PatternDefaultName = "VZOR";

} // namespace vardex
