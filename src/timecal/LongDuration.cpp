#include "timecal/LongDuration.h"

#include <QLatin1Char>

namespace vardex {

quint32 AddLongDuration(quint32 a, quint32 b)
{
    quint64 hours = quint64(LongHoursOf(a)) + LongHoursOf(b);
    int minutes = LongMinutesOf(a) + LongMinutesOf(b);
    if (minutes > 59) {
        minutes -= 60;
        hours += 1;
    }
    if (hours > MaxLongHours)
        return MakeLongDuration(MaxLongHours, 59);
    return MakeLongDuration(quint32(hours), minutes);
}

quint32 AddLongDuration(quint32 a, quint16 word)
{
    return AddLongDuration(a, quint32(word));
}

quint32 SubLongDuration(quint32 a, quint32 b)
{
    if (!LongGreater(a, b))
        return 0;
    qint64 hours = qint64(LongHoursOf(a)) - LongHoursOf(b);
    int minutes = LongMinutesOf(a) - LongMinutesOf(b);
    if (minutes < 0) {
        minutes += 60;
        hours -= 1;
    }
    // Only minutes above 59 in the operands can leave the minutes negative after one borrow.
    const qint64 result = hours * 256 + minutes;
    return result < 0 ? 0 : quint32(result);
}

QString FormatLongDuration(quint32 duration)
{
    return QStringLiteral("%1:%2")
        .arg(LongHoursOf(duration), 3, 10, QLatin1Char('0'))
        .arg(LongMinutesOf(duration), 2, 10, QLatin1Char('0'));
}

bool LongGreater(quint32 a, quint32 b)
{
    const quint32 h1 = LongHoursOf(a), h2 = LongHoursOf(b);
    return h1 > h2 || (h1 == h2 && LongMinutesOf(a) > LongMinutesOf(b));
}

QString SignedLongDiffText(quint32 a, quint32 b)
{
    if (LongGreater(b, a))
        return QLatin1Char('-') + FormatLongDuration(SubLongDuration(b, a));
    return QLatin1Char(' ') + FormatLongDuration(SubLongDuration(a, b));
}

} // namespace vardex
