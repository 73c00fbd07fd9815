#include "app/ConfigFile.h"

#include "platform/OperatorMessages.h"
#include "text/LineFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vardex {

bool directoryTest(const QString &dir, OperatorMessages &messages)
{
    if (!dir.isEmpty() && QFileInfo(dir).isDir())
        return true;
    if (!dir.isEmpty() && QDir().mkpath(dir)) {
        messages.information(QStringLiteral("Vytvořen adresář \r\n") + dir);
        return true;
    }
    messages.warning(QStringLiteral("Nemohu vytvořit adresář \r\n") + dir);
    return false;
}

Result<void> checkHome(const QString &home)
{
    if (!QFileInfo(home).isDir())
        return Failure{QStringLiteral("Domovský adresář %1 neexistuje (určuje jej volba --home, "
                                      "proměnná VARDEX_HOME nebo umístění programu)")
                           .arg(home)};
    return ConfigRecord::checkEncodable(home);
}

Result<ConfigRecord> loadOrCreateConfig(const QString &home, OperatorMessages &messages)
{
    if (Result<void> usable = checkHome(home); !usable)
        return usable.failure();
    const QString path = home + QLatin1String(kConfigFileName);
    if (QFileInfo::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return Failure{QStringLiteral("Konfigurační soubor %1 nelze otevřít: %2")
                               .arg(path, file.errorString())};
        // Bytes past the record (a file padded by some copy tool) are not ours.
        const QByteArray bytes = file.read(ConfigRecord::kSize);
        if (file.error() != QFileDevice::NoError)
            return Failure{QStringLiteral("Chyba čtení konfiguračního souboru %1: %2")
                               .arg(path, file.errorString())};
        const std::optional<ConfigRecord> record = ConfigRecord::fromBytes(bytes);
        if (!record)
            return Failure{
                QStringLiteral("Konfigurační soubor %1 je poškozený: má %2 bajtů místo %3")
                    .arg(path)
                    .arg(bytes.size())
                    .arg(ConfigRecord::kSize)};
        return record->atHome(home);
    }

    ConfigRecord record = ConfigRecord::defaults(home);
    if (!directoryTest(record.outputDir, messages))
        record.outputDir.clear();
    if (!directoryTest(record.databaseDir, messages))
        record.databaseDir.clear();
    if (Result<void> written = writeConfig(record); !written)
        return written.failure();
    return record;
}

Result<void> writeConfig(const ConfigRecord &record)
{
    for (const QString &dir : {record.homeDir, record.outputDir, record.databaseDir})
        if (Result<void> encodable = ConfigRecord::checkEncodable(dir); !encodable)
            return encodable;
    const FileWritten written =
        writeWholeFile(record.homeDir + QLatin1String(kConfigFileName), record.toBytes());
    if (!written.ok)
        return Failure{written.error};
    return {};
}

} // namespace vardex
