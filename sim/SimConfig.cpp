#include "sim/SimConfig.h"

#include "sim/LineWords.h"
#include "text/HexText.h"

#include <QFile>

namespace vardex::sim {

namespace {

// Reads one line into the configuration; an empty text means it was fine.
QString parseLine(const QString &line, SimConfig &c)
{
    const LineWords w = LineWords::split(line);
    const QString what = w.positional.value(0).toLower();
    const auto bad = [](const QString &item) { return QStringLiteral("bad %1").arg(item); };
    const auto address = parseHexByte(w.positional.value(1));

    if (what == QLatin1String("unit")) {
        const Result<UnitSetup> unit = unitFromWords(w);
        if (!unit)
            return unit.error();
        const UnitSetup &u = *unit;
        for (const UnitSetup &other : c.units)
            if (other.address == u.address)
                return QStringLiteral("unit %1 twice").arg(byteToHex(u.address));
        c.units.append(u);
    } else if (what == QLatin1String("permit")) {
        const Result<SimConfig::PermitLine> p = permitFromWords(w);
        if (!p)
            return p.error();
        c.permits.append(*p);
    } else if (what == QLatin1String("event")) {
        const Result<SimConfig::EventLine> e = eventFromWords(w);
        if (!e)
            return e.error();
        c.events.append(*e);
    } else if (what == QLatin1String("holder")) {
        const auto k = parseKeyText(w.positional.value(1));
        if (!k || w.positional.size() != 2)
            return QStringLiteral("expected: holder KEY");
        c.holders.append(*k);
    } else if (what == QLatin1String("fault")) {
        const auto f = faultFromName(w.positional.value(2));
        if (!address || !f || w.positional.size() != 3)
            return QStringLiteral("expected: fault ADDR "
                                  "none|silent|checksum|split|address|garbage|noise|truncate|late");
        c.faults.append({*address, *f});
    } else if (what == QLatin1String("traffic")) {
        for (const auto &[name, value] : w.named) {
            std::optional<int> n;
            if (name == QLatin1String("period") && (n = decimalIn(value, 0, 86400000)))
                c.trafficPeriodMs = *n;
            else if (name == QLatin1String("seed") && (n = decimalIn(value, 0, 0x7FFFFFFF)))
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
        {QStringLiteral("truncate"), Fault::Truncated},
        {QStringLiteral("late"), Fault::LateReply},
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
    const LineWords w = LineWords::split(line);
    const QString what = w.positional.value(0).toLower();
    SimCommand c;
    const auto address = parseHexByte(w.positional.value(1));
    if (what == QLatin1String("quit") && w.positional.size() == 1) {
        c.kind = Quit;
        return c;
    }
    if (what == QLatin1String("key")) {
        const auto reader = decimalIn(w.positional.value(2), 0, 7);
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
        const auto input = decimalIn(w.positional.value(2), 0, 7);
        const auto state = decimalIn(w.positional.value(3), 0, 15);
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
        const auto count = w.positional.size() == 4 ? decimalIn(w.positional.value(3), 1, 1000000)
                                                    : std::optional<int>(-1);
        if (address && f && count && (w.positional.size() == 3 || w.positional.size() == 4)) {
            c.kind = SetFault;
            c.address = *address;
            c.fault = *f;
            c.count = *count;
            return c;
        }
        *error =
            QStringLiteral("expected: fault ADDR none|silent|checksum|split|address|garbage|noise|"
                           "truncate|late [COUNT]");
        return std::nullopt;
    }
    *error = QStringLiteral("commands: key, input, fault, quit");
    return std::nullopt;
}

} // namespace vardex::sim
