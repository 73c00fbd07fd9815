#include "sim/SimConfig.h"

#include "sim/ReplyWriter.h"
#include "text/HexText.h"

#include <QFile>
#include <QRegularExpression>

namespace vardex::sim {

namespace {

struct Words
{
    QStringList positional;
    QList<QPair<QString, QString>> named; // key=value
};

Words split(const QString &line)
{
    Words w;
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

std::optional<quint8> hexByte(const QString &text)
{
    return parseHexByte(text);
}

std::optional<int> number(const QString &text, int lo, int hi)
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

// A key text of 14 hexadecimal digits, or "-" for no key.
std::optional<KeyBytes> key(const QString &text)
{
    if (text == QLatin1String("-"))
        return KeyBytes{};
    return parseKeyText(text);
}

std::optional<quint8> stateFromName(const QString &name)
{
    if (name == QLatin1String("none"))
        return UnitStateCode::NotConfigured;
    if (name == QLatin1String("zeroed"))
        return UnitStateCode::Zeroed;
    if (name == QLatin1String("locked"))
        return UnitStateCode::Locked;
    if (name == QLatin1String("configured"))
        return UnitStateCode::Configured;
    return std::nullopt;
}

// Reads one line into the configuration; an empty text means it was fine.
QString parseLine(const QString &line, SimConfig &c)
{
    const Words w = split(line);
    const QString what = w.positional.value(0).toLower();
    const auto bad = [](const QString &item) { return QStringLiteral("bad %1").arg(item); };
    const auto address = hexByte(w.positional.value(1));

    if (what == QLatin1String("unit")) {
        if (!address || w.positional.size() != 2)
            return QStringLiteral("expected: unit ADDR [name=value ...]");
        UnitSetup u;
        u.address = *address;
        for (const auto &[name, value] : w.named) {
            std::optional<int> n;
            if (name == QLatin1String("type") && (n = number(value, 0, 255)) &&
                modelOfType(quint8(*n)))
                u.type = quint8(*n);
            else if (name == QLatin1String("mode") && (n = number(value, 0, 255)))
                u.mode = quint8(*n);
            else if (name == QLatin1String("memory") && (n = number(value, 0, 255)))
                u.memorySizeCode = quint8(*n);
            else if (name == QLatin1String("state") && stateFromName(value))
                u.state = *stateFromName(value);
            else if (name == QLatin1String("alarm") && hexByte(value))
                u.alarmMask = *hexByte(value);
            else if (name == QLatin1String("relay") && hexByte(value))
                u.relayMask = *hexByte(value);
            else if (name == QLatin1String("config") && value.size() == 32 && parseHexBytes(value))
                u.configBlock = *parseHexBytes(value);
            else
                return bad(name);
        }
        for (const UnitSetup &other : c.units)
            if (other.address == u.address)
                return QStringLiteral("unit %1 twice").arg(byteToHex(u.address));
        c.units.append(u);
    } else if (what == QLatin1String("permit")) {
        const auto k = parseKeyText(w.positional.value(2));
        if (!address || !k || w.positional.size() != 3)
            return QStringLiteral("expected: permit ADDR KEY [attr=HH] [days=N] [from=HH:MM] "
                                  "[to=HH:MM]");
        Permission p{0x0F, *k, 0x7F, packTime(0, 0), packTime(23, 59)};
        for (const auto &[name, value] : w.named) {
            std::optional<int> n;
            if (name == QLatin1String("attr") && hexByte(value))
                p.attribute = *hexByte(value);
            else if (name == QLatin1String("days") && (n = number(value, 0, 127)))
                p.dayMask = quint8(*n);
            else if (name == QLatin1String("from") && hourMinute(value))
                p.start = *hourMinute(value);
            else if (name == QLatin1String("to") && hourMinute(value))
                p.end = *hourMinute(value);
            else
                return bad(name);
        }
        c.permits.append({*address, p});
    } else if (what == QLatin1String("event")) {
        static const QRegularExpression dayMonth(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.?$"));
        const auto k = key(w.positional.value(2));
        const auto dm = dayMonth.match(w.positional.value(3));
        const auto time = hourMinute(w.positional.value(4));
        const auto res = hexByte(w.positional.value(5));
        if (!address || !k || !dm.hasMatch() || !time || !res || w.positional.size() != 6)
            return QStringLiteral("expected: event ADDR KEY|- DD.MM. HH:MM RES");
        const QDate date(2000, dm.captured(2).toInt(), dm.captured(1).toInt());
        if (!date.isValid())
            return bad(QStringLiteral("date"));
        const QDateTime at(date, QTime(*time >> 8, *time & 0xFF));
        c.events.append({*address, eventSlotAt(*k, at, *res)});
    } else if (what == QLatin1String("holder")) {
        const auto k = parseKeyText(w.positional.value(1));
        if (!k || w.positional.size() != 2)
            return QStringLiteral("expected: holder KEY");
        c.holders.append(*k);
    } else if (what == QLatin1String("fault")) {
        const auto f = faultFromName(w.positional.value(2));
        if (!address || !f || w.positional.size() != 3)
            return QStringLiteral(
                "expected: fault ADDR none|silent|checksum|split|address|garbage|noise");
        c.faults.append({*address, *f});
    } else if (what == QLatin1String("traffic")) {
        for (const auto &[name, value] : w.named) {
            std::optional<int> n;
            if (name == QLatin1String("period") && (n = number(value, 0, 86400000)))
                c.trafficPeriodMs = *n;
            else if (name == QLatin1String("seed") && (n = number(value, 0, 0x7FFFFFFF)))
                c.seed = quint32(*n);
            else
                return bad(name);
        }
    } else if (what == QLatin1String("pace")) {
        c.pace = true;
    } else {
        return QStringLiteral("unknown line \"%1\"").arg(what);
    }
    return {};
}

} // namespace

std::optional<Fault> faultFromName(const QString &name)
{
    static const QList<QPair<QString, Fault>> names = {
        {QStringLiteral("none"), Fault::None},
        {QStringLiteral("silent"), Fault::Silent},
        {QStringLiteral("checksum"), Fault::BadChecksum},
        {QStringLiteral("split"), Fault::SplitReply},
        {QStringLiteral("address"), Fault::OtherAddress},
        {QStringLiteral("garbage"), Fault::Garbage},
        {QStringLiteral("noise"), Fault::TrailingNoise},
    };
    for (const auto &[n, f] : names)
        if (n == name.toLower())
            return f;
    return std::nullopt;
}

std::optional<SimConfig> SimConfig::parse(const QString &text, QString *error)
{
    SimConfig c;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        const qsizetype hash = line.indexOf(QLatin1Char('#'));
        if (hash >= 0)
            line.truncate(hash);
        if (line.trimmed().isEmpty())
            continue;
        const QString problem = parseLine(line, c);
        if (!problem.isEmpty()) {
            *error = QStringLiteral("line %1: %2").arg(i + 1).arg(problem);
            return std::nullopt;
        }
    }
    for (const PermitLine &p : c.permits)
        if (std::none_of(c.units.begin(), c.units.end(),
                         [&](const UnitSetup &u) { return u.address == p.address; })) {
            *error = QStringLiteral("permit for unit %1, which is not defined")
                         .arg(byteToHex(p.address));
            return std::nullopt;
        }
    for (const EventLine &e : c.events)
        if (std::none_of(c.units.begin(), c.units.end(),
                         [&](const UnitSetup &u) { return u.address == e.address; })) {
            *error =
                QStringLiteral("event for unit %1, which is not defined").arg(byteToHex(e.address));
            return std::nullopt;
        }
    return c;
}

std::optional<SimConfig> SimConfig::load(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, f.errorString());
        return std::nullopt;
    }
    return parse(QString::fromUtf8(f.readAll()), error);
}

