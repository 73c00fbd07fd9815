#include "accessdata/EventRecord.h"
#include "accessdata/EventReplyBuilder.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::eventReply;
using vardex::testing::keyBytes;
using vardex::testing::RawEvent;

namespace {

const Date kSecondJanuary{2027, 1, 2};

EventReply taken(const QByteArray &received, const QString &unit = QStringLiteral("05"))
{
    EventReply reply;
    EXPECT_TRUE(reply.take(received, unit).isEmpty());
    return reply;
}

} // namespace

TEST(EventReply, DecodesTheBcdFieldsAndTheKeyOfARecord)
{
    RawEvent e;
    e.key = keyBytes({0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
    e.minute = 0x59;
    e.hour = 0x23;
    e.day = 0x31;
    e.month = 0x12;
    e.result = 0x38;
    const EventReply reply = taken(eventReply(0x05, {e}));
    const EventRecord r = reply.record(1);
    EXPECT_EQ(r.address, 0x05);
    EXPECT_EQ(r.keyText(), QStringLiteral("01665544332211"));
    EXPECT_EQ(r.hours(), 23);
    EXPECT_EQ(r.minutes(), 59);
    EXPECT_EQ(r.day(), 31);
    EXPECT_EQ(r.month(), 12);
    EXPECT_EQ(r.result, 0x38);
    EXPECT_EQ(udalost_dmToStr(reply, r),
              QStringLiteral("05 ABCDEF 31.12. 23:59 01665544332211 38"));
}

// A BCD byte above 0x99 reads as 255 and must never pass for a plausible time.
TEST(EventReply, RejectsEveryImpossibleTimeAndDate)
{
    struct Case
    {
        const char *what;
        quint8 minute, hour, day, month;
        bool accepted;
    };
    const Case cases[] = {
        {"last minute of the day", 0x59, 0x23, 0x31, 0x12, true},
        {"hours 24", 0x00, 0x24, 0x06, 0x12, false},
        {"minutes 60", 0x60, 0x08, 0x06, 0x12, false},
        {"day 0", 0x00, 0x08, 0x00, 0x12, false},
        {"day 32", 0x00, 0x08, 0x32, 0x12, false},
        {"month 0", 0x00, 0x08, 0x06, 0x00, false},
        {"month 13", 0x00, 0x08, 0x06, 0x13, false},
        {"hour byte above 0x99", 0x00, 0xA0, 0x06, 0x12, false},
        // A unit clock on 29 February of a common year cannot be stored as a date.
        {"29 February of a common year", 0x00, 0x08, 0x29, 0x02, false},
        {"30 November", 0x00, 0x08, 0x30, 0x11, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RawEvent e;
        e.minute = c.minute;
        e.hour = c.hour;
        e.day = c.day;
        e.month = c.month;
        e.result = 0x10;
        const EventReply reply = taken(eventReply(0x05, {e}));
        const EventVerdict v = validateEvent(reply, reply.record(1), kSecondJanuary);
        EXPECT_EQ(v.accepted(), c.accepted) << v.message.toStdString();
        if (!c.accepted) {
            EXPECT_EQ(v.message, udalost_dmToStr(reply, reply.record(1)) +
                                     QStringLiteral(" - chybné časové údaje!"));
        }
    }
}

TEST(EventReply, AnEventFromAMonthAfterTodaysBelongsToLastYear)
{
    struct Case
    {
        Date today;
        quint8 day, month;
        int year;
    };
    const Case cases[] = {
        {{2027, 1, 2}, 0x31, 0x12, 2026}, // read in January: last December
        {{2027, 1, 2}, 0x02, 0x01, 2027}, // read on the day itself
        {{2027, 6, 15}, 0x15, 0x06, 2027},
        {{2027, 6, 15}, 0x16, 0x07, 2026}, // a later month cannot be this year's
        {{2028, 3, 1}, 0x29, 0x02, 2028},  // leap day of the current year
    };
    for (const Case &c : cases) {
        RawEvent e;
        e.day = c.day;
        e.month = c.month;
        const EventReply reply = taken(eventReply(0x05, {e}));
        const EventVerdict v = validateEvent(reply, reply.record(1), c.today);
        EXPECT_TRUE(v.accepted()) << v.message.toStdString();
        EXPECT_EQ(v.year, c.year) << int(c.day) << "." << int(c.month);
    }
}

TEST(EventReply, CountsTheRecordsBeforeTheFirstEmptyOne)
{
    const RawEvent e;
    RawEvent noKeyNoTime; // a record with only a result code is not empty
    noKeyNoTime.minute = noKeyNoTime.hour = noKeyNoTime.day = noKeyNoTime.month = 0;
    noKeyNoTime.result = 0x08;
    const RawEvent empty{QByteArray(7, '\0'), 0, 0, 0, 0, 0};

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
    struct Case
    {
        QByteArray received;
        QString unit;
        QString message;
    };
    const Case cases[] = {
        {good, QStringLiteral("05"), QString()},
        {good, QStringLiteral("06"), QStringLiteral("05/06 Odpovídá jiná jednotka!")},
        {eventReply(0x0A, {}), QStringLiteral("0a"), QString()},
        {good + '\0', QStringLiteral("05"),
         QStringLiteral("05 ABCDEF  Nesprávná délka paketu: 262")},
    };
    for (const Case &c : cases) {
        EventReply reply;
        EXPECT_EQ(reply.take(c.received, c.unit), c.message);
    }
}

// What the serial line's handlers and the simulator get without any table.
TEST(DecodeEventBlock, GivesEveryRecordWithItsVerdictOrWhyNone)
{
    RawEvent bad;
    bad.hour = 0x24;
    const RawEvent good;
    const DecodedEventBlock block =
        decodeEventBlock(eventReply(0x05, {good, bad, good}), QStringLiteral("05"), kSecondJanuary);
    ASSERT_TRUE(block.usable());
    ASSERT_EQ(block.entries.size(), 3);
    EXPECT_TRUE(block.entries[0].verdict.accepted());
    EXPECT_EQ(block.entries[0].verdict.year, 2026);
    EXPECT_FALSE(block.entries[1].verdict.accepted());
    EXPECT_TRUE(block.entries[2].verdict.accepted());
    EXPECT_TRUE(decodeEventBlock(eventReply(0x05, {good}), QStringLiteral("07"), kSecondJanuary)
                    .entries.isEmpty());
    EXPECT_FALSE(decodeEventBlock({}, QStringLiteral("05"), kSecondJanuary).usable());
}
