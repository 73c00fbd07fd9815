#include "app/ConfigFile.h"

#include "platform/OperatorMessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

ConfigLoad loadOrCreateConfig(const QString &home, OperatorMessages &messages)
{
    ConfigLoad result;
    const QString path = home + QLatin1String(kConfigFileName);
    if (QFileInfo::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            result.error = QStringLiteral("Konfigurační soubor %1 nelze otevřít: %2")
                               .arg(path, file.errorString());
            return result;
        }
        const QByteArray bytes = file.read(ConfigRecord::kSize + 1);
        const auto record = ConfigRecord::fromBytes(bytes);
        if (!record) {
            result.error =
                QStringLiteral("Konfigurační soubor %1 je poškozený: má %2 bajtů místo %3")
                    .arg(path)
                    .arg(bytes.size())
                    .arg(ConfigRecord::kSize);
            return result;
        }
        result.record = *record;
        result.ok = true;
        return result;
    }

    ConfigRecord record = ConfigRecord::defaults(home);
    if (!directoryTest(record.outputDir, messages))
        record.outputDir.clear();
    if (!directoryTest(record.databaseDir, messages))
        record.databaseDir.clear();
    result.error = writeConfig(record);
    result.record = record;
    result.ok = result.error.isEmpty();
    return result;
}

QString writeConfig(const ConfigRecord &record)
{
    const QString path = record.homeDir + QLatin1String(kConfigFileName);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(record.toBytes()) != ConfigRecord::kSize ||
        !file.commit())
        return QStringLiteral("Chyba zápisu konfiguračního souboru %1: %2")
            .arg(path, file.errorString());
    return {};
}

} // namespace vardex
