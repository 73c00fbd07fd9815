#include "platform/MemoryInfo.h"

#include <QFile>
#include <QHash>
#include <QStringList>

namespace vardex {

namespace {

// "Name:   12345 kB" lines as name → bytes.
QHash<QString, quint64> memInfoFields(const QString &text)
{
    QHash<QString, quint64> fields;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            continue;
        const QStringList value = line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (value.isEmpty())
            continue;
        bool ok = false;
        const quint64 number = value.first().trimmed().toULongLong(&ok);
        if (!ok)
            continue;
        const bool kilobytes =
            value.size() > 1 &&
            value.at(1).trimmed().compare(QLatin1String("kB"), Qt::CaseInsensitive) == 0;
        fields.insert(line.left(colon).trimmed(), kilobytes ? number * 1024 : number);
    }
    return fields;
}

} // namespace

MemoryStatus parseMemInfo(const QString &text)
{
    const QHash<QString, quint64> fields = memInfoFields(text);
    MemoryStatus status;
    status.totalBytes = fields.value(QStringLiteral("MemTotal"));
    if (status.totalBytes == 0)
        return status;
    quint64 available = 0;
    if (fields.contains(QStringLiteral("MemAvailable")))
        available = fields.value(QStringLiteral("MemAvailable"));
    else
        available = fields.value(QStringLiteral("MemFree")) +
                    fields.value(QStringLiteral("Buffers")) +
                    fields.value(QStringLiteral("Cached"));
    available = qMin(available, status.totalBytes);
    // Rounded to the nearest percent, so 36.99 % in use reads "37 %".
    const quint64 used = status.totalBytes - available;
    status.loadPercent = int((100 * used + status.totalBytes / 2) / status.totalBytes);
    status.ok = true;
    return status;
}

MemoryStatus readMemoryStatus(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    // /proc files report size 0, so read until the end rather than by size.
    return parseMemInfo(QString::fromLatin1(file.readAll()));
}

QString formatMemoryTotal(quint64 totalBytes)
{
    const QString digits = QString::number(totalBytes / 1024);
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += QChar(0x00A0);
        grouped += digits.at(i);
    }
    return grouped + QStringLiteral(" KB");
}

QString formatMemoryLoad(int percent)
{
    return QStringLiteral("%1 %").arg(percent);
}

} // namespace vardex
