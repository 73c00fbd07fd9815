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
    // cp1250 has one byte per character, so the cut keeps whole characters.
    const QByteArray text = toCp1250(QStringView(dir).left(ConfigRecord::kDirLength))
                                .bytes.left(ConfigRecord::kDirLength);
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

// A stored field that is its default cut short stands for the default.
QString inFull(const QString &stored, const QString &fieldDefault)
{
    if (fieldDefault.size() > ConfigRecord::kDirLength &&
        stored == fieldDefault.left(ConfigRecord::kDirLength))
        return fieldDefault;
    return stored;
}

} // namespace

ConfigRecord ConfigRecord::defaults(const QString &home)
{
    ConfigRecord r;
    r.homeDir = home;
    r.outputDir = defaultOutputDir(home);
    r.databaseDir = home;
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

ConfigRecord ConfigRecord::atHome(const QString &home) const
{
    ConfigRecord r = *this;
    r.homeDir = home;
    r.outputDir = inFull(outputDir, defaultOutputDir(home));
    r.databaseDir = inFull(databaseDir, home);
    return r;
}

Result<void> ConfigRecord::checkEncodable(const QString &dir)
{
    if (!fitsCp1250(dir))
        return Failure{QStringLiteral("Název adresáře %1 obsahuje znak, který nelze zapsat "
                                      "v kódování cp1250 konfiguračního souboru")
                           .arg(dir)};
    return {};
}

Result<void> ConfigRecord::checkDir(const QString &dir, const QString &fieldDefault)
{
    if (Result<void> encodable = checkEncodable(dir); !encodable)
        return encodable;
    if (inFull(dir.left(kDirLength), fieldDefault) != dir)
        return Failure{QStringLiteral("Název adresáře %1 se do konfigurace nevejde (nejvýše %2 "
                                      "znaků)")
                           .arg(dir)
                           .arg(kDirLength)};
    return {};
}

} // namespace vardex
