// The simulator's configuration file, and each of its lines as a command
// typed to the running simulator.
#include "FuzzTarget.h"

#include "sim/SimConfig.h"

VARDEX_FUZZ_TARGET(SimConfig)
{
    const QString text = QString::fromUtf8(input);
    QString error;
    (void)vardex::sim::SimConfig::parse(text, &error);
    for (const QString &line : text.split(u'\n'))
        (void)vardex::sim::SimCommand::parse(line, &error);
}
