#include "sim/Kvr8Simulator.h"

#include "platform/Clock.h"
#include "sim/ReplyWriter.h"

#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <utility>

namespace vardex::sim {

namespace {

using SteadyClock = std::chrono::steady_clock;

// A frame whose bytes stop for this long is given up.
constexpr qint64 StaleUs = 200'000;
// The time one byte takes on the real line.
constexpr auto ByteTime =
    std::chrono::microseconds(1'000'000LL * Kvr8Simulator::BitsPerByte / Kvr8Simulator::BaudRate);

qint64 nowUs()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
               SteadyClock::now().time_since_epoch())
        .count();
}

} // namespace

Kvr8Simulator::Kvr8Simulator(const Clock &clock)
    : m_clock(clock), m_assembler([this](quint8 a) { return m_units.count(a) > 0; })
{
}

Kvr8Simulator::~Kvr8Simulator()
{
    stop();
}

void Kvr8Simulator::addUnit(const UnitSetup &setup)
{
    std::lock_guard lock(m_mutex);
    m_units.insert_or_assign(setup.address, UnitSlot{SimUnit(setup), Fault::None, -1, {}});
}

void Kvr8Simulator::apply(const SimConfig &config)
{
    for (const UnitSetup &u : config.units)
        addUnit(u);
    {
        std::lock_guard lock(m_mutex);
        for (const auto &p : config.permits)
            if (auto it = m_units.find(p.address); it != m_units.end())
                it->second.unit.addPermission(p.permission);
        for (const auto &e : config.events)
            if (auto it = m_units.find(e.address); it != m_units.end())
                it->second.unit.recordEvent(e.event);
        for (const auto &f : config.faults)
            if (auto it = m_units.find(f.address); it != m_units.end())
                it->second.fault = f.fault;
        m_pace = m_pace || config.pace;
    }
    if (!config.holders.isEmpty())
        setHolders(config.holders);
    setTrafficPeriod(config.trafficPeriodMs, config.seed);
}

void Kvr8Simulator::restore(const SimState &state)
{
    std::lock_guard lock(m_mutex);
    for (const SimState::Unit &u : state.units) {
        auto it = m_units.find(u.address);
        Q_ASSERT(it != m_units.end());
        if (it != m_units.end())
            it->second.unit.restore(u.kept);
    }
}

void Kvr8Simulator::setPacing(bool on)
{
    std::lock_guard lock(m_mutex);
    m_pace = on;
}

void Kvr8Simulator::setHolders(const QList<KeyBytes> &holders)
{
    std::lock_guard lock(m_mutex);
    m_holders = holders;
}

void Kvr8Simulator::setTrafficPeriod(int periodMs, quint32 seed)
{
    {
        std::lock_guard lock(m_mutex);
        m_trafficPeriodMs = std::max(0, periodMs);
        m_random.seed(seed);
    }
    wake();
}

bool Kvr8Simulator::start(QString *error)
{
    return start(QString(), error);
}

bool Kvr8Simulator::start(const QString &linkPath, QString *error)
{
    stop();
    if (!m_pty.open(error))
        return false;
    if (!linkPath.isEmpty() && !m_pty.makeLink(linkPath, error)) {
        m_pty.close();
        return false;
    }
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wakeFd < 0) {
        *error = QStringLiteral("eventfd failed");
        m_pty.close();
        return false;
    }
    m_stopping = false;
    m_thread = std::thread([this] { run(); });
    return true;
}

void Kvr8Simulator::stop()
{
    if (!m_thread.joinable())
        return;
    m_stopping = true;
    wake();
    m_thread.join();
    ::close(m_wakeFd);
    m_wakeFd = -1;
    m_pty.close();
}

QString Kvr8Simulator::slavePath() const
{
    return m_pty.slavePath();
}

bool Kvr8Simulator::releaseLine()
{
    return m_pty.releaseExclusiveUse();
}

void Kvr8Simulator::wake()
{
    if (m_wakeFd >= 0) {
        const quint64 one = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wakeFd, &one, sizeof one);
    }
}

