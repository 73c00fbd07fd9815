#include "accessdata/EventRecord.h"
#include "accessdata/EventReplyBuilder.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::eventReply;
using vardex::testing::RawEvent;

namespace {

const Date kSecondJanuary{2027, 1, 2};

EventReply taken(const QByteArray &received)
{
    EventReply reply;
    EXPECT_TRUE(reply.take(received, QStringLiteral("05")).isEmpty());
    return reply;
}

} // namespace

TEST(EventReply, DecodesTheBcdFieldsAndTheKeyOfARecord)
{
    const RawEvent e{QByteArray::fromHex("01112233445566"), 0x59, 0x23, 0x31, 0x12, 0x38};
    const EventReply reply = taken(eventReply(0x05, {e}));
    const EventRecord r = reply.record(1);
    EXPECT_EQ(r.address, 0x05);
    EXPECT_EQ(QList<int>({r.hours(), r.minutes(), r.day(), r.month()}),
              QList<int>({23, 59, 31, 12}));
    EXPECT_EQ(udalost_dmToStr(reply, r), "05 ABCDEF 31.12. 23:59 01665544332211 38");
}

// A BCD byte above 0x99 reads as 255 and must never pass for a plausible
// time; a unit clock on 29 February of a common year cannot be stored as a date.
TEST(EventReply, RejectsEveryImpossibleTimeAndDate)
{
    // Minute, hour, day, month.
    const std::tuple<quint8, quint8, quint8, quint8, bool> cases[] = {
        {0x59, 0x23, 0x31, 0x12, true},  {0x00, 0x24, 0x06, 0x12, false},
        {0x60, 0x08, 0x06, 0x12, false}, {0x00, 0x08, 0x00, 0x12, false},
        {0x00, 0x08, 0x32, 0x12, false}, {0x00, 0x08, 0x06, 0x00, false},
        {0x00, 0x08, 0x06, 0x13, false}, {0x00, 0xA0, 0x06, 0x12, false},
        {0x00, 0x08, 0x29, 0x02, false}, {0x00, 0x08, 0x30, 0x11, true},
    };
    for (const auto &[minute, hour, day, month, accepted] : cases) {
        const RawEvent e{.minute = minute, .hour = hour, .day = day, .month = month};
        const EventReply reply = taken(eventReply(0x05, {e}));
        const EventVerdict v = validateEvent(reply, reply.record(1), kSecondJanuary);
        const QString bad = udalost_dmToStr(reply, reply.record(1)) + " - chybné časové údaje!";
        EXPECT_EQ(v.message, accepted ? QString() : bad);
    }
}

TEST(EventReply, AnEventFromAMonthAfterTodaysBelongsToLastYear)
{
    const std::tuple<Date, quint8, quint8, int> cases[] = {
        {{2027, 1, 2}, 0x31, 0x12, 2026}, // read in January: last December
        {{2027, 1, 2}, 0x02, 0x01, 2027}, // read on the day itself
        {{2027, 6, 15}, 0x15, 0x06, 2027},
        {{2027, 6, 15}, 0x16, 0x07, 2026}, // a later month cannot be this year's
        {{2028, 3, 1}, 0x29, 0x02, 2028},  // leap day of the current year
    };
    for (const auto &[today, day, month, year] : cases) {
        const EventReply reply = taken(eventReply(0x05, {{.day = day, .month = month}}));
        const EventVerdict v = validateEvent(reply, reply.record(1), today);
        EXPECT_TRUE(v.accepted()) << v.message.toStdString();
        EXPECT_EQ(v.year, year) << int(day) << "." << int(month);
    }
}

TEST(EventReply, CountsTheRecordsBeforeTheFirstEmptyOne)
{
    const RawEvent e;
    // A record with only a result code is not empty.
    const RawEvent noKeyNoTime{.hour = 0, .day = 0, .month = 0, .result = 0x08};
    const RawEvent empty{.hour = 0, .day = 0, .month = 0};

    EXPECT_EQ(taken(eventReply(0x05, {})).recordCount(), 0);
    EXPECT_EQ(taken(eventReply(0x05, {empty, e, e})).recordCount(), 0);
    EXPECT_EQ(taken(eventReply(0x05, {e, e, empty, e})).recordCount(), 2);
    EXPECT_EQ(taken(eventReply(0x05, {noKeyNoTime})).recordCount(), 1);
    EXPECT_EQ(taken(eventReply(0x05, QList<RawEvent>(21, e))).recordCount(), 21);

    // A one-event reply (16 data bytes and the checksum) holds its event.
    EXPECT_EQ(taken(eventReply(0x05, {e}).left(16) + '\0').recordCount(), 1);
    // A cut-off record is not taken for an event.
    EXPECT_EQ(taken(eventReply(0x05, {e, e}).left(4 + 12 + 6)).recordCount(), 1);
}

TEST(EventReply, SaysWhyAReplyCannotBeUsed)
{
    const QByteArray good = eventReply(0x05, {RawEvent{}});
    EXPECT_EQ(EventReply().take(good, "06"), "05/06 Odpovídá jiná jednotka!");
    EXPECT_EQ(EventReply().take(eventReply(0x0A, {}), "0a"), "");
    EXPECT_EQ(EventReply().take(good + '\0', "05"), "05 ABCDEF  Nesprávná délka paketu: 262");
}

// What the serial line's handlers and the simulator get without any table.
TEST(DecodeEventBlock, GivesEveryRecordWithItsVerdictOrWhyNone)
{
    const RawEvent good, bad{.hour = 0x24};
    const DecodedEventBlock block =
        decodeEventBlock(eventReply(0x05, {good, bad, good}), QStringLiteral("05"), kSecondJanuary);
    ASSERT_EQ(block.entries.size(), 3);
    EXPECT_EQ(block.entries[0].verdict.year, 2026);
    const QList<bool> accepted = {block.entries[0].verdict.accepted(),
                                  block.entries[1].verdict.accepted(),
                                  block.entries[2].verdict.accepted()};
    EXPECT_EQ(accepted, QList<bool>({true, false, true}));
    EXPECT_FALSE(decodeEventBlock(eventReply(0x05, {good}), "07", kSecondJanuary).usable());
    EXPECT_FALSE(decodeEventBlock({}, "05", kSecondJanuary).usable());
}
