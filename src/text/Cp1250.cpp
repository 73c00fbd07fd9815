#include "text/Cp1250.h"

namespace vardex {

namespace {

constexpr const char *CodePageName = "windows-1250";
constexpr char Unmappable = '?';

} // namespace

Cp1250Codec::Cp1250Codec()
    : m_encoder(CodePageName, QStringConverter::Flag::Stateless),
      m_decoder(CodePageName, QStringConverter::Flag::Stateless)
{
}

bool Cp1250Codec::isValid() const
{
    return m_encoder.isValid() && m_decoder.isValid();
}

QString Cp1250Codec::unavailableMessage()
{
    return QStringLiteral("Znaková sada windows-1250 není k dispozici");
}

EncodedText Cp1250Codec::encode(QStringView text)
{
    if (!isValid())
        return {false, {}, unavailableMessage()};
    // The converter puts its own substitute byte (0x1A) for a character it
    // cannot map and keeps no reliable per-call error flag, so the result is
    // checked by reading it back: only when that gives the text again is every
    // character in the code page.
    QByteArray bytes = m_encoder.encode(text);
    const QString back = m_decoder.decode(bytes);
    if (QStringView(back) == text)
        return {true, bytes, {}};
    return {true, encodeCharByChar(text), {}};
}

// One character at a time (a surrogate pair is one character); a character
// whose byte does not read back as itself is written as "?".
QByteArray Cp1250Codec::encodeCharByChar(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype length = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            length = 2;
        const QStringView one = text.mid(i, length);
        const QByteArray byte = m_encoder.encode(one);
        const QString back = m_decoder.decode(byte);
        if (byte.size() == 1 && QStringView(back) == one)
            out.append(byte);
        else
            out.append(Unmappable);
        i += length;
    }
    return out;
}

DecodedText Cp1250Codec::decode(QByteArrayView bytes)
{
    if (!isValid())
        return {false, {}, unavailableMessage()};
    // Every byte has a character (the five unassigned ones read as the C1
    // control of the same number), so decoding cannot lose anything.
    QString text = m_decoder.decode(bytes);
    return {true, text, {}};
}

EncodedText toCp1250(QStringView text)
{
    Cp1250Codec codec;
    return codec.encode(text);
}

DecodedText fromCp1250(QByteArrayView bytes)
{
    Cp1250Codec codec;
    return codec.decode(bytes);
}

bool fitsCp1250(QStringView text)
{
    const EncodedText bytes = toCp1250(text);
    return bytes.ok && fromCp1250(bytes.bytes).text == text;
}

} // namespace vardex
