#include "timecal/DayMonth.h"

#include "timecal/Calendar.h"
#include "timecal/TwoDigits.h"

#include <QLatin1Char>

namespace vardex {

using timecal_detail::TwoDigitsAt;

quint16 ParseDayMonth(QStringView text)
{
    if (text.size() != 6 || text[2] != u'.' || text[5] != u'.')
        return InvalidDayMonth;
    const int day = TwoDigitsAt(text, 0);
    const int month = TwoDigitsAt(text, 3);
    if (day < 1 || day > 31 || month < 1 || month > 12)
        return InvalidDayMonth;
    return PackDayMonth(day, month);
}

QString FormatDayMonth(quint16 word)
{
    return QStringLiteral("%1.%2.")
        .arg(DayOfDayMonth(word), 2, 10, QLatin1Char('0'))
        .arg(MonthOfDayMonth(word), 2, 10, QLatin1Char('0'));
}

bool IsValidDayMonth(quint16 word)
{
    const int day = DayOfDayMonth(word);
    const int month = MonthOfDayMonth(word);
    return day >= 1 && day <= 31 && month >= 1 && month <= 12;
}

bool IsValidDayMonthInYear(quint16 word, int year)
{
    return IsValidDayMonth(word) && year != 0 &&
           DayOfDayMonth(word) <= DaysInMonth(year, MonthOfDayMonth(word));
}

} // namespace vardex
