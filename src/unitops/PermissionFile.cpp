#include "unitops/PermissionFile.h"

#include "text/LineFile.h"

#include <QDir>
#include <QFile>

namespace vardex {

QString permissionFilePath(const QString &workDir)
{
    return QDir(workDir).filePath(QStringLiteral("WKVRRTS.DAT"));
}

Result<void> writePermissionFile(const QString &path, const QList<PermissionRecord> &records)
{
    QByteArray bytes;
    bytes.reserve(records.size() * PermissionRecordSize);
    for (const PermissionRecord &r : records)
        bytes.append(r.toBytes());
    const FileWritten written = writeWholeFile(path, bytes);
    if (!written.ok)
        return Failure{written.error};
    return {};
}

Result<QList<PermissionRecord>> readPermissionFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("Soubor %1 nelze otevřít: %2").arg(path, file.errorString())};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure{QStringLiteral("Soubor %1 nelze přečíst: %2").arg(path, file.errorString())};
    if (bytes.size() % PermissionRecordSize != 0)
        return Failure{QStringLiteral("Soubor %1 je poškozený: délka %2 není násobkem %3")
                           .arg(path)
                           .arg(bytes.size())
                           .arg(PermissionRecordSize)};
    QList<PermissionRecord> records;
    records.reserve(bytes.size() / PermissionRecordSize);
    for (qsizetype at = 0; at < bytes.size(); at += PermissionRecordSize)
        records.append(
            PermissionRecord::fromBytes(QByteArrayView(bytes).sliced(at, PermissionRecordSize)));
    return records;
}

} // namespace vardex
