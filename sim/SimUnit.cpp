#include "sim/SimUnit.h"

#include <algorithm>

namespace vardex::sim {

namespace {

KeyBytes keyAt(QByteArrayView data, int at)
{
    KeyBytes key{};
    for (int i = 0; i < 7; ++i)
        key[i] = quint8(data[at + i]);
    return key;
}

// A BCD byte: high half-byte × 10 + low half-byte; above 0x99 no number (255).
int fromBcd(quint8 byte)
{
    return byte > 0x99 ? 255 : (byte >> 4) * 10 + (byte & 0x0F);
}

// The packed time of a BCD hour and minute; none when either is no time.
std::optional<quint16> bcdTime(quint8 hourByte, quint8 minuteByte)
{
    const int hour = fromBcd(hourByte);
    const int minute = fromBcd(minuteByte);
    if (hour > 23 || minute > 59)
        return std::nullopt;
    return packTime(hour, minute);
}

// The clock of a 0x83 frame: second, minute, hour, day, month (BCD), day of
// week 0..6, year of the century (BCD); none when it is no time or date.
std::optional<QDateTime> clockFrom(QByteArrayView data)
{
    int v[7];
    for (int i = 0; i < 7; ++i)
        v[i] = i == 5 ? quint8(data[i]) : fromBcd(quint8(data[i]));
    const QDate date(2000 + v[6], v[4], v[3]);
    if (v[0] > 59 || v[1] > 59 || v[2] > 23 || v[5] > 6 || v[6] > 99 || !date.isValid())
        return std::nullopt;
    return QDateTime(date, QTime(v[2], v[1], v[0]));
}

// The day-mask bit of a date: bit 6 Monday .. bit 1 Saturday, bit 0 Sunday.
quint8 dayBit(const QDate &date)
{
    const int fromMonday = date.dayOfWeek();
    return fromMonday == 7 ? 0x01 : quint8(0x80 >> fromMonday);
}

// Whether a permission with `attribute` covers reader 0..7 of a unit of the
// units table's `type`. Access and attendance units are one whole. Door j
// of an expander (input In0..In3, attribute bit j) and barrier input j of a
// barrier unit (In0, In1, bits 0 and 1) are served by readers TM(2j) and
// TM(2j+1); a barrier's bits 2..3 name the kind of key, and the simulated
// reader takes any kind.
bool covers(quint8 type, quint8 attribute, int reader)
{
    const int door = reader >> 1;
    switch (type) {
    case 3:
    case 8:
        return attribute & (1 << door);
    case 4:
    case 9:
        return door < 2 && (attribute & (1 << door));
    default:
        return true;
    }
}

} // namespace

std::optional<UnitModel> modelOfType(quint8 tableType)
{
    switch (tableType) {
    case 1:
        return UnitModel{1, 1};
    case 2:
        return UnitModel{1, 2};
    case 3:
        return UnitModel{2, 0};
    case 4:
        return UnitModel{3, 0};
    case 8:
        return UnitModel{8, 0};
    case 9:
        return UnitModel{9, 0};
    default:
        return std::nullopt;
    }
}

SimUnit::SimUnit(const UnitSetup &setup)
    : m_setup(setup), m_state(setup.state), m_alarm(setup.alarmMask), m_relay(setup.relayMask),
      m_config(setup.configBlock.leftJustified(16, '\0', true))
{
}

SimUnit::Answer SimUnit::status(quint8 code)
{
    return {QByteArray(1, char(code)), false};
}

SimUnit::Answer SimUnit::data(QByteArray bytes)
{
    return {withChecksum(std::move(bytes)), true};
}

int SimUnit::eventCapacity(quint8 memorySizeCode)
{
    if (memorySizeCode == 255)
        return 0;
    return (memorySizeCode + 1) * 32768 / EventSlotSize;
}

int SimUnit::capacity() const
{
    return eventCapacity(m_setup.memorySizeCode);
}

SimUnit::Answer SimUnit::handle(quint8 code, QByteArrayView data, const QDateTime &hostNow)
{
    m_pending = {};
    const CommandInfo *info = findCommand(code);
    if (!info)
        return status(Status::UnknownCommand);
    if (data.size() != info->frameLength - 3)
        return status(Status::Inadmissible);

    const bool configured = m_state != UnitStateCode::NotConfigured;
    const bool locked = m_state == UnitStateCode::Locked;
    switch (code) {
    case Cmd::Konfigurace:
        // Reconfiguring would lose what the PC has not collected yet.
        if (waitingEvents() > 0)
            return status(Status::EventsWaiting);
        m_config = data.toByteArray();
        m_state = UnitStateCode::Configured;
        return status(Status::Accepted);
    case Cmd::Nulovat:
        if (!configured)
            return status(Status::Context);
        if (locked)
            return status(Status::Locked);
        m_permissions.clear();
        m_banned.clear();
        m_balances.clear();
        m_timerPermissions.clear();
        m_memory.clear();
        m_first = m_write = m_read = m_memoryPos = 0;
        m_overflow = false;
        m_state = UnitStateCode::Zeroed;
        return status(Status::Accepted);
    case Cmd::Uzamknout:
        if (!configured)
            return status(Status::Context);
        m_state = UnitStateCode::Locked;
        return status(Status::Accepted);
    case Cmd::NastavCas:
        return status(setClock(data, hostNow));
    case Cmd::PrectiUdalosti:
    case Cmd::PrectiPamet:
    case Cmd::PrectiJednuUdalost:
        return eventReply(code);
    case Cmd::PrectiStavHwj:
        return SimUnit::data(stateReply(stateLayout(hostNow)));
    case Cmd::NaPocatekPameti:
        m_memoryPos = m_first;
        return status(Status::Accepted);
    default:
        break;
    }

    // The rest change what the unit lets through: not before it is
    // configured. Permanent settings are refused while it is locked;
    // temporary bans and balances are day-to-day business and are not.
    if (!configured)
        return status(Status::Context);
    const bool daily =
        code == Cmd::DocasnyZakaz || code == Cmd::DocasnyPovoleno || code == Cmd::ZapisSaldo;
    if (locked && !daily)
        return status(Status::Locked);
    switch (code) {
    case Cmd::DuplicitniOpravneni:
    case Cmd::Opravneni:
        return status(permissionCommand(code, data));
    case Cmd::ZakazOpravneni:
        return status(withdrawPermission(data));
    case Cmd::DocasnyZakaz:
        m_banned.insert(keyAt(data, 1));
        return status(Status::Accepted);
    case Cmd::DocasnyPovoleno:
        m_banned.erase(keyAt(data, 1));
        return status(Status::Accepted);
    case Cmd::ZapisSaldo: {
        const KeyBytes key = keyAt(data, 0);
        const quint16 value = quint16(quint8(data[7]) | quint8(data[8]) << 8);
        auto it = std::find_if(m_balances.begin(), m_balances.end(),
                               [&](const auto &b) { return b.first == key; });
        if (it != m_balances.end())
            it->second = value;
        else
            m_balances.append({key, value});
        return status(Status::Accepted);
    }
    case Cmd::NastavReleMask:
        m_relay = quint8(data[0]);
        return status(Status::Accepted);
    case Cmd::NastavTamperMask:
        m_alarm = quint8(data[0]);
        return status(Status::Accepted);
    case Cmd::CasoveOknoTimer: {
        const quint8 section = quint8(data[0]);
        if (section >= m_timerSections.size() || quint8(data[1]) > 23 || quint8(data[2]) > 59 ||
            quint8(data[3]) > 23 || quint8(data[4]) > 59)
            return status(Status::Inadmissible);
        m_timerSections[section] = data.sliced(1).toByteArray();
        return status(Status::Accepted);
    }
    case Cmd::OpravneniTimer:
        if (m_timerPermissions.size() >= PermissionCapacity)
            return status(Status::Impossible);
        m_timerPermissions.append(data.toByteArray());
        return status(Status::Accepted);
    default:
        return status(Status::UnknownCommand);
    }
}

quint8 SimUnit::permissionCommand(quint8 code, QByteArrayView data)
{
    Permission p;
    p.attribute = quint8(data[0]);
    p.key = keyAt(data, 1);
    p.dayMask = quint8(data[8]);
    const auto start = bcdTime(quint8(data[9]), quint8(data[10]));
    const auto end = bcdTime(quint8(data[11]), quint8(data[12]));
    if (!start || !end || p.dayMask > 0x7F || isEmptyKey(p.key))
        return Status::Inadmissible;
    p.start = *start;
    p.end = *end;
    if (code == Cmd::Opravneni) {
        // Without duplicates: the key's earlier windows for these readers go.
        m_permissions.removeIf(
            [&](const Permission &q) { return q.key == p.key && q.attribute == p.attribute; });
    }
    if (m_permissions.size() >= PermissionCapacity)
        return Status::Impossible;
    m_permissions.append(p);
    return Status::Accepted;
}

quint8 SimUnit::withdrawPermission(QByteArrayView data)
{
    const quint8 attribute = quint8(data[0]);
    const KeyBytes key = keyAt(data, 1);
    const qsizetype removed = m_permissions.removeIf(
        [&](const Permission &q) { return q.key == key && q.attribute == attribute; });
    return removed > 0 ? Status::Accepted : Status::Impossible;
}

quint8 SimUnit::setClock(QByteArrayView data, const QDateTime &hostNow)
{
    const std::optional<QDateTime> at = clockFrom(data);
    if (!at)
        return Status::Inadmissible;
    m_clockOffset = hostNow.secsTo(*at);
    return Status::Accepted;
}

SimUnit::Answer SimUnit::eventReply(quint8 code)
{
    if (code == Cmd::PrectiJednuUdalost) {
        const bool any = m_read < m_write;
        const EventSlot event = any ? eventAt(m_read) : EventSlot{};
        m_pending = {Pending::Events, any ? 1 : 0};
        return data(oneEvent(address(), m_read * EventSlotSize & 0xFFFFFF, event));
    }
    const bool memory = code == Cmd::PrectiPamet;
    const quint32 from = memory ? m_memoryPos : m_read;
    QList<EventSlot> events;
    for (quint32 i = from; i < m_write && events.size() < EventSlotsPerBlock; ++i)
        events.append(eventAt(i));
    m_pending = {memory ? Pending::Memory : Pending::Events, int(events.size())};
    return data(eventBlock(address(), from * EventSlotSize & 0xFFFFFF, events));
}

void SimUnit::acknowledge()
{
    if (m_pending.kind == Pending::Events)
        m_read += quint32(m_pending.count);
    else if (m_pending.kind == Pending::Memory)
        m_memoryPos += quint32(m_pending.count);
    m_pending = {};
}

quint16 SimUnit::balance(const KeyBytes &key) const
{
    for (const auto &b : m_balances)
        if (b.first == key)
            return b.second;
    return 0;
}

bool SimUnit::allows(int reader, const KeyBytes &key, const QDateTime &unitNow) const
{
    if (m_state == UnitStateCode::NotConfigured || isBanned(key))
        return false;
    const quint8 today = dayBit(unitNow.date());
    const quint16 now = packTime(unitNow.time().hour(), unitNow.time().minute());
    for (const Permission &p : m_permissions) {
        if (p.key != key || !covers(m_setup.type, p.attribute, reader) || !(p.dayMask & today))
            continue;
        // A window whose end lies before its start runs over midnight.
        const bool inside =
            p.start <= p.end ? now >= p.start && now <= p.end : now >= p.start || now <= p.end;
        if (inside)
            return true;
    }
    return false;
}

bool SimUnit::presentKey(int reader, const KeyBytes &key, const QDateTime &hostNow)
{
    reader &= 7;
    const QDateTime unitNow = clockAt(hostNow);
    const bool allowed = allows(reader, key, unitNow);
    recordEvent(eventSlotAt(key, unitNow, quint8((allowed ? 0x00 : 0x10) | reader)));
    return allowed;
}

void SimUnit::changeInput(int input, quint8 inputState, const QDateTime &hostNow)
{
    recordEvent(eventSlotAt(KeyBytes{}, clockAt(hostNow),
                            quint8((inputState & 0x0F) << 4 | 8 | (input & 7))));
}

void SimUnit::recordEvent(const EventSlot &event)
{
    const int cap = capacity();
    if (cap == 0)
        return;
    if (int(m_memory.size()) >= cap) {
        // The oldest event is overwritten; if the PC never read it, say so.
        m_memory.pop_front();
        ++m_first;
        if (m_read < m_first) {
            m_read = m_first;
            m_overflow = true;
        }
        m_memoryPos = std::max(m_memoryPos, m_first);
    }
    m_memory.push_back(event);
    ++m_write;
}

QList<EventSlot> SimUnit::storedEvents() const
{
    return QList<EventSlot>(m_memory.begin(), m_memory.end());
}

KeptState SimUnit::kept() const
{
    return {m_state,
            m_alarm,
            m_relay,
            m_config,
            m_clockOffset,
            m_permissions,
            QList<KeyBytes>(m_banned.begin(), m_banned.end()),
            m_balances,
            m_timerSections,
            m_timerPermissions,
            storedEvents(),
            m_first,
            m_read,
            m_memoryPos,
            m_overflow};
}

void SimUnit::restore(const KeptState &k)
{
    m_state = k.state;
    m_alarm = k.alarmMask;
    m_relay = k.relayMask;
    m_config = k.configBlock;
    m_clockOffset = k.clockOffset;
    m_permissions = k.permissions;
    m_banned = std::set<KeyBytes>(k.banned.begin(), k.banned.end());
    m_balances = k.balances;
    m_timerSections = k.timerSections;
    m_timerPermissions = k.timerPermissions;
    m_memory = std::deque<EventSlot>(k.events.begin(), k.events.end());
    m_first = k.oldest;
    m_write = k.oldest + quint32(k.events.size());
    m_read = k.read;
    m_memoryPos = k.memoryRead;
    m_overflow = k.overflow;
    m_pending = {};
}

StateReply SimUnit::stateLayout(const QDateTime &hostNow) const
{
    const UnitModel model = modelOfType(m_setup.type).value_or(UnitModel{});
    StateReply s;
    s.address = address();
    s.model = model.code;
    s.state = m_state;
    s.mode = m_setup.mode.value_or(model.mode);
    s.memorySizeCode = m_setup.memorySizeCode;
    s.alarmMask = m_alarm;
    s.relayMask = m_relay;
    s.positions = {m_write * EventSlotSize, m_memoryPos * EventSlotSize, m_first * EventSlotSize,
                   m_read * EventSlotSize, quint32(capacity() * EventSlotSize)};
    for (quint32 &p : s.positions)
        p &= 0xFFFFFF;
    s.memoryFlag = m_overflow ? MemoryFlagOverflow : MemoryFlagFine;
    s.clock = clockAt(hostNow);
    if (s.model == 8 || s.model == 9) {
        // Four channels: the section windows 0..3 as the unit keeps them.
        s.channels = QByteArray(128, '\0');
        for (int c = 0; c < 4; ++c)
            s.channels.replace(32 * c, m_timerSections[c].size(), m_timerSections[c]);
    }
    return s;
}

} // namespace vardex::sim
