#include "comm/LineErrors.h"

#include "text/Cp1250.h"

#include <QStringList>

namespace vardex::LineErrors {

namespace {

constexpr qsizetype kMaxTextLength = 255;

} // namespace

quint32 flagsBetween(const LineCounters &before, const LineCounters &after)
{
    quint32 flags = 0;
    if (after.frame != before.frame)
        flags |= Frame;
    if (after.overrun != before.overrun)
        flags |= Overrun;
    if (after.parity != before.parity)
        flags |= RxParity;
    if (after.brk != before.brk)
        flags |= Break;
    if (after.bufferOverrun != before.bufferOverrun)
        flags |= RxOver;
    return flags;
}

QString text(quint32 flags)
{
    QStringList names;
    if (flags == 0)
        names << QStringLiteral("NULL Error");
    if (flags & Frame)
        names << QStringLiteral("CE_FRAME");
    if (flags & Overrun)
        names << QStringLiteral("CE_OVERRUN");
    if (flags & RxParity)
        names << QStringLiteral("CE_RXPARITY");
    if (flags & ~(Frame | Overrun | RxParity))
        names << QStringLiteral("EV_ERR neznámá EvtMask");
    return QStringLiteral("CommEvent: %1, EvtMask = %2")
        .arg(names.join(QStringLiteral(" and ")))
        .arg(flags)
        .left(kMaxTextLength);
}

QByteArray chunk(quint32 flags)
{
    EncodedText encoded = toCp1250(text(flags));
    if (!encoded.ok)
        return text(flags).toLatin1();
    return encoded.bytes;
}

} // namespace vardex::LineErrors
