#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace vardex {

// The program's own settings, kept as one record of exactly 335 bytes in the
// file "WKVRCFG.DBF" in the home directory:
//   0   81  home directory     (length byte 0..80, then 80 cp1250 characters)
//   81  81  output directory   (same form; ends with a path separator)
//   162 81  database directory (same form)
//   243 1   automatic data collection "A"/"N"
//   244 1   usage history "A"/"N"
//   245 89  reserved, carried unchanged
//   334 1   address of the unit at which keys are read
struct ConfigRecord
{
    static constexpr int kSize = 335;
    static constexpr int kDirLength = 80;
    static constexpr int kReservedSize = 89;

    QString homeDir;
    QString outputDir;
    QString databaseDir;
    char autoCollect = 'N';
    char usageHistory = 'N';
    QByteArray reserved = QByteArray(kReservedSize, '\0');
    quint8 keyReaderAddress = 0;

    // A new record for a program living in `home` (which ends with "/").
    static ConfigRecord defaults(const QString &home);

    QByteArray toBytes() const;
    // The record from exactly kSize bytes; std::nullopt for any other size.
    static std::optional<ConfigRecord> fromBytes(const QByteArray &bytes);

    // A directory text as the record keeps it: at most 80 characters.
    static QString cutDir(const QString &dir) { return dir.left(kDirLength); }
};

} // namespace vardex