void Kvr8Simulator::run()
{
    auto nextTraffic = SteadyClock::time_point::max();
    int period = 0;
    while (!m_stopping) {
        {
            std::lock_guard lock(m_mutex);
            if (m_trafficPeriodMs != period) {
                period = m_trafficPeriodMs;
                nextTraffic = period > 0 ? SteadyClock::now() + std::chrono::milliseconds(period)
                                         : SteadyClock::time_point::max();
            }
        }
        int timeoutMs = -1;
        if (m_assembler.pending())
            timeoutMs = int(StaleUs / 1000) + 1;
        if (period > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  nextTraffic - SteadyClock::now())
                                  .count();
            const int traffic = int(std::max<qint64>(0, left));
            timeoutMs = timeoutMs < 0 ? traffic : std::min(timeoutMs, traffic);
        }
        pollfd fds[2] = {{m_pty.masterFd(), POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeoutMs);
        if (ready < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN) {
            quint64 count = 0;
            [[maybe_unused]] const ssize_t n = ::read(m_wakeFd, &count, sizeof count);
        }
        if (m_stopping)
            break;
        if (fds[0].revents & POLLIN)
            readLine();
        if (m_assembler.isStale(nowUs(), StaleUs))
            answerPending(true);
        if (period > 0 && SteadyClock::now() >= nextTraffic) {
            generateTraffic();
            nextTraffic += std::chrono::milliseconds(period);
            if (nextTraffic < SteadyClock::now())
                nextTraffic = SteadyClock::now() + std::chrono::milliseconds(period);
        }
    }
}

void Kvr8Simulator::readLine()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_pty.masterFd(), buffer, sizeof buffer);
        if (n <= 0)
            break;
        m_assembler.feed(QByteArrayView(buffer, n), nowUs());
    }
    answerPending(false);
}

void Kvr8Simulator::answerPending(bool stale)
{
    for (;;) {
        std::unique_lock lock(m_mutex);
        std::optional<FrameAssembler::Item> item = m_assembler.next();
        if (!item && stale && m_assembler.pending()) {
            m_assembler.skipByte();
            continue;
        }
        if (!item)
            return;
        const Outgoing out = answer(*item);
        m_heardChanged.notify_all();
        const bool pace = m_pace;
        lock.unlock();
        if (!out.bytes.isEmpty())
            writeOut(out);
        if (pace && m_stopping)
            return;
    }
}

Kvr8Simulator::Outgoing Kvr8Simulator::answer(const FrameAssembler::Item &item)
{
    HeardFrame heard;
    heard.kind = HeardFrame::Kind(item.kind);
    heard.bytes = item.bytes;
    heard.gapAfterAddressUs = item.secondByteUs - item.firstByteUs;

    const std::optional<quint8> ackFrom = m_ackFrom;
    m_ackFrom.reset();
    auto waiting = ackFrom ? m_units.find(*ackFrom) : m_units.end();
    if (item.kind == FrameAssembler::Item::Acknowledge) {
        if (waiting != m_units.end())
            waiting->second.unit.acknowledge();
        m_heard.append(heard);
        return {};
    }
    if (waiting != m_units.end())
        waiting->second.unit.forgetPendingAck();
    // A late reply reaches the PC only now, after it gave up waiting for it
    // and sent this frame, right before whatever answers the frame.
    QByteArray late;
    for (auto &[address, slot] : m_units)
        late += std::exchange(slot.late, {});

    const quint8 address = quint8(item.bytes[0]);
    auto it = m_units.find(address);
    if (it == m_units.end()) {
        // Nobody on the line has that address: silence.
        m_heard.append(heard);
        return {late, 0};
    }
    UnitSlot &slot = it->second;
    SimUnit::Answer reply;
    if (item.kind == FrameAssembler::Item::BadChecksum) {
        reply = {QByteArray(1, char(Status::CommandCrc)), false};
    } else {
        const quint8 l = quint8(item.bytes[1]);
        reply = slot.unit.handle(quint8(item.bytes[2]), QByteArrayView(item.bytes).sliced(3, l - 3),
                                 m_clock.now());
    }
    const bool isData = reply.isData;
    Outgoing out = applyFault(slot, std::move(reply));
    heard.answered = !out.bytes.isEmpty();
    if ((heard.answered || !slot.late.isEmpty()) && isData) {
        m_ackFrom = address;
        m_assembler.expectAcknowledge(true);
    }
    m_heard.append(heard);
    out.bytes.prepend(late);
    if (out.splitAt > 0)
        out.splitAt += late.size();
    return out;
}

Kvr8Simulator::Outgoing Kvr8Simulator::applyFault(UnitSlot &slot, SimUnit::Answer answer)
{
    const Fault fault = slot.fault;
    if (slot.faultCount > 0 && --slot.faultCount == 0)
        slot.fault = Fault::None;
    Outgoing out{std::move(answer.bytes), 0};
    QByteArray &b = out.bytes;
    switch (fault) {
    case Fault::None:
        break;
    case Fault::Silent:
        b.clear();
        break;
    case Fault::BadChecksum:
        if (answer.isData)
            b[b.size() - 1] = char(quint8(b.back()) + 1);
        break;
    case Fault::OtherAddress:
        if (answer.isData) {
            b[0] = char(quint8(b[0]) + 1);
            b[b.size() - 1] = char(byteSum(QByteArrayView(b).first(b.size() - 1)));
        }
        break;
    case Fault::SplitReply:
        out.splitAt = b.size() / 2;
        break;
    case Fault::Truncated:
        if (answer.isData)
            b.truncate(b.size() / 2);
        break;
    case Fault::LateReply:
        slot.late = std::exchange(b, {});
        break;
    case Fault::Garbage:
    case Fault::TrailingNoise: {
        QByteArray noise;
        for (int i = 0; i < 3; ++i)
            noise.append(char(m_random() & 0xFF));
        if (fault == Fault::Garbage)
            b.prepend(noise);
        else
            b.append(noise);
        break;
    }
    }
    return out;
}

