#pragma once

#include "cli/CommandDef.h"
#include "cli/GlobalOptions.h"

#include <cstdio>

namespace vardex {

// Runs a command headless and returns the process's exit status: 0 done,
// 1 the operation failed or was incomplete (the reason on `err`), 2 the
// command line was wrong (the reason and the usage on `err`). What the
// command prints goes to `out` (UTF-8). The tables are in `workDir`, the
// configuration in `home`.
int runCommand(const GlobalOptions &options, const QString &workDir, const QString &home,
               std::FILE *out, std::FILE *err, const CommandServices &services = {});

// Whether the command named on the line draws text (needs a graphical
// application); false for an unknown one.
bool commandNeedsGui(const GlobalOptions &options);

} // namespace vardex
