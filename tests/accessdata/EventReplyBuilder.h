#pragma once

#include <QByteArray>
#include <QList>

namespace vardex::testing {

// One raw event of a reply, with its fields as the unit writes them (BCD
// bytes given as they travel, e.g. 0x59 for 59 minutes).
struct RawEvent
{
    QByteArray key = QByteArray(7, '\0'); // bytes 0..6
    quint8 minute = 0x00;
    quint8 hour = 0x08;
    quint8 day = 0x06;
    quint8 month = 0x12;
    quint8 result = 0x00;
};

// A reply to a read of events from unit `address`: address, the 24-bit
// value 0xABCDEF (bytes 1..3 = EF CD AB), the records, zeros up to 260 data
// bytes, and the checksum.
inline QByteArray eventReply(quint8 address, const QList<RawEvent> &events)
{
    QByteArray r(260, '\0');
    r[0] = char(address);
    r[1] = char(0xEF);
    r[2] = char(0xCD);
    r[3] = char(0xAB);
    for (qsizetype i = 0; i < events.size(); ++i) {
        const RawEvent &e = events[i];
        const qsizetype at = 4 + 12 * i;
        r.replace(at, 7, e.key);
        r[at + 7] = char(e.minute);
        r[at + 8] = char(e.hour);
        r[at + 9] = char(e.day);
        r[at + 10] = char(e.month);
        r[at + 11] = char(e.result);
    }
    quint8 sum = 0;
    for (char c : r)
        sum = quint8(sum + quint8(c));
    r.append(char(sum));
    return r;
}

inline QByteArray keyBytes(std::initializer_list<quint8> bytes)
{
    QByteArray k;
    for (quint8 b : bytes)
        k.append(char(b));
    return k;
}

} // namespace vardex::testing