std::optional<SimCommand> SimCommand::parse(const QString &line, QString *error)
{
    const Words w = split(line);
    const QString what = w.positional.value(0).toLower();
    SimCommand c;
    const auto address = hexByte(w.positional.value(1));
    if (what == QLatin1String("quit") && w.positional.size() == 1) {
        c.kind = Quit;
        return c;
    }
    if (what == QLatin1String("key")) {
        const auto reader = number(w.positional.value(2), 0, 7);
        const auto k = parseKeyText(w.positional.value(3));
        if (address && reader && k && w.positional.size() == 4) {
            c.kind = Key;
            c.address = *address;
            c.index = *reader;
            c.key = *k;
            return c;
        }
        *error = QStringLiteral("expected: key ADDR READER(0-7) KEY");
        return std::nullopt;
    }
    if (what == QLatin1String("input")) {
        const auto input = number(w.positional.value(2), 0, 7);
        const auto state = number(w.positional.value(3), 0, 15);
        if (address && input && state && w.positional.size() == 4) {
            c.kind = Input;
            c.address = *address;
            c.index = *input;
            c.inputState = quint8(*state);
            return c;
        }
        *error = QStringLiteral("expected: input ADDR INPUT(0-7) STATE(0-15)");
        return std::nullopt;
    }
    if (what == QLatin1String("fault")) {
        const auto f = faultFromName(w.positional.value(2));
        const auto count = w.positional.size() == 4 ? number(w.positional.value(3), 1, 1000000)
                                                    : std::optional<int>(-1);
        if (address && f && count && (w.positional.size() == 3 || w.positional.size() == 4)) {
            c.kind = SetFault;
            c.address = *address;
            c.fault = *f;
            c.count = *count;
            return c;
        }
        *error =
            QStringLiteral("expected: fault ADDR none|silent|checksum|split|address|garbage|noise "
                           "[COUNT]");
        return std::nullopt;
    }
    *error = QStringLiteral("commands: key, input, fault, quit");
    return std::nullopt;
}

} // namespace vardex::sim
