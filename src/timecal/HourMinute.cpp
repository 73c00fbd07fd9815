#include "timecal/HourMinute.h"

#include "timecal/TwoDigits.h"

#include <QLatin1Char>

namespace vardex {

using timecal_detail::TwoDigitsAt;

quint16 ParseHourMinute(QStringView text)
{
    if (text.size() != 5 || text[2] != u':')
        return InvalidHourMinute;
    const int hours = TwoDigitsAt(text, 0);
    const int minutes = TwoDigitsAt(text, 3);
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
        return InvalidHourMinute;
    return MakeHourMinute(hours, minutes);
}

QString FormatHourMinute(quint16 word)
{
    return QStringLiteral("%1:%2")
        .arg(HourOf(word), 2, 10, QLatin1Char('0'))
        .arg(MinuteOf(word), 2, 10, QLatin1Char('0'));
}

bool IsValidHourMinute(quint16 word)
{
    return HourOf(word) < 24 && MinuteOf(word) < 60;
}

quint16 SubHourMinute(quint16 a, quint16 b)
{
    if (a <= b)
        return 0;
    int hours = HourOf(a) - HourOf(b);
    int minutes = MinuteOf(a) - MinuteOf(b);
    if (minutes < 0) {
        minutes += 60;
        hours -= 1;
    }
    // Only words with minutes above 59 can leave the minutes negative after the one borrow.
    const int result = hours * 256 + minutes;
    return result < 0 ? 0 : quint16(result);
}

quint16 AddHourMinute(quint16 a, quint16 b)
{
    int hours = HourOf(a) + HourOf(b);
    int minutes = MinuteOf(a) + MinuteOf(b);
    if (minutes > 59) {
        minutes -= 60;
        hours += 1;
    }
    const int result = hours * 256 + minutes;
    return result > MaxHourMinute ? MaxHourMinute : quint16(result);
}

QString SignedDiffText(quint16 a, quint16 b)
{
    if (a > b)
        return QLatin1Char('-') + FormatHourMinute(SubHourMinute(a, b));
    const quint16 d = SubHourMinute(b, a);
    return (d == 0 ? QLatin1Char(' ') : QLatin1Char('+')) + FormatHourMinute(d);
}

quint16 OverlapLength(quint16 a, quint16 b, quint16 c, quint16 d)
{
    if ((c >= a && c >= b) || (d <= a && d <= b))
        return 0; // apart, or touching at one end
    if (a >= c && d >= b)
        return SubHourMinute(b, a); // the first lies inside the second
    if (c >= a && d >= b)
        return SubHourMinute(b, c); // the second starts inside the first and runs past it
    if (c >= a && d <= b)
        return SubHourMinute(d, c); // the second lies inside the first
    return SubHourMinute(d, a);     // the second starts before the first and ends inside it
}

HourMinuteRange WidenRange(quint16 lo, quint16 hi, quint16 a, quint16 b)
{
    return {qMin(lo, a), qMax(hi, b)};
}

} // namespace vardex
