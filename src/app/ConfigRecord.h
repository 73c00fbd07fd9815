#pragma once

#include "base/Result.h"

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
//
// In memory the directories are whole paths; only their bytes in the record
// are cut to 80 characters. A field that holds its default cut short (a home
// deeper than 80 characters) is read back as the default in full.
struct ConfigRecord
{
    static constexpr int kSize = 335;
    static constexpr int kDirLength = 80;
    static constexpr int kReservedSize = 89;

    QString homeDir; // the home actually used, where the file lives
    QString outputDir;
    QString databaseDir;
    char autoCollect = 'N';
    char usageHistory = 'N';
    QByteArray reserved = QByteArray(kReservedSize, '\0');
    quint8 keyReaderAddress = 0;

    // A new record for a program living in `home` (which ends with "/").
    static ConfigRecord defaults(const QString &home);
    static QString defaultOutputDir(const QString &home)
    {
        return home + QStringLiteral("VYSTUP/");
    }

    QByteArray toBytes() const;
    // The fields as the record's bytes hold them, from exactly kSize bytes;
    // std::nullopt for any other size.
    static std::optional<ConfigRecord> fromBytes(const QByteArray &bytes);
    // The record read from the file in `home` as the program keeps it: its
    // home is `home`, and a directory field holding its default cut to the
    // field's length is that default in full.
    ConfigRecord atHome(const QString &home) const;

    // Whether a directory text is read back from the record as itself: every
    // character in cp1250, and at most 80 characters unless it is the
    // field's default `fieldDefault`. Otherwise the Czech reason.
    static Result<void> checkDir(const QString &dir, const QString &fieldDefault);
    // Whether a text fits cp1250, so that the record keeps no "?" for it.
    static Result<void> checkEncodable(const QString &dir);
};

} // namespace vardex
