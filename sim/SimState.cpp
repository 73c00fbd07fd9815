#include "sim/SimState.h"

#include "sim/LineWords.h"
#include "text/HexText.h"

#include <map>

namespace vardex::sim {

namespace {

const QString Header = QStringLiteral("kvr8sim-state 1");

// The data of the time-window and timer-permission commands as the unit
// keeps them (the window without its section byte).
qsizetype sectionSize()
{
    return frameLengthOf(Cmd::CasoveOknoTimer) - 4;
}
qsizetype timerPermissionSize()
{
    return frameLengthOf(Cmd::OpravneniTimer) - 3;
}

// The unit line's words beyond the configuration's.
bool readPosition(const QString &name, const QString &value, KeptState &k)
{
    bool ok = false;
    if (name == QLatin1String("clock")) {
        k.clockOffset = value.toLongLong(&ok);
    } else if (name == QLatin1String("lost")) {
        k.overflow = value == QLatin1String("1");
        ok = k.overflow || value == QLatin1String("0");
    } else {
        const quint32 v = value.toUInt(&ok);
        if (name == QLatin1String("oldest"))
            k.oldest = v;
        else if (name == QLatin1String("read"))
            k.read = v;
        else if (name == QLatin1String("memread"))
            k.memoryRead = v;
        else
            ok = false;
    }
    return ok;
}

// Reads one line into the state; an empty text means it was fine.
QString parseLine(const QString &line, std::map<quint8, SimState::Unit> &units)
{
    const LineWords w = LineWords::split(line);
    const QString what = w.positional.value(0);
    if (what == QLatin1String("unit")) {
        KeptState k;
        const Result<UnitSetup> u = unitFromWords(
            w, [&k](const QString &n, const QString &v) { return readPosition(n, v, k); });
        if (!u)
            return u.error();
        if (units.count(u->address))
            return QStringLiteral("unit %1 twice").arg(byteToHex(u->address));
        k.state = u->state;
        k.alarmMask = u->alarmMask;
        k.relayMask = u->relayMask;
        k.configBlock = u->configBlock;
        units[u->address] = {u->address, u->type, u->memorySizeCode, k};
        return {};
    }
    // The other lines follow their unit's line.
    const auto address = parseHexByte(w.positional.value(1));
    const auto unit = address ? units.find(*address) : units.end();
    if (address && unit == units.end())
        return QStringLiteral("unit %1 not declared above").arg(byteToHex(*address));
    KeptState *k = unit != units.end() ? &unit->second.kept : nullptr;
    const QString third = w.positional.value(3);
    if (what == QLatin1String("permit")) {
        const Result<SimConfig::PermitLine> p = permitFromWords(w);
        if (!p)
            return p.error();
        k->permissions.append(p->permission);
    } else if (what == QLatin1String("event")) {
        const Result<SimConfig::EventLine> e = eventFromWords(w);
        if (!e)
            return e.error();
        k->events.append(e->event);
    } else if (what == QLatin1String("ban")) {
        const auto key = parseKeyText(w.positional.value(2));
        if (!k || !key || w.positional.size() != 3)
            return QStringLiteral("expected: ban ADDR KEY");
        k->banned.append(*key);
    } else if (what == QLatin1String("balance")) {
        const auto key = parseKeyText(w.positional.value(2));
        const auto value = decimalIn(third, 0, 0xFFFF);
        if (!k || !key || !value || w.positional.size() != 4)
            return QStringLiteral("expected: balance ADDR KEY 0-65535");
        k->balances.append({*key, quint16(*value)});
    } else if (what == QLatin1String("section")) {
        const auto section = decimalIn(w.positional.value(2), 0, 15);
        const auto bytes = parseHexBytes(third);
        if (!k || !section || !bytes || bytes->size() != sectionSize() || w.positional.size() != 4)
            return QStringLiteral("expected: section ADDR 0-15 HEX(%1 bytes)").arg(sectionSize());
        k->timerSections[size_t(*section)] = *bytes;
    } else if (what == QLatin1String("timer")) {
        const auto bytes = parseHexBytes(w.positional.value(2));
        if (!k || !bytes || bytes->size() != timerPermissionSize() || w.positional.size() != 3)
            return QStringLiteral("expected: timer ADDR HEX(%1 bytes)").arg(timerPermissionSize());
        k->timerPermissions.append(*bytes);
    } else {
        return QStringLiteral("unknown line \"%1\"").arg(what);
    }
    return {};
}

// Whether a unit's positions agree with its events and its memory.
QString checkMemory(const SimState::Unit &u)
{
    const KeptState &k = u.kept;
    const quint64 end = quint64(k.oldest) + quint64(k.events.size());
    const auto within = [&](quint32 p) { return p >= k.oldest && p <= end; };
    if (k.events.size() > SimUnit::eventCapacity(u.memorySizeCode) || end > 0xFFFFFFFFu)
        return QStringLiteral("unit %1 holds more events than its memory")
            .arg(byteToHex(u.address));
    if (!within(k.read) || !within(k.memoryRead))
        return QStringLiteral("unit %1: read positions outside its %2 events from %3")
            .arg(byteToHex(u.address))
            .arg(k.events.size())
            .arg(k.oldest);
    return {};
}

} // namespace

QString SimState::toText() const
{
    QStringList lines{
        QStringLiteral("# The units' state between runs of kvr8sim; see sim/README.md."), Header};
    for (const Unit &u : units) {
        const KeptState &k = u.kept;
        const QString a = byteToHex(u.address);
        lines.append(QStringLiteral("unit %1 type=%2 memory=%3 state=%4 alarm=%5 relay=%6 "
                                    "config=%7 clock=%8 oldest=%9 read=%10 memread=%11 lost=%12")
                         .arg(a)
                         .arg(int(u.type))
                         .arg(int(u.memorySizeCode))
                         .arg(unitStateName(k.state), byteToHex(k.alarmMask),
                              byteToHex(k.relayMask), bytesToHex(k.configBlock))
                         .arg(k.clockOffset)
                         .arg(k.oldest)
                         .arg(k.read)
                         .arg(k.memoryRead)
                         .arg(k.overflow ? 1 : 0));
        for (const Permission &p : k.permissions)
            lines.append(permitLine({u.address, p}));
        for (const KeyBytes &key : k.banned)
            lines.append(QStringLiteral("ban %1 %2").arg(a, keyToText(key)));
        for (const auto &[key, value] : k.balances)
            lines.append(QStringLiteral("balance %1 %2 %3").arg(a, keyToText(key)).arg(value));
        for (size_t s = 0; s < k.timerSections.size(); ++s)
            if (!k.timerSections[s].isEmpty())
                lines.append(QStringLiteral("section %1 %2 %3")
                                 .arg(a)
                                 .arg(s)
                                 .arg(bytesToHex(k.timerSections[s])));
        for (const QByteArray &t : k.timerPermissions)
            lines.append(QStringLiteral("timer %1 %2").arg(a, bytesToHex(t)));
        for (const EventSlot &e : k.events)
            lines.append(eventLine({u.address, e}));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

Result<SimState> SimState::parse(const QString &text)
{
    std::map<quint8, Unit> units;
    bool headerSeen = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (const qsizetype hash = line.indexOf(QLatin1Char('#')); hash >= 0)
            line.truncate(hash);
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        const QString problem = !headerSeen ? (line == Header ? QString()
                                                              : QStringLiteral("not a state file "
                                                                               "(expected \"%1\")")
                                                                    .arg(Header))
                                            : parseLine(line, units);
        if (!problem.isEmpty())
            return Failure{QStringLiteral("line %1: %2").arg(i + 1).arg(problem)};
        headerSeen = true;
    }
    if (!headerSeen)
        return Failure{QStringLiteral("not a state file (empty)")};
    SimState state;
    for (const auto &[address, u] : units) {
        if (const QString problem = checkMemory(u); !problem.isEmpty())
            return Failure{problem};
        state.units.append(u);
    }
    return state;
}

Result<void> SimState::check(const SimConfig &config) const
{
    for (const Unit &u : units) {
        const QString a = byteToHex(u.address);
        const auto declared =
            std::find_if(config.units.begin(), config.units.end(),
                         [&](const UnitSetup &c) { return c.address == u.address; });
        if (declared == config.units.end())
            return Failure{QStringLiteral("unit %1 is not in the configuration").arg(a)};
        if (declared->type != u.type)
            return Failure{
                QStringLiteral("unit %1 is type %2 in the configuration, %3 in the state")
                    .arg(a)
                    .arg(int(declared->type))
                    .arg(int(u.type))};
        if (declared->memorySizeCode != u.memorySizeCode)
            return Failure{
                QStringLiteral("unit %1 has memory=%2 in the configuration, %3 in the state")
                    .arg(a)
                    .arg(int(declared->memorySizeCode))
                    .arg(int(u.memorySizeCode))};
    }
    return {};
}

} // namespace vardex::sim
