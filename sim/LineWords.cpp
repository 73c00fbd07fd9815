#include "sim/LineWords.h"

#include "sim/ReplyWriter.h"
#include "text/HexText.h"

#include <QRegularExpression>

namespace vardex::sim {

namespace {

QString hhmm(quint16 packed)
{
    return QStringLiteral("%1:%2")
        .arg(packed >> 8, 2, 10, QLatin1Char('0'))
        .arg(packed & 0xFF, 2, 10, QLatin1Char('0'));
}

Failure bad(const QString &item)
{
    return {QStringLiteral("bad %1").arg(item)};
}

} // namespace

LineWords LineWords::split(const QString &line)
{
    LineWords w;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString &word : line.split(blanks, Qt::SkipEmptyParts)) {
        const qsizetype eq = word.indexOf(QLatin1Char('='));
        if (eq > 0)
            w.named.append({word.left(eq).toLower(), word.mid(eq + 1)});
        else
            w.positional.append(word);
    }
    return w;
}

std::optional<int> decimalIn(const QString &text, int lo, int hi)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < lo || v > hi)
        return std::nullopt;
    return v;
}

std::optional<quint16> hourMinute(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).toInt();
    if (h > 23 || min > 59)
        return std::nullopt;
    return packTime(h, min);
}

std::optional<KeyBytes> keyOrDash(const QString &text)
{
    if (text == QLatin1String("-"))
        return KeyBytes{};
    return parseKeyText(text);
}

namespace {

const std::pair<const char *, quint8> StateNames[] = {
    {"none", UnitStateCode::NotConfigured},
    {"zeroed", UnitStateCode::Zeroed},
    {"locked", UnitStateCode::Locked},
    {"configured", UnitStateCode::Configured},
};

} // namespace

std::optional<quint8> unitStateFromName(const QString &name)
{
    for (const auto &[text, code] : StateNames)
        if (name == QLatin1String(text))
            return code;
    return std::nullopt;
}

QString unitStateName(quint8 state)
{
    for (const auto &[text, code] : StateNames)
        if (state == code)
            return QLatin1String(text);
    return QString();
}

Result<UnitSetup> unitFromWords(const LineWords &w,
                                const std::function<bool(const QString &, const QString &)> &more)
{
    const auto address = parseHexByte(w.positional.value(1));
    if (!address || w.positional.size() != 2)
        return Failure{QStringLiteral("expected: unit ADDR [name=value ...]")};
    UnitSetup u;
    u.address = *address;
    for (const auto &[name, value] : w.named) {
        std::optional<int> n;
        if (name == QLatin1String("type") && (n = decimalIn(value, 0, 255)) &&
            modelOfType(quint8(*n)))
            u.type = quint8(*n);
        else if (name == QLatin1String("mode") && (n = decimalIn(value, 0, 255)))
            u.mode = quint8(*n);
        else if (name == QLatin1String("memory") && (n = decimalIn(value, 0, 255)))
            u.memorySizeCode = quint8(*n);
        else if (name == QLatin1String("state") && unitStateFromName(value))
            u.state = *unitStateFromName(value);
        else if (name == QLatin1String("alarm") && parseHexByte(value))
            u.alarmMask = *parseHexByte(value);
        else if (name == QLatin1String("relay") && parseHexByte(value))
            u.relayMask = *parseHexByte(value);
        else if (name == QLatin1String("config") && value.size() == 32 && parseHexBytes(value))
            u.configBlock = *parseHexBytes(value);
        else if (!more || !more(name, value))
            return bad(name);
    }
    return u;
}

Result<SimConfig::PermitLine> permitFromWords(const LineWords &w)
{
    const auto address = parseHexByte(w.positional.value(1));
    const auto k = parseKeyText(w.positional.value(2));
    if (!address || !k || w.positional.size() != 3)
        return Failure{QStringLiteral("expected: permit ADDR KEY [attr=HH] [days=N] [from=HH:MM] "
                                      "[to=HH:MM]")};
    Permission p{0x0F, *k, 0x7F, packTime(0, 0), packTime(23, 59)};
    for (const auto &[name, value] : w.named) {
        std::optional<int> n;
        if (name == QLatin1String("attr") && parseHexByte(value))
            p.attribute = *parseHexByte(value);
        else if (name == QLatin1String("days") && (n = decimalIn(value, 0, 127)))
            p.dayMask = quint8(*n);
        else if (name == QLatin1String("from") && hourMinute(value))
            p.start = *hourMinute(value);
        else if (name == QLatin1String("to") && hourMinute(value))
            p.end = *hourMinute(value);
        else
            return bad(name);
    }
    return SimConfig::PermitLine{*address, p};
}

Result<SimConfig::EventLine> eventFromWords(const LineWords &w)
{
    static const QRegularExpression dayMonth(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.?$"));
    const auto address = parseHexByte(w.positional.value(1));
    const auto k = keyOrDash(w.positional.value(2));
    const auto dm = dayMonth.match(w.positional.value(3));
    const auto time = hourMinute(w.positional.value(4));
    const auto res = parseHexByte(w.positional.value(5));
    if (!address || !k || !dm.hasMatch() || !time || !res || w.positional.size() != 6)
        return Failure{QStringLiteral("expected: event ADDR KEY|- DD.MM. HH:MM RES")};
    // A leap year, so that 29.02. is a day.
    const QDate date(2000, dm.captured(2).toInt(), dm.captured(1).toInt());
    if (!date.isValid())
        return bad(QStringLiteral("date"));
    const QDateTime at(date, QTime(*time >> 8, *time & 0xFF));
    return SimConfig::EventLine{*address, eventSlotAt(*k, at, *res)};
}

QString permitLine(const SimConfig::PermitLine &p)
{
    const Permission &q = p.permission;
    return QStringLiteral("permit %1 %2 attr=%3 days=%4 from=%5 to=%6")
        .arg(byteToHex(p.address), keyToText(q.key), byteToHex(q.attribute))
        .arg(int(q.dayMask))
        .arg(hhmm(q.start), hhmm(q.end));
}

QString eventLine(const SimConfig::EventLine &e)
{
    // The time is kept in BCD, whose hexadecimal digits are the decimal ones.
    const EventSlot &s = e.event;
    return QStringLiteral("event %1 %2 %3.%4. %5:%6 %7")
        .arg(byteToHex(e.address), isEmptyKey(s.key) ? QStringLiteral("-") : keyToText(s.key),
             byteToHex(s.day), byteToHex(s.month), byteToHex(s.hour), byteToHex(s.minute),
             byteToHex(s.result));
}

} // namespace vardex::sim
