#pragma once

#include <QString>

#include <array>

namespace vardex {

class TDB0DM;

// The parts of the event browser's filter, in the order they are joined.
enum class FilterPart { Date, Time, Key, Unit, Result };
inline constexpr int FilterPartCount = 5;

// One part: its text (empty when its state is empty) and its toggle.
struct FilterComponent
{
    QString text;
    bool on = false;
};
using FilterComponents = std::array<FilterComponent, FilterPartCount>;

// The browser's recombination: "(" text ")" of every part that is switched
// on and has a text, in order, joined by " AND "; empty when none is.
QString combineFilter(const FilterComponents &parts);

// The text of a part as the data module's state gives it (FiltrDate,
// FiltrTime, FiltrKey, FiltrHwj); the result part has no such state.
QString componentText(const TDB0DM &db, FilterPart part);

} // namespace vardex
