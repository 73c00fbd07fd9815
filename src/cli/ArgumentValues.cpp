#include "cli/ArgumentValues.h"

#include "text/HexText.h"
#include "timecal/HourMinute.h"

#include <QRegularExpression>

namespace vardex {

Result<QDate> dateArgument(const QString &text)
{
    // QDate would also take one-digit days and months; the form is fixed.
    static const QRegularExpression form(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4}$"));
    const QDate date = form.match(text).hasMatch()
                           ? QDate::fromString(text, QStringLiteral("dd.MM.yyyy"))
                           : QDate();
    if (!date.isValid())
        return Failure{QStringLiteral("chybné datum %1 (očekává se dd.mm.rrrr)").arg(text)};
    return date;
}

Result<quint16> timeArgument(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([01]\\d|2[0-3]):([0-5]\\d)$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return Failure{QStringLiteral("chybný čas %1 (očekává se hh:mm)").arg(text)};
    return MakeHourMinute(m.captured(1).toInt(), m.captured(2).toInt());
}

Result<KeyBytes> keyArgument(const QString &text)
{
    const std::optional<KeyBytes> key = text.size() == 14 ? parseKeyText(text) : std::nullopt;
    if (!key || isEmptyKey(*key))
        return Failure{QStringLiteral("chybné číslo klíče %1 (očekává se 14 hexadecimálních "
                                      "číslic, ne samé nuly)")
                           .arg(text)};
    return *key;
}

Result<quint8> addressArgument(const QString &text)
{
    const std::optional<quint8> address = text.size() == 2 ? parseHexByte(text) : std::nullopt;
    if (!address)
        return Failure{QStringLiteral("chybná adresa jednotky %1 (očekávají se dvě "
                                      "hexadecimální číslice)")
                           .arg(text)};
    return *address;
}

Result<int> numberArgument(const QString &text, int minimum)
{
    static const QRegularExpression form(QStringLiteral("^\\d{1,9}$"));
    const int n = form.match(text).hasMatch() ? text.toInt() : -1;
    if (n < minimum)
        return Failure{QStringLiteral("chybné číslo %1 (očekává se celé číslo alespoň %2)")
                           .arg(text)
                           .arg(minimum)};
    return n;
}

} // namespace vardex
