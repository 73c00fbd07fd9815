#pragma once

#include <QString>
#include <cstdio>

namespace vardex {

// Writes the text to a standard stream as UTF-8 and flushes it, so that
// progress lines show as they come even when the stream is a pipe.
void print(std::FILE *file, const QString &text);

} // namespace vardex
