#pragma once

#include <QByteArray>
#include <QFile>

// A memory figure of this process from /proc/self/status in kB, e.g.
// "VmHWM" (peak resident) or "VmRSS" (resident now); -1 when unknown.
inline long processStatusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}
