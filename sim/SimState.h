#pragma once

#include "base/Result.h"
#include "sim/SimConfig.h"
#include "sim/SimUnit.h"

#include <QList>
#include <QString>

namespace vardex::sim {

// What the units of a line have lived through, as the state file keeps it
// between runs (format in sim/README.md). The configuration still declares
// the units; the state names each unit with its type and memory size only
// to tell that it belongs to them.
struct SimState
{
    struct Unit
    {
        quint8 address = 0;
        quint8 type = 1;
        quint8 memorySizeCode = 0;
        KeptState kept;
        friend bool operator==(const Unit &, const Unit &) = default;
    };
    QList<Unit> units; // in address order

    QString toText() const;
    // A text that is not a state file, or whose positions and events do not
    // agree, fails with the line and what is wrong with it.
    static Result<SimState> parse(const QString &text);
    // Every unit of the state must be declared by the configuration with the
    // same type and memory; a unit the configuration adds starts afresh.
    Result<void> check(const SimConfig &config) const;
};

} // namespace vardex::sim
