#include "sim/FrameAssembler.h"

#include "comm/Protocol.h"

namespace vardex::sim {

void FrameAssembler::feed(QByteArrayView bytes, qint64 nowUs)
{
    for (char b : bytes) {
        m_bytes.push_back(quint8(b));
        m_times.push_back(nowUs);
    }
    if (!bytes.isEmpty())
        m_lastUs = nowUs;
}

void FrameAssembler::drop(std::size_t n)
{
    m_bytes.erase(m_bytes.begin(), m_bytes.begin() + n);
    m_times.erase(m_times.begin(), m_times.begin() + n);
}

std::optional<FrameAssembler::Item> FrameAssembler::next()
{
    while (!m_bytes.empty()) {
        if (m_expectAck) {
            m_expectAck = false;
            if (m_bytes.front() == AcknowledgeByte) {
                Item ack{Item::Acknowledge, QByteArray(1, char(AcknowledgeByte)), m_times.front(),
                         0};
                drop(1);
                return ack;
            }
        }
        if (m_bytes.size() < 2)
            return std::nullopt;
        const int l = m_bytes[1];
        if (l < 3 || l > MaxFrameLength) {
            drop(1);
            continue;
        }
        if (int(m_bytes.size()) < l + 1)
            return std::nullopt;
        Item item;
        item.firstByteUs = m_times[0];
        item.secondByteUs = m_times[1];
        quint8 sum = 0;
        for (int i = 0; i < l; ++i) {
            sum = quint8(sum + m_bytes[i]);
            item.bytes.append(char(m_bytes[i]));
        }
        item.bytes.append(char(m_bytes[l]));
        if (sum == m_bytes[l]) {
            item.kind = Item::Frame;
        } else if (m_isUnit(m_bytes[0]) && frameLengthOf(m_bytes[2]) == l) {
            // A command of the right shape for one of our units, damaged on
            // the way: the unit says so.
            item.kind = Item::BadChecksum;
        } else {
            drop(1);
            continue;
        }
        drop(std::size_t(l) + 1);
        return item;
    }
    return std::nullopt;
}

} // namespace vardex::sim
