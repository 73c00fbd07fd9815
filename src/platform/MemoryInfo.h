#pragma once

#include <QString>
#include <QtGlobal>

namespace vardex {

// The computer's physical memory as the about box shows it.
struct MemoryStatus
{
    bool ok = false;
    quint64 totalBytes = 0;
    int loadPercent = 0; // share of the memory in use, 0..100, rounded
};

// The status from the text of /proc/meminfo: MemTotal, and MemAvailable (or,
// on kernels without it, MemFree + Buffers + Cached). !ok when MemTotal is
// missing or zero.
MemoryStatus parseMemInfo(const QString &text);

// The status of this machine, read from `path`.
MemoryStatus readMemoryStatus(const QString &path = QStringLiteral("/proc/meminfo"));

// The total in kilobytes with the Czech thousands separator (a non-breaking
// space, U+00A0) followed by " KB", e.g. "16 314 368 KB".
QString formatMemoryTotal(quint64 totalBytes);

// The load as "37 %".
QString formatMemoryLoad(int percent);

} // namespace vardex
