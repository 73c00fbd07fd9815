#include "sim/ReplyWriter.h"

namespace vardex::sim {

namespace {

constexpr int BlockLength = 260;
constexpr int OneEventLength = 16;
constexpr int SlotLength = 12;
constexpr int SlotsPerBlock = 21;
constexpr int FirstSlotAt = 4;

void put24(QByteArray &bytes, int at, quint32 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8 & 0xFF);
    bytes[at + 2] = char(value >> 16 & 0xFF);
}

} // namespace

quint8 toBcd(int value)
{
    if (value < 0 || value > 99)
        return 0xFF;
    return quint8(value / 10 * 16 + value % 10);
}

quint8 byteSum(QByteArrayView bytes)
{
    unsigned sum = 0;
    for (char b : bytes)
        sum += quint8(b);
    return quint8(sum % 256);
}

QByteArray withChecksum(QByteArray data)
{
    const quint8 sum = byteSum(data);
    data.append(char(sum));
    return data;
}

EventSlot eventSlotAt(const KeyBytes &key, const QDateTime &at, quint8 result)
{
    EventSlot e;
    e.key = key;
    e.minute = toBcd(at.time().minute());
    e.hour = toBcd(at.time().hour());
    e.day = toBcd(at.date().day());
    e.month = toBcd(at.date().month());
    e.result = result;
    return e;
}

QByteArray slotBytes(const EventSlot &event)
{
    QByteArray b;
    for (quint8 k : event.key)
        b.append(char(k));
    for (quint8 v : {event.minute, event.hour, event.day, event.month, event.result})
        b.append(char(v));
    return b;
}

QByteArray eventBlock(quint8 address, quint32 position, const QList<EventSlot> &events)
{
    QByteArray b(BlockLength, '\0');
    b[0] = char(address);
    put24(b, 1, position);
    for (int n = 0; n < events.size() && n < SlotsPerBlock; ++n)
        b.replace(FirstSlotAt + SlotLength * n, SlotLength, slotBytes(events[n]));
    return b;
}

QByteArray oneEvent(quint8 address, quint32 position, const EventSlot &event)
{
    QByteArray b(FirstSlotAt, '\0');
    b[0] = char(address);
    put24(b, 1, position);
    b += slotBytes(event);
    Q_ASSERT(b.size() == OneEventLength);
    return b;
}

std::array<quint8, 7> clockBytes(const QDateTime &at)
{
    const QDate d = at.date();
    const QTime t = at.time();
    // QDate counts Monday 1 .. Sunday 7; the unit Sunday 0 .. Saturday 6.
    return {toBcd(t.second()), toBcd(t.minute()),         toBcd(t.hour()),      toBcd(d.day()),
            toBcd(d.month()),  quint8(d.dayOfWeek() % 7), toBcd(d.year() % 100)};
}

QByteArray stateReply(const StateReply &s)
{
    QByteArray b(BlockLength, '\0');
    b[0] = char(s.address);
    b[1] = char(s.model);
    b[2] = char(s.state);
    b[3] = char(s.mode);
    b[4] = char(s.memorySizeCode);
    b[5] = char(s.alarmMask);
    b[6] = char(s.relayMask);
    for (int i = 0; i < 5; ++i)
        put24(b, 7 + 3 * i, s.positions[i]);
    b[22] = char(s.memoryFlag);
    const std::array<quint8, 7> clock = clockBytes(s.clock);
    for (int i = 0; i < 7; ++i)
        b[23 + i] = char(clock[i]);
    const QByteArray channels = s.channels.left(128);
    b.replace(30, channels.size(), channels);
    return b;
}

} // namespace vardex::sim
