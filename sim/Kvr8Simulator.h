#pragma once

#include "sim/FrameAssembler.h"
#include "sim/PseudoTerminal.h"
#include "sim/SimConfig.h"
#include "sim/SimState.h"
#include "sim/SimUnit.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <thread>

namespace vardex {
class Clock;
}

namespace vardex::sim {

// One thing the line heard, as the units saw it.
struct HeardFrame
{
    enum Kind { Frame, BadChecksum, Acknowledge } kind = Frame;
    QByteArray bytes;
    // Microseconds between the address byte and the byte after it.
    qint64 gapAfterAddressUs = 0;
    bool answered = false;
};

// A KVR-8 line on a pseudo-terminal: any number of units behind one serial
// device. The line runs in a thread of its own that waits on the
// pseudo-terminal's master side, cuts what arrives into frames, lets the
// addressed unit answer and writes the answer back, paced at the real baud
// rate if asked. Every public function may be called from any thread.
class Kvr8Simulator
{
public:
    static constexpr int SplitPauseMs = 80;
    // 11 bits a byte (start, 8 data, parity, stop) at 2400 baud.
    static constexpr int BitsPerByte = 11;
    static constexpr int BaudRate = 2400;

    // `clock` gives the host's "now" for the units' clocks and events; the
    // simulator keeps the reference.
    explicit Kvr8Simulator(const Clock &clock);
    ~Kvr8Simulator();
    Kvr8Simulator(const Kvr8Simulator &) = delete;
    Kvr8Simulator &operator=(const Kvr8Simulator &) = delete;

    // --- set-up (also while running)
    // Adds a unit or replaces the one with the same address.
    void addUnit(const UnitSetup &setup);
    // Adds the units, permissions, waiting events, holders, faults and the
    // traffic period of a configuration.
    void apply(const SimConfig &config);
    // Gives the units what they kept in an earlier run; every unit of the
    // state is one of the line's (SimState::check).
    void restore(const SimState &state);
    void setPacing(bool on);
    // Keys the traffic generator presents; random keys when none.
    void setHolders(const QList<KeyBytes> &holders);
    // Every `periodMs` a holder presents a key at a random reader of a
    // random unit, or an input changes (one time in five); 0 stops it.
    void setTrafficPeriod(int periodMs, quint32 seed = 1);

    // --- the line
    bool start(QString *error);
    // Also keeps a symbolic link at `linkPath` pointing to the slave.
    bool start(const QString &linkPath, QString *error);
    void stop();
    QString slavePath() const;
    // After the program on the line died without closing it: lets the next
    // program open the line (see PseudoTerminal::releaseExclusiveUse).
    bool releaseLine();

    // --- traffic and faults
    // False when no unit has the address; else whether the unit let the
    // holder through (an event is recorded either way).
    std::optional<bool> presentKey(quint8 address, int reader, const KeyBytes &key);
    bool changeInput(quint8 address, int input, quint8 inputState);
    // The unit misbehaves for the next `count` replies, or until told
    // otherwise when `count` is negative.
    bool setFault(quint8 address, Fault fault, int count = -1);

    // --- what happened (copies)
    std::optional<SimUnit> unit(quint8 address) const;
    // What every unit would keep over a power cut, in address order.
    SimState snapshot() const;
    QList<HeardFrame> heard() const;
    void clearHeard();
    // Waits until the line has heard at least `count` things; false after
    // `timeoutMs` without them.
    bool waitForHeard(int count, int timeoutMs) const;

private:
    struct UnitSlot
    {
        SimUnit unit;
        Fault fault = Fault::None;
        int faultCount = -1;
        QByteArray late; // a late reply, out once the line hears its next frame
    };

    void run();
    void readLine();
    // Answers what the assembler has; with `stale`, also gives up on the
    // first byte of a frame that stopped arriving.
    void answerPending(bool stale);
    // The bytes to send for one heard item, with the split point (0 = none).
    struct Outgoing
    {
        QByteArray bytes;
        qsizetype splitAt = 0;
    };
    // Called with the mutex held.
    Outgoing answer(const FrameAssembler::Item &item);
    Outgoing applyFault(UnitSlot &slot, SimUnit::Answer answer);
    void writeOut(const Outgoing &out);
    void writeAll(QByteArrayView bytes);
    void generateTraffic();
    bool sleepUntil(std::chrono::steady_clock::time_point t);
    void wake();

    const Clock &m_clock;
    PseudoTerminal m_pty;
    FrameAssembler m_assembler;
    std::thread m_thread;
    int m_wakeFd = -1;
    std::atomic<bool> m_stopping{false};

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_heardChanged;
    std::map<quint8, UnitSlot> m_units;
    QList<HeardFrame> m_heard;
    std::optional<quint8> m_ackFrom; // the unit whose data reply waits for 0xAA
    bool m_pace = false;
    QList<KeyBytes> m_holders;
    int m_trafficPeriodMs = 0;
    std::mt19937 m_random{1};
};

} // namespace vardex::sim
