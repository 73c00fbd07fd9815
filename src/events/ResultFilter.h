#pragma once

#include <QString>

#include <array>

namespace vardex {

// What the result filter dialog is set to: the kinds of result and the
// places of the event that the operator ticked. The event result code
// carries the place in its low four bits, the kind in bits 4 and 5, the
// pair of events (barrier units) in bit 7; bit 6 may be either.
struct ResultFilter
{
    // In the order of the dialog, which is also the order of the terms.
    enum Kind { Povoleno, Ilegalni, Neotevreno, Nezavreno, KindCount };
    // TM0..TM7 are places 0..7, IN0..IN7 places 8..15.
    static constexpr int PlaceCount = 16;

    std::array<bool, KindCount> kinds{};
    // "dvojice událostí" rather than "běžná událost".
    bool pairs = false;
    std::array<bool, PlaceCount> places{};

    // A filter needs at least one kind and one place ("Hotovo" waits for both).
    bool complete() const;
    // "RES='00' OR RES='09' OR …": every code of a ticked kind (with bit 6
    // clear, then set) at every ticked place. Empty while not complete().
    QString text() const;
};

} // namespace vardex
