#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringView>

namespace vardex {

// Text converted to the bytes of a file; `error` holds the Czech message when !ok.
struct EncodedText
{
    bool ok = false;
    QByteArray bytes;
    QString error;
};

// Bytes of a file converted to text; `error` holds the Czech message when !ok.
struct DecodedText
{
    bool ok = false;
    QString text;
    QString error;
};

// The 8-bit character set of every text file and table text the program
// keeps (Windows code page 1250, Central European). One byte is one
// character. A character the code page has no place for is written as "?",
// so a name typed with a foreign letter never stops a report or an export.
//
// The conversion is Qt's own; whether this Qt offers the code page is known
// only at run time, so every call reports an error value when it does not.
class Cp1250Codec
{
public:
    Cp1250Codec();

    bool isValid() const;
    // "Znaková sada windows-1250 není k dispozici"
    static QString unavailableMessage();

    EncodedText encode(QStringView text);
    DecodedText decode(QByteArrayView bytes);

private:
    QByteArray encodeCharByChar(QStringView text);

    QStringEncoder m_encoder;
    QStringDecoder m_decoder;
};

// One-off conversions with a codec of their own.
EncodedText toCp1250(QStringView text);
DecodedText fromCp1250(QByteArrayView bytes);
// Whether the text goes through the code page unchanged: a name that would
// be stored with "?" (a path, a port) must be refused instead.
bool fitsCp1250(QStringView text);

} // namespace vardex
