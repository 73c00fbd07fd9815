#include "platform/FileChooser.h"

#include <QFileInfo>

namespace vardex {

QList<FileFilterEntry> parseFileFilter(const QString &filter)
{
    QList<FileFilterEntry> result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        result.append({parts[i], parts[i + 1]});
    return result;
}

QString withDefaultExtension(const QString &fileName, const QString &defaultExtension)
{
    if (fileName.isEmpty() || defaultExtension.isEmpty())
        return fileName;
    if (!QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName + QLatin1Char('.') + defaultExtension;
}

} // namespace vardex
