#pragma once

namespace vardex {

// While it lives, SIGINT and SIGTERM do not end the process at once: they
// ask a long-running command to stop, which it does between two exchanges
// with the units, so that what the current exchange brought is stored. The
// handlers that were there before come back when it goes.
class StopSignals
{
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    // Whether a stop was asked for since this object was made.
    bool requested() const;
};

} // namespace vardex
