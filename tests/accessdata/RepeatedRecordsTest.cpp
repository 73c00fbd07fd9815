// Which records of a reply its unit handed out before, in the reply stored
// last: the same place in the unit's memory and the same bytes.
#include "accessdata/RepeatedRecords.h"
#include "comm/Protocol.h"

namespace vardex {
namespace {

// A reply of unit 05 whose first record lies at record `at` of the memory,
// with the records `from`..`to` - 1 of a fixed run of events.
QByteArray reply(int at, int from, int to, bool oneEvent = false)
{
    QList<EventSlot> events;
    for (int i = from; i < to; ++i)
        events << makeEventSlot(keyFromText(u"01000000000000"),
                                QDateTime(QDate(2027, 1, 4), QTime(6, i)), quint8(i));
    return oneEvent ? encodeOneEvent(0x05, quint32(at * EventSlotSize), events.value(0))
                    : encodeEventBlock(0x05, quint32(at * EventSlotSize), events);
}

TEST(RepeatedRecords, OnlyRecordsAtTheSamePlaceWithTheSameBytesAreRepeats)
{
    const struct
    {
        QByteArray stored, reply;
        int repeated;
    } cases[] = {
        {reply(0, 0, 21), reply(0, 0, 21), 21},                    // the block again
        {reply(0, 0, 1, true), reply(0, 0, 21), 1},                // key reading, then a block
        {reply(0, 0, 21), reply(0, 0, 1, true), 1},                // a block, then key reading
        {reply(0, 0, 21), reply(1, 1, 22), 20},                    // a block, key reading, a block
        {reply(0, 0, 21), reply(21, 21, 30), 0},                   // the next block
        {reply(0, 0, 21), reply(0, 30, 40), 0},                    // other events at that place
        {reply(5, 0, 3), reply(5, 0, 3).replace(0, 1, "\x06"), 0}, // another unit
        {QByteArray(), reply(0, 0, 21), 0},                        // nothing stored yet
    };
    for (const auto &c : cases)
        EXPECT_EQ(repeatedRecords(c.stored, c.reply), c.repeated);
}

} // namespace
} // namespace vardex
