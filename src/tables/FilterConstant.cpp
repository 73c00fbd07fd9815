#include "tables/FilterConstant.h"

#include <QDate>
#include <QTime>

#include <cmath>
#include <optional>

namespace vardex {

namespace {

// Reads 1..maxDigits decimal digits at `pos`; exactly `minDigits` or more.
std::optional<int> readNumber(QStringView s, qsizetype &pos, int minDigits, int maxDigits)
{
    int value = 0;
    int digits = 0;
    while (pos < s.size() && digits < maxDigits && s[pos] >= u'0' && s[pos] <= u'9') {
        value = value * 10 + (s[pos].unicode() - '0');
        ++pos;
        ++digits;
    }
    if (digits < minDigits)
        return std::nullopt;
    return value;
}

bool expect(QStringView s, qsizetype &pos, char16_t c)
{
    if (pos >= s.size() || s[pos] != c)
        return false;
    ++pos;
    return true;
}

// A date at `pos`, "d.m.yyyy" or "yyyy-mm-dd"; `pos` moves past it.
std::optional<QDate> readDate(QStringView s, qsizetype &pos)
{
    qsizetype p = pos;
    const auto first = readNumber(s, p, 1, 4);
    if (!first)
        return std::nullopt;
    int year = 0;
    int month = 0;
    int day = 0;
    if (p - pos == 4) {
        const auto m = expect(s, p, u'-') ? readNumber(s, p, 2, 2) : std::nullopt;
        const auto d = m && expect(s, p, u'-') ? readNumber(s, p, 2, 2) : std::nullopt;
        if (!d)
            return std::nullopt;
        year = *first;
        month = *m;
        day = *d;
    } else {
        if (p - pos > 2)
            return std::nullopt;
        const auto m = expect(s, p, u'.') ? readNumber(s, p, 1, 2) : std::nullopt;
        const auto y = m && expect(s, p, u'.') ? readNumber(s, p, 4, 4) : std::nullopt;
        if (!y)
            return std::nullopt;
        day = *first;
        month = *m;
        year = *y;
    }
    // Four-digit years only, so that the stored text keeps its order.
    if (year < 1000 || !QDate::isValid(year, month, day))
        return std::nullopt;
    pos = p;
    return QDate(year, month, day);
}

// A time at `pos`, "h:mm" or "h:mm:ss"; `pos` moves past it.
std::optional<QTime> readTime(QStringView s, qsizetype &pos)
{
    qsizetype p = pos;
    const auto h = readNumber(s, p, 1, 2);
    const auto m = h && expect(s, p, u':') ? readNumber(s, p, 2, 2) : std::nullopt;
    if (!m)
        return std::nullopt;
    int seconds = 0;
    if (p < s.size() && s[p] == u':') {
        ++p;
        const auto sec = readNumber(s, p, 2, 2);
        if (!sec)
            return std::nullopt;
        seconds = *sec;
    }
    if (!QTime::isValid(*h, *m, seconds))
        return std::nullopt;
    pos = p;
    return QTime(*h, *m, seconds);
}

QString isoDate(QDate d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

QString isoTime(QTime t)
{
    return t.toString(QStringLiteral("HH:mm:ss"));
}

std::optional<QString> convertDate(QStringView s)
{
    qsizetype pos = 0;
    const auto d = readDate(s, pos);
    if (!d || pos != s.size())
        return std::nullopt;
    return isoDate(*d);
}

std::optional<QString> convertTime(QStringView s)
{
    qsizetype pos = 0;
    const auto t = readTime(s, pos);
    if (!t || pos != s.size())
        return std::nullopt;
    return isoTime(*t);
}

std::optional<QString> convertDateTime(QStringView s)
{
    qsizetype pos = 0;
    const auto d = readDate(s, pos);
    if (!d)
        return std::nullopt;
    if (pos == s.size())
        return isoDate(*d) + QStringLiteral(" 00:00:00");
    const qsizetype dateEnd = pos;
    while (pos < s.size() && s[pos].isSpace())
        ++pos;
    if (pos == dateEnd)
        return std::nullopt;
    const auto t = readTime(s, pos);
    if (!t || pos != s.size())
        return std::nullopt;
    return isoDate(*d) + u' ' + isoTime(*t);
}

std::optional<qlonglong> convertInteger(QStringView s)
{
    // Digits with an optional sign only; no blanks, no hex prefix.
    const qsizetype start = (!s.isEmpty() && (s[0] == u'+' || s[0] == u'-')) ? 1 : 0;
    if (start == s.size())
        return std::nullopt;
    for (qsizetype i = start; i < s.size(); ++i)
        if (s[i] < u'0' || s[i] > u'9')
            return std::nullopt;
    bool ok = false;
    const qlonglong value = s.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<double> convertFloat(QStringView s)
{
    QString text = s.toString();
    text.replace(u',', u'.');
    for (const QChar c : std::as_const(text))
        if (!(c.isDigit() || c == u'.' || c == u'+' || c == u'-' || c == u'e' || c == u'E'))
            return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> convertBoolean(QStringView s)
{
    static const char *const truths[] = {"T", "TRUE", "1", "A", "ANO"};
    static const char *const falsities[] = {"F", "FALSE", "0", "N", "NE"};
    for (const char *word : truths)
        if (s.compare(QLatin1StringView(word), Qt::CaseInsensitive) == 0)
            return 1;
    for (const char *word : falsities)
        if (s.compare(QLatin1StringView(word), Qt::CaseInsensitive) == 0)
            return 0;
    return std::nullopt;
}

FilterConstant failed(const QString &what, QStringView text)
{
    FilterConstant result;
    result.error = what + text.toString();
    return result;
}

template <typename T> FilterConstant succeeded(const T &value)
{
    FilterConstant result;
    result.ok = true;
    result.value = QVariant::fromValue(value);
    return result;
}

} // namespace

FilterConstant convertFilterConstant(QStringView text, FieldType type)
{
    const QStringView s = text.trimmed();
    switch (type) {
    case FieldType::String:
        return succeeded(text.toString());
    case FieldType::Date:
        if (const auto v = convertDate(s))
            return succeeded(*v);
        return failed(QStringLiteral("Chybné datum: "), s);
    case FieldType::Time:
        if (const auto v = convertTime(s))
            return succeeded(*v);
        return failed(QStringLiteral("Chybný čas: "), s);
    case FieldType::DateTime:
        if (const auto v = convertDateTime(s))
            return succeeded(*v);
        return failed(QStringLiteral("Chybné datum a čas: "), s);
    case FieldType::Integer:
    case FieldType::AutoInc:
        if (const auto v = convertInteger(s))
            return succeeded(*v);
        return failed(QStringLiteral("Chybné číslo: "), s);
    case FieldType::Float:
        if (const auto v = convertFloat(s))
            return succeeded(*v);
        return failed(QStringLiteral("Chybné číslo: "), s);
    case FieldType::Boolean:
        if (const auto v = convertBoolean(s))
            return succeeded(*v);
        return failed(QStringLiteral("Chybná logická hodnota: "), s);
    case FieldType::Bytes:
        break;
    }
    return failed(QStringLiteral("Hodnotu nelze porovnávat: "), s);
}

} // namespace vardex
