#pragma once

#include <QByteArray>
#include <QString>

namespace vardex {

// The line's error counters as the driver keeps them.
struct LineCounters
{
    int frame = 0;
    int overrun = 0;
    int parity = 0;
    int brk = 0;
    int bufferOverrun = 0;
};

// Line errors as flags, with the values the program has always reported
// ("EvtMask = <flags>").
namespace LineErrors {

constexpr quint32 RxOver = 0x0001;   // the input buffer overflowed
constexpr quint32 Overrun = 0x0002;  // the receiver's hardware overran
constexpr quint32 RxParity = 0x0004; // a character with a parity error
constexpr quint32 Frame = 0x0008;    // a character with a framing error
constexpr quint32 Break = 0x0010;    // a break on the line

// The flags of the errors that happened between two readings of the counters.
quint32 flagsBetween(const LineCounters &before, const LineCounters &after);

// "CommEvent: " + the names joined by " and " + ", EvtMask = " + flags, the
// names in the order "NULL Error" (no flag), "CE_FRAME", "CE_OVERRUN",
// "CE_RXPARITY", "EV_ERR neznámá EvtMask" (any other flag).
QString text(quint32 flags);

// The text as the bytes of a received chunk (cp1250, at most 255 characters).
QByteArray chunk(quint32 flags);

} // namespace LineErrors
} // namespace vardex
