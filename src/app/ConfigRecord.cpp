#include "app/ConfigRecord.h"

#include "text/Cp1250.h"

namespace vardex {

namespace {

constexpr int kHomeOffset = 0;
constexpr int kOutputOffset = 81;
constexpr int kDatabaseOffset = 162;
constexpr int kAutoCollectOffset = 243;
constexpr int kHistoryOffset = 244;
constexpr int kReservedOffset = 245;
constexpr int kKeyReaderOffset = 334;

void putDir(QByteArray &bytes, int offset, const QString &dir)
{
    QByteArray text = toCp1250(ConfigRecord::cutDir(dir)).bytes.left(ConfigRecord::kDirLength);
    bytes[offset] = char(text.size());
    for (int i = 0; i < text.size(); ++i)
        bytes[offset + 1 + i] = text[i];
}

QString getDir(const QByteArray &bytes, int offset)
{
    // A length byte above 80 can only come from a damaged file; read what
    // fits rather than past the field.
    const int length = qMin(int(quint8(bytes[offset])), ConfigRecord::kDirLength);
    return fromCp1250(bytes.mid(offset + 1, length)).text;
}

} // namespace

ConfigRecord ConfigRecord::defaults(const QString &home)
{
    ConfigRecord r;
    r.homeDir = cutDir(home);
    r.outputDir = cutDir(home + QStringLiteral("VYSTUP/"));
    r.databaseDir = cutDir(home);
    return r;
}

QByteArray ConfigRecord::toBytes() const
{
    QByteArray bytes(kSize, '\0');
    putDir(bytes, kHomeOffset, homeDir);
    putDir(bytes, kOutputOffset, outputDir);
    putDir(bytes, kDatabaseOffset, databaseDir);
    bytes[kAutoCollectOffset] = autoCollect;
    bytes[kHistoryOffset] = usageHistory;
    const QByteArray r = reserved.left(kReservedSize);
    for (int i = 0; i < r.size(); ++i)
        bytes[kReservedOffset + i] = r[i];
    bytes[kKeyReaderOffset] = char(keyReaderAddress);
    return bytes;
}

std::optional<ConfigRecord> ConfigRecord::fromBytes(const QByteArray &bytes)
{
    if (bytes.size() != kSize)
        return std::nullopt;
    ConfigRecord r;
    r.homeDir = getDir(bytes, kHomeOffset);
    r.outputDir = getDir(bytes, kOutputOffset);
    r.databaseDir = getDir(bytes, kDatabaseOffset);
    r.autoCollect = bytes[kAutoCollectOffset];
    r.usageHistory = bytes[kHistoryOffset];
    r.reserved = bytes.mid(kReservedOffset, kReservedSize);
    r.keyReaderAddress = quint8(bytes[kKeyReaderOffset]);
    return r;
}

} // namespace vardex
