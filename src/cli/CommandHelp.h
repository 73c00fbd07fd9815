#pragma once

#include "cli/CommandDef.h"

namespace vardex {

// What `vardex help NAME` and `vardex NAME --help` print for one command.
QString commandHelp(const CommandDef &def);

// What `vardex --help` prints: the global options and every command with
// its summary.
QString usageText();

} // namespace vardex
