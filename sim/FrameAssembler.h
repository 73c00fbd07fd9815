#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <deque>
#include <functional>
#include <optional>

namespace vardex::sim {

// Cuts the bytes a unit hears into frames by their structure: address,
// length byte L, code, data, checksum at offset L. A pseudo-terminal does
// not carry the parity bit that marks a frame's first byte on the real
// line, so the structure is all there is to go by. A byte that cannot start
// a frame is skipped, so that the line finds its way back after noise.
class FrameAssembler
{
public:
    // The longest frame taken; longer length bytes are noise.
    static constexpr int MaxFrameLength = 64;

    struct Item
    {
        enum Kind { Frame, BadChecksum, Acknowledge } kind = Frame;
        QByteArray bytes;
        // When the first and the second byte arrived (microseconds of the
        // caller's clock).
        qint64 firstByteUs = 0;
        qint64 secondByteUs = 0;
    };

    // `isUnit` tells whether an address belongs to a unit of the line; only
    // such a unit answers a frame with a wrong checksum.
    explicit FrameAssembler(std::function<bool(quint8)> isUnit) : m_isUnit(std::move(isUnit)) {}

    void feed(QByteArrayView bytes, qint64 nowUs);
    // After a data reply the next byte may be the PC's acknowledgement.
    void expectAcknowledge(bool on) { m_expectAck = on; }
    std::optional<Item> next();
    // A frame has stopped arriving: its last byte came more than `staleUs`
    // ago. The caller then gives up its first byte (skipByte) and looks for
    // a frame in the rest, so that a stray byte cannot swallow a command.
    bool isStale(qint64 nowUs, qint64 staleUs) const
    {
        return !m_bytes.empty() && nowUs - m_lastUs > staleUs;
    }
    void skipByte() { drop(m_bytes.empty() ? 0 : 1); }
    bool pending() const { return !m_bytes.empty(); }
    qint64 lastByteUs() const { return m_lastUs; }

private:
    void drop(std::size_t n);

    std::function<bool(quint8)> m_isUnit;
    std::deque<quint8> m_bytes;
    std::deque<qint64> m_times;
    qint64 m_lastUs = 0;
    bool m_expectAck = false;
};

} // namespace vardex::sim
