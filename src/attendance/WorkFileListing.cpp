#include "attendance/WorkFileListing.h"

#include "attendance/WorkFile.h"
#include "text/HexText.h"
#include "timecal/DayMonth.h"
#include "timecal/HourMinute.h"

#include <QFile>

namespace vardex {

Result<QStringList> workFileListing(const QString &path, const QString &shownKey)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("Soubor nelze otevřít: ") + path};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() % WorkRecordSize != 0)
        return Failure{QStringLiteral("Chyba čtení souboru: ") + path};
    QStringList lines;
    for (qsizetype pos = 0; pos * WorkRecordSize < bytes.size(); ++pos) {
        const EventRecord r = workRecordFromBytes(bytes.constData() + pos * WorkRecordSize);
        const QString key = r.keyText();
        lines << QStringLiteral("%1 ").arg(pos, 6, 10, QLatin1Char('0')) +
                     (key == shownKey ? QStringLiteral(" >") : QStringLiteral("  ")) + key + u' ' +
                     FormatDayMonth(r.date) + u' ' + FormatHourMinute(r.time) + u' ' +
                     byteToHex(r.address) + u' ' + byteToHex(r.result);
    }
    return lines;
}

} // namespace vardex
