#pragma once

#include <QStringView>

struct sqlite3;

namespace vardex {

// Names of the collations that text indexes use: Czech order, either
// case-sensitive or case-insensitive.
inline constexpr const char *kCzechCollation = "CZ";
inline constexpr const char *kCzechNoCaseCollation = "CZ_NOCASE";

// Compares two texts the way a Czech reader orders them (Č after C, Ch after
// H, Ř after R, Š after S, Ž after Z). Returns <0, 0 or >0.
int compareCzech(QStringView a, QStringView b, bool caseInsensitive);

// The same order over UTF-8 bytes (as SQLite hands them over); bytes that are
// not valid UTF-8 still compare consistently.
int compareCzechUtf8(const char *a, qsizetype aLength, const char *b, qsizetype bLength,
                     bool caseInsensitive);

// Registers both collations on one SQLite connection; must be called on
// every connection that opens a table file. Returns false on failure.
bool registerCzechCollations(sqlite3 *db);

} // namespace vardex
