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
    QByteArray r = char(address) + QByteArray("\xEF\xCD\xAB");
    for (const RawEvent &e : events) {
        const char fields[] = {char(e.minute), char(e.hour), char(e.day), char(e.month),
                               char(e.result)};
        r += e.key + QByteArray(fields, 5);
    }
    r = r.leftJustified(260, '\0', true);
    quint8 sum = 0;
    for (char c : r)
        sum = quint8(sum + quint8(c));
    return r + char(sum);
}

} // namespace vardex::testing
