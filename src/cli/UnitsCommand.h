#pragma once

#include <QStringList>

#include <cstdio>

namespace vardex {

class Application;

// `vardex units`: one line per unit in address order: address ("--" when
// the unit has none yet), type code, name (15 characters), use, alarm and
// relay masks, and the 32 digits of the configuration block, separated by
// blanks. The application is started here; returns the exit status.
int unitsCommand(Application &app, const QStringList &args, std::FILE *out, std::FILE *err);

} // namespace vardex
