#pragma once

#include "cli/GlobalOptions.h"

#include <cstdio>

namespace vardex {

// Runs a sub-command headless and returns the process's exit status. What
// the command prints goes to `out` (UTF-8); operator messages and errors go
// to `err`.
// The tables are in `workDir`, the configuration in `home`.
int runCommand(const GlobalOptions &options, const QString &workDir, const QString &home,
               std::FILE *out, std::FILE *err);

} // namespace vardex
