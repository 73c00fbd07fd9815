#include "text/KeyNumber.h"

#include "text/HexText.h"

#include <algorithm>

namespace vardex {

namespace {

// The byte held by each digit pair of the text, in text order.
constexpr std::array<int, 7> ByteOfPair = {0, 6, 5, 4, 3, 2, 1};

} // namespace

QString keyToText(const KeyBytes &key)
{
    QString text;
    text.reserve(KeyTextLength);
    for (int index : ByteOfPair)
        text.append(byteToHex(key[index]));
    return text;
}

KeyBytes keyFromText(QStringView text)
{
    KeyBytes key{};
    for (qsizetype pair = 0; pair < qsizetype(ByteOfPair.size()); ++pair) {
        const qsizetype at = 2 * pair;
        if (at < text.size())
            key[ByteOfPair[pair]] = hexToByte(text.mid(at, 2));
    }
    return key;
}

std::optional<KeyBytes> parseKeyText(QStringView text)
{
    if (text.size() != KeyTextLength)
        return std::nullopt;
    const auto bytes = parseHexBytes(text);
    if (!bytes)
        return std::nullopt;
    KeyBytes key{};
    for (qsizetype pair = 0; pair < qsizetype(ByteOfPair.size()); ++pair)
        key[ByteOfPair[pair]] = quint8(bytes->at(pair));
    return key;
}

bool isEmptyKey(const KeyBytes &key)
{
    return std::all_of(key.begin(), key.end(), [](quint8 b) { return b == 0; });
}

bool isEmptyKeyText(QStringView text)
{
    return isEmptyKey(keyFromText(text));
}

QString emptyKeyText()
{
    return QStringLiteral("00000000000000");
}

Result<QString> holderKeyText(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    const std::optional<KeyBytes> key = parseKeyText(trimmed);
    if (!key)
        return Failure{QStringLiteral("Chybné číslo klíče „%1“: číslo klíče má 14 šestnáctkových "
                                      "číslic (0–9, A–F)")
                           .arg(trimmed),
                       InvalidKeyNumber};
    if (isEmptyKey(*key))
        return Failure{QStringLiteral("Číslo klíče %1 neoznačuje žádný klíč").arg(trimmed),
                       InvalidKeyNumber};
    return keyToText(*key);
}

} // namespace vardex
