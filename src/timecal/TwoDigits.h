#pragma once

#include <QStringView>

namespace vardex::timecal_detail {

// The value of the two ASCII digits at text[pos] and text[pos + 1], or -1 when either is
// anything else (a space, a sign, a letter, a digit of another script). The caller has
// checked the length.
inline int TwoDigitsAt(QStringView text, qsizetype pos)
{
    int value = 0;
    for (qsizetype i = pos; i < pos + 2; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace vardex::timecal_detail
