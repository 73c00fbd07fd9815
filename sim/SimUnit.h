#pragma once

#include "comm/Protocol.h"
#include "sim/ReplyWriter.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>

#include <deque>
#include <optional>
#include <set>

namespace vardex::sim {

// The model code and mode a unit reports in its state reply.
struct UnitModel
{
    quint8 code = 0;
    quint8 mode = 0;
    friend bool operator==(const UnitModel &, const UnitModel &) = default;
};

// The model of a unit of the units table's type: access (1) and attendance (2)
// units are both a KVR-8, in mode 1 and 2; an expander (3) is a KVR-EXP, a
// barrier (4) a KVR-ZAV, 8 a KVR-EXP-T, 9 a KVR-ZAV-T. None for other types.
std::optional<UnitModel> modelOfType(quint8 tableType);

// How a unit starts: what the configuration file says of it.
struct UnitSetup
{
    quint8 address = 0;
    // The units table's type code. It decides how the unit judges permissions,
    // and its model (modelOfType).
    quint8 type = 1;
    // The mode byte of the state reply, when not the one the type gives.
    std::optional<quint8> mode = std::nullopt;
    quint8 state = UnitStateCode::Locked;
    quint8 memorySizeCode = 0; // (code + 1) × 32 kB; 255 no memory
    quint8 alarmMask = 0;
    quint8 relayMask = 0;
    QByteArray configBlock = QByteArray(16, '\0');
};

// One entry of a unit's permission list.
struct Permission
{
    quint8 attribute = 0;
    KeyBytes key{};
    quint8 dayMask = 0;
    quint16 start = 0; // packed time of day
    quint16 end = 0;
    friend bool operator==(const Permission &, const Permission &) = default;
};

// What a unit keeps over a power cut: its state, masks, configuration
// block, clock, lists and event memory; not the reply still waiting for its
// acknowledgement.
struct KeptState
{
    quint8 state = UnitStateCode::Locked;
    quint8 alarmMask = 0;
    quint8 relayMask = 0;
    QByteArray configBlock = QByteArray(16, '\0');
    qint64 clockOffset = 0; // seconds ahead of the host
    QList<Permission> permissions;
    QList<KeyBytes> banned; // in key order
    QList<QPair<KeyBytes, quint16>> balances;
    std::array<QByteArray, 16> timerSections;
    QList<QByteArray> timerPermissions;
    // The events in memory, oldest first, numbered from `oldest` on.
    QList<EventSlot> events;
    quint32 oldest = 0;
    quint32 read = 0;       // the next event the PC collects
    quint32 memoryRead = 0; // the next event of the memory read
    bool overflow = false;  // events were overwritten before they were collected
    friend bool operator==(const KeptState &, const KeptState &) = default;
};

// One KVR-8 unit: its state, clock, masks, configuration block, permission
// list and event memory, and what it answers to each command. It knows
// nothing of the line; the simulator hands it checked frames.
class SimUnit
{
public:
    explicit SimUnit(const UnitSetup &setup);

    // The unit's answer: one status byte, or data and their checksum.
    struct Answer
    {
        QByteArray bytes;
        bool isData = false;
    };

    quint8 address() const { return m_setup.address; }
    quint8 type() const { return m_setup.type; }
    quint8 memorySizeCode() const { return m_setup.memorySizeCode; }

    // A frame whose checksum is right. A data reply waits for the PC's
    // acknowledgement before the unit counts what it handed out as read.
    Answer handle(quint8 code, QByteArrayView data, const QDateTime &hostNow);
    // The PC acknowledged the last data reply.
    void acknowledge();
    // Another frame came instead of the acknowledgement.
    void forgetPendingAck() { m_pending = {}; }

    // --- traffic
    // A holder presents a key at reader 0..7; the unit records the event
    // and returns whether it let the holder through.
    bool presentKey(int reader, const KeyBytes &key, const QDateTime &hostNow);
    // Input 0..7 goes to the state 0..15 (0 rest, 3 activated).
    void changeInput(int input, quint8 inputState, const QDateTime &hostNow);
    // An event recorded earlier, waiting to be collected.
    void recordEvent(const EventSlot &event);
    void addPermission(const Permission &p) { m_permissions.append(p); }

    // --- what the unit holds
    quint8 state() const { return m_state; }
    quint8 alarmMask() const { return m_alarm; }
    quint8 relayMask() const { return m_relay; }
    QByteArray configBlock() const { return m_config; }
    const QList<Permission> &permissions() const { return m_permissions; }
    bool isBanned(const KeyBytes &key) const { return m_banned.count(key) > 0; }
    quint16 balance(const KeyBytes &key) const;
    int waitingEvents() const { return int(m_write - m_read); }
    // Events still in memory, oldest first.
    QList<EventSlot> storedEvents() const;
    QDateTime clockAt(const QDateTime &hostNow) const { return hostNow.addSecs(m_clockOffset); }
    StateReply stateLayout(const QDateTime &hostNow) const;

    // Everything the unit would keep over a power cut, and the same given
    // back after it (positions and event count consistent, as SimState
    // checks them).
    KeptState kept() const;
    void restore(const KeptState &k);

    // How many events a memory of the size code holds.
    static int eventCapacity(quint8 memorySizeCode);

    // How many permissions the list takes.
    static constexpr int PermissionCapacity = 2048;

private:
    struct Pending
    {
        enum Kind { None, Events, Memory } kind = None;
        int count = 0;
    };

    quint8 permissionCommand(quint8 code, QByteArrayView data);
    quint8 withdrawPermission(QByteArrayView data);
    quint8 setClock(QByteArrayView data, const QDateTime &hostNow);
    Answer eventReply(quint8 code);
    bool allows(int reader, const KeyBytes &key, const QDateTime &unitNow) const;
    int capacity() const;
    const EventSlot &eventAt(quint32 index) const { return m_memory[index - m_first]; }
    static Answer status(quint8 code);
    static Answer data(QByteArray bytes);

    UnitSetup m_setup;
    quint8 m_state;
    quint8 m_alarm;
    quint8 m_relay;
    QByteArray m_config;
    qint64 m_clockOffset = 0; // seconds ahead of the host
    QList<Permission> m_permissions;
    std::set<KeyBytes> m_banned;
    QList<QPair<KeyBytes, quint16>> m_balances;
    std::array<QByteArray, 16> m_timerSections;
    QList<QByteArray> m_timerPermissions;

    // Event memory: absolute event numbers; m_memory holds m_first..m_write−1.
    std::deque<EventSlot> m_memory;
    quint32 m_first = 0;
    quint32 m_write = 0;
    quint32 m_read = 0;      // next event the PC collects
    quint32 m_memoryPos = 0; // next event of the memory read
    bool m_overflow = false;
    Pending m_pending;
};

} // namespace vardex::sim
