// The simulator's state file, as a start reads it back.
#include "FuzzSite.h"
#include "FuzzTarget.h"

#include "sim/StateFile.h"

VARDEX_FUZZ_TARGET(SimState)
{
    (void)vardex::sim::StateFile(vardex::fuzz::siteFile(QStringLiteral("kvr8sim.state"), input))
        .load();
}
