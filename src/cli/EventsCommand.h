#pragma once

#include <QStringList>

#include <cstdio>

namespace vardex {

class Application;

// `vardex events [--filter EXPR]`: every stored event as its event line,
// oldest first. `vardex events erase --to dd.mm.yyyy`: erases the events up
// to and including that day and says how many. The application is started
// here; returns the exit status (2 for a malformed command line or filter).
int eventsCommand(Application &app, const QStringList &args, std::FILE *out, std::FILE *err);

} // namespace vardex
