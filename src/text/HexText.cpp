#include "text/HexText.h"

namespace vardex {

namespace {

constexpr char16_t Digits[] = u"0123456789ABCDEF";

std::optional<quint8> digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return quint8(u - u'0');
    if (u >= u'A' && u <= u'F')
        return quint8(u - u'A' + 10);
    if (u >= u'a' && u <= u'f')
        return quint8(u - u'a' + 10);
    return std::nullopt;
}

void appendHex(QString &out, quint8 byte)
{
    out.append(QChar(Digits[byte >> 4]));
    out.append(QChar(Digits[byte & 0x0F]));
}

} // namespace

QString byteToHex(quint8 byte)
{
    QString out;
    out.reserve(2);
    appendHex(out, byte);
    return out;
}

quint8 hexToByte(QStringView text)
{
    // Padding in front means a single character is the low digit.
    const QChar high = text.size() >= 2 ? text[0] : QChar(u'0');
    const QChar low = text.size() >= 2 ? text[1] : (text.size() == 1 ? text[0] : QChar(u'0'));
    return quint8(digitValue(high).value_or(0) << 4 | digitValue(low).value_or(0));
}

std::optional<quint8> parseHexByte(QStringView text)
{
    if (text.isEmpty() || text.size() > 2)
        return std::nullopt;
    quint8 value = 0;
    for (QChar c : text) {
        const auto digit = digitValue(c);
        if (!digit)
            return std::nullopt;
        value = quint8(value << 4 | *digit);
    }
    return value;
}

QString bytesToHex(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size() * 2);
    for (char b : bytes)
        appendHex(out, quint8(b));
    return out;
}

QByteArray hexToBytes(QStringView text, qsizetype count)
{
    QByteArray out;
    if (count <= 0)
        return out;
    out.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype at = 2 * i;
        out.append(char(at < text.size() ? hexToByte(text.mid(at, 2)) : 0));
    }
    return out;
}

std::optional<QByteArray> parseHexBytes(QStringView text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    QByteArray out;
    out.reserve(text.size() / 2);
    for (qsizetype at = 0; at < text.size(); at += 2) {
        const auto byte = parseHexByte(text.mid(at, 2));
        if (!byte)
            return std::nullopt;
        out.append(char(*byte));
    }
    return out;
}

} // namespace vardex
