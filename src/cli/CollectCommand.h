#pragma once

#include <QStringList>

#include <cstdio>

namespace vardex {

class Application;

// `vardex collect [--max-rounds N]`: collects the events of every unit
// through the serial port, headless, printing the log lines as they come.
// Exit status 0 once every unit has answered with an empty block; 1 when N
// full rounds in a row (5 unless given) bring no event while some unit is
// still pending, after a line naming those units, or when the start or the
// line fails; 2 for a malformed command line. The application is started here, with its port.
int collectCommand(Application &app, const QStringList &args, std::FILE *out, std::FILE *err);

} // namespace vardex