bool Kvr8Simulator::sleepUntil(SteadyClock::time_point t)
{
    // Sleeping is the simulated line's own timing; a stop cuts it short.
    while (!m_stopping && SteadyClock::now() < t)
        std::this_thread::sleep_for(
            std::min<SteadyClock::duration>(t - SteadyClock::now(), std::chrono::milliseconds(20)));
    return !m_stopping;
}

void Kvr8Simulator::writeOut(const Outgoing &out)
{
    bool pace = false;
    {
        std::lock_guard lock(m_mutex);
        pace = m_pace;
    }
    const QByteArrayView all(out.bytes);
    const auto send = [&](QByteArrayView part) {
        if (!pace) {
            writeAll(part);
            return true;
        }
        auto due = SteadyClock::now();
        for (char b : part) {
            writeAll(QByteArrayView(&b, 1));
            due += ByteTime;
            if (!sleepUntil(due))
                return false;
        }
        return true;
    };
    if (out.splitAt <= 0 || out.splitAt >= all.size()) {
        send(all);
        return;
    }
    if (!send(all.first(out.splitAt)))
        return;
    if (!sleepUntil(SteadyClock::now() + std::chrono::milliseconds(SplitPauseMs)))
        return;
    send(all.sliced(out.splitAt));
}

void Kvr8Simulator::writeAll(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && !m_stopping) {
        const ssize_t n = ::write(m_pty.masterFd(), bytes.data(), size_t(bytes.size()));
        if (n > 0) {
            bytes = bytes.sliced(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        pollfd out{m_pty.masterFd(), POLLOUT, 0};
        ::poll(&out, 1, 100);
    }
}

void Kvr8Simulator::generateTraffic()
{
    std::lock_guard lock(m_mutex);
    if (m_units.empty())
        return;
    auto it = m_units.begin();
    std::advance(it, m_random() % m_units.size());
    SimUnit &u = it->second.unit;
    if (m_random() % 5 == 0) {
        u.changeInput(int(m_random() % 4), m_random() % 2 ? 3 : 0, m_clock.now());
        return;
    }
    KeyBytes key{};
    if (m_holders.isEmpty()) {
        key[0] = 0x01;
        for (int i = 1; i < 7; ++i)
            key[i] = quint8(m_random());
    } else {
        key = m_holders[int(m_random() % m_holders.size())];
    }
    u.presentKey(int(m_random() % 4), key, m_clock.now());
}

std::optional<bool> Kvr8Simulator::presentKey(quint8 address, int reader, const KeyBytes &key)
{
    std::lock_guard lock(m_mutex);
    auto it = m_units.find(address);
    if (it == m_units.end())
        return std::nullopt;
    return it->second.unit.presentKey(reader, key, m_clock.now());
}

bool Kvr8Simulator::changeInput(quint8 address, int input, quint8 inputState)
{
    std::lock_guard lock(m_mutex);
    auto it = m_units.find(address);
    if (it == m_units.end())
        return false;
    it->second.unit.changeInput(input, inputState, m_clock.now());
    return true;
}

bool Kvr8Simulator::setFault(quint8 address, Fault fault, int count)
{
    std::lock_guard lock(m_mutex);
    auto it = m_units.find(address);
    if (it == m_units.end())
        return false;
    it->second.fault = count == 0 ? Fault::None : fault;
    it->second.faultCount = count;
    return true;
}

std::optional<SimUnit> Kvr8Simulator::unit(quint8 address) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_units.find(address);
    if (it == m_units.end())
        return std::nullopt;
    return it->second.unit;
}

SimState Kvr8Simulator::snapshot() const
{
    std::lock_guard lock(m_mutex);
    SimState state;
    for (const auto &[address, slot] : m_units) {
        const SimUnit &u = slot.unit;
        state.units.append({address, u.type(), u.memorySizeCode(), u.kept()});
    }
    return state;
}

QList<HeardFrame> Kvr8Simulator::heard() const
{
    std::lock_guard lock(m_mutex);
    return m_heard;
}

void Kvr8Simulator::clearHeard()
{
    std::lock_guard lock(m_mutex);
    m_heard.clear();
}

bool Kvr8Simulator::waitForHeard(int count, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_heardChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                   [&] { return m_heard.size() >= count; });
}

} // namespace vardex::sim
