#pragma once

#include <QStringList>

#include <cstdio>

namespace vardex {

class Application;

// `vardex keys`: one line per key holder in key-number order: key number,
// name with titles (30 characters, longer names kept whole), personal
// number (12), attendance group (17), permission group (17) and shift
// schedule, separated by blanks.
// `vardex keys export FILE`: the key table as a fixed-width text file.
// `vardex keys import FILE [--replace]`: reads such a file, emptying the
// table first with --replace. Every line left out (no closing "#", a wrong
// length, or a record the table refused) is reported on `err` with its
// number; the exit status is then 1, and with --replace nothing is changed.
// The application is started here; returns the exit status (2 for wrong
// arguments).
int keysCommand(Application &app, const QStringList &args, std::FILE *out, std::FILE *err);

} // namespace vardex
