#pragma once

#include <QString>

#include <cstdio>

namespace vardex {

class Application;

// The example site of `vardex demo-site DIR`: five units (attendance, two
// access, barrier, expander) with names, thirty key holders, the port
// setting "VX_PARMS.INI" pointing at the simulator's link DIR/ttyKVR8, and
// the simulator's configuration DIR/kvr8sim.conf with the same units, their
// permissions and events of the last two days waiting to be collected.
namespace DemoSite {

// The simulator's link and configuration file in `dir`.
QString linkPath(const QString &dir);
QString simulatorConfigPath(const QString &dir);
// The file in `dir` where the simulator keeps its units' state between runs.
QString simulatorStatePath(const QString &dir);

// Makes `dir` (absolute) ready for a new site: created when missing; a
// directory that already holds a units table is refused with a message.
bool prepareDirectory(const QString &dir, QString *error);

// Fills the site in `dir`; `app` works in that directory, with it as home,
// and is not yet started. Returns the exit status.
int write(Application &app, const QString &dir, std::FILE *out, std::FILE *err);

} // namespace DemoSite
} // namespace vardex
