#pragma once

#include <QStringList>

#include <cstdio>

namespace vardex {

class Application;

// `vardex read-key [--address XX] [--timeout S]`: reads an identification
// key at the reader of the unit XX (two hexadecimal digits; the configured
// key-reading address unless given), headless. The unit's events are read
// one at a time about once a second until one carries a key or S seconds
// (30 unless given; 0 for a single read) have passed. Prints the key number
// and exits 0; 1 when no key came or the start or the line failed; 2 for a
// malformed command line. The address used is remembered in the
// configuration record in memory; the file is not written.
int readKeyCommand(Application &app, const QStringList &args, std::FILE *out, std::FILE *err);

} // namespace vardex
