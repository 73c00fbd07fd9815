#include "accessdata/RepeatedRecords.h"

#include "accessdata/EventRecord.h"

namespace vardex {

namespace {

constexpr int kHeader = EventReply::FirstRecordOffset;
constexpr int kRecord = EventReply::RecordSize;

quint32 position(const QByteArray &reply)
{
    return quint8(reply[1]) | quint32(quint8(reply[2])) << 8 | quint32(quint8(reply[3])) << 16;
}

// The records up to the first empty or cut-off one.
int records(const QByteArray &reply)
{
    int n = 0;
    while (n < EventReply::MaxRecords && kHeader + (n + 1) * kRecord <= reply.size() &&
           reply.mid(kHeader + n * kRecord, kRecord).count('\0') != kRecord)
        ++n;
    return n;
}

} // namespace

int repeatedRecords(const QByteArray &stored, const QByteArray &reply)
{
    if (stored.size() < kHeader || reply.size() < kHeader || stored[0] != reply[0])
        return 0;
    const quint32 offset = (position(reply) - position(stored)) & 0xFFFFFF;
    const int storedRecords = records(stored);
    if (offset % kRecord != 0 || offset / kRecord >= quint32(storedRecords))
        return 0;
    const int from = int(offset / kRecord);
    const int shared = std::min(storedRecords - from, records(reply));
    if (stored.mid(kHeader + from * kRecord, shared * kRecord) !=
        reply.mid(kHeader, shared * kRecord))
        return 0;
    return shared;
}

} // namespace vardex
