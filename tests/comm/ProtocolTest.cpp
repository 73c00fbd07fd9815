#include "comm/Protocol.h"

#include "text/HexText.h"

#include <gtest/gtest.h>

namespace vardex {
namespace {

QByteArray hex(const char *text)
{
    return *parseHexBytes(QString::fromLatin1(text));
}

TEST(Protocol, FramesCarryAddressLengthCodeDataAndTheSumOfAllBeforeTheChecksum)
{
    struct Case
    {
        quint8 address;
        quint8 code;
        QByteArray data;
        QByteArray frame;
    } cases[] = {
        {0x05, 0x84, {}, hex("0503848C")},
        // The sum wraps at 256: FF + 03 + 85 = 0x187.
        {0xFF, 0x85, {}, hex("FF038587")},
        {0x05, 0x8B, hex("21"), hex("05048B21B5")},
        // Short data are padded to the command's length, long data are cut.
        {0x01, 0x83, hex("0102"), hex("010A830102000000000091")},
        {0x01, 0x8C, hex("0F0F0F"), hex("01048C0FA0")},
        // A code that is no command builds no frame.
        {0x05, 0x91, {}, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(bytesToHex(buildFrame(c.address, c.code, c.data)), bytesToHex(c.frame))
            << "code " << int(c.code);
}

TEST(Protocol, ACodeThatIsNoCommandHasNoLengthsAndNoName)
{
    // The lengths of the commands themselves are checked with every frame
    // the command functions build.
    for (quint8 code : {0x00, 0x7F, 0x91, 0xAA, 0xAF, 0xB2, 0xFF}) {
        EXPECT_EQ(frameLengthOf(code), 0) << int(code);
        EXPECT_EQ(replyLengthOf(code), 0) << int(code);
        EXPECT_TRUE(commandName(code).isEmpty()) << int(code);
    }
    EXPECT_EQ(commandName(0x84), QStringLiteral("Čtení bloku událostí"));
}

TEST(Protocol, ACodeMissingFromTheStatusTableReadsAsQuestionMarks)
{
    for (quint8 code : {0x00, 0x03, 0xFF})
        EXPECT_EQ(statusText(code), QStringLiteral("???")) << int(code);
    // The PC's checksum mark shares 0xC0 with the unit's own refusal.
    EXPECT_EQ(statusText(0xC0), QStringLiteral("chyba: nepřípustné"));
}

TEST(Protocol, ClockLayoutIsBcdWithAPlainDayOfWeekFromSunday)
{
    struct Case
    {
        QDateTime at;
        const char *bytes;
    } cases[] = {
        {QDateTime(QDate(2024, 12, 24), QTime(14, 30, 5)), "05301424120224"}, // Tuesday
        {QDateTime(QDate(2023, 1, 1), QTime(0, 0, 0)), "00000001010023"},     // Sunday
        {QDateTime(QDate(2099, 2, 28), QTime(23, 59, 59)), "59592328020699"}, // Saturday
    };
    for (const Case &c : cases) {
        const UnitClock clock = encodeClock(c.at);
        EXPECT_EQ(bytesToHex(QByteArrayView(reinterpret_cast<const char *>(clock.data()), 7)),
                  QLatin1String(c.bytes));
        EXPECT_EQ(decodeClock(clock), c.at);
    }
    // No number (above 0x99), no such date, no such hour.
    for (const UnitClock bad :
         {UnitClock{0xA0, 0, 0, 1, 1, 0, 0x24}, UnitClock{0, 0, 0, 0x31, 0x02, 0, 0x24},
          UnitClock{0, 0, 0x24, 1, 1, 0, 0x24}})
        EXPECT_FALSE(decodeClock(bad).has_value());
}

TEST(Protocol, DayMasksRunFromMondayInBit6ToSundayInBit0)
{
    EXPECT_TRUE(dayOfWeekName(7).isEmpty());
    EXPECT_EQ(dayMaskText(127), QStringLiteral("Po Út St Čt Pá So Ne "));
    EXPECT_EQ(dayMaskText(0x41), QStringLiteral("Po Ne "));
    EXPECT_EQ(dayMaskBit(0), 0x01); // Sunday
    EXPECT_EQ(dayMaskBit(1), 0x40); // Monday
    EXPECT_EQ(dayMaskBit(6), 0x02); // Saturday
}

TEST(Protocol, PermissionRecordHasItsFourteenBytesInPlace)
{
    PermissionRecord r;
    r.key = keyFromText(u"01665544332211");
    r.windowStart = packTime(6, 30);
    r.windowEnd = packTime(18, 45);
    r.dayMask = 0x7F;
    r.address = 0x07;
    r.attribute = 0x05;
    EXPECT_EQ(bytesToHex(r.toBytes()), QStringLiteral("011122334455661E062D12"
                                                      "7F0705"));
    EXPECT_EQ(PermissionRecord::fromBytes(r.toBytes()), r);
    EXPECT_EQ(PermissionRecord::fromBytes(hex("01")).key[0], 0x01);
}

TEST(Protocol, SectionOfATimeWindowDependsOnTheUnitType)
{
    struct Case
    {
        quint8 type;
        quint8 section;
    } cases[] = {{1, 0}, {2, 0}, {3, 0x0D}, {8, 0x0D}, {4, 0x01}, {9, 0x01}, {0, 255}, {5, 255}};
    for (const Case &c : cases)
        EXPECT_EQ(SekceJednotkyPodleTypu(c.type, 0xED), c.section) << int(c.type);
}

TEST(Protocol, EventBlockHoldsTheSlotsBeforeTheFirstEmptyOne)
{
    const EventSlot e = makeEventSlot(keyFromText(u"01665544332211"),
                                      QDateTime(QDate(2024, 3, 9), QTime(7, 55)), 0x10);
    EXPECT_EQ(bytesToHex(e.toBytes()), QStringLiteral("011122334455665507090310"));

    struct Case
    {
        int events;
        int blockLength;
        int found;
    } cases[] = {{0, 260, 0},
                 {1, 260, 1},
                 {21, 260, 21},
                 {30, 260, 21},
                 // A short block yields only the slots wholly inside it.
                 {21, 4 + 12 * 5 + 11, 5},
                 {3, 3, 0}};
    for (const Case &c : cases) {
        QByteArray block = encodeEventBlock(0x05, 0x123456, QList<EventSlot>(c.events, e));
        ASSERT_EQ(block.size(), 260);
        EXPECT_EQ(quint8(block[0]), 0x05);
        EXPECT_EQ(blockValue(block), 0x123456u);
        block.truncate(c.blockLength);
        const QList<EventSlot> found = eventsInBlock(block);
        EXPECT_EQ(found.size(), c.found) << c.events << " in " << c.blockLength;
        if (!found.isEmpty()) {
            EXPECT_EQ(found.last(), e);
        }
    }
    // Slot 21 ends at offset 255; the bytes after it are not used.
    const QByteArray full = encodeEventBlock(1, 0, QList<EventSlot>(21, e));
    EXPECT_EQ(full.mid(eventSlotOffset(21), 12), e.toBytes());
    EXPECT_EQ(full.mid(256), QByteArray(4, '\0'));

    const QByteArray one = encodeOneEvent(0x05, 0x0C, e);
    EXPECT_EQ(one.size(), 16);
    // The one-event reply is a block cut after its first slot.
    EXPECT_EQ(eventsInBlock(one), QList<EventSlot>{e});
    EXPECT_EQ(EventSlot::fromBytes(one.mid(4)), e);
}

TEST(Protocol, UnitStateLayoutAndWaitingEvents)
{
    UnitState s;
    s.address = 0x05;
    s.type = 8;
    s.state = UnitStateCode::Locked;
    s.mode = 0x12;
    s.memorySizeCode = 3;
    s.alarmMask = 0x0F;
    s.relayMask = 0x21;
    s.positions = {0x010024, 0x000102, 0x000000, 0x010000, 0x018000};
    s.memoryFlag = MemoryFlagOverflow;
    s.clock = {0x05, 0x30, 0x14, 0x24, 0x12, 3, 0x99};
    s.channels = QByteArray(128, '\x5A');
    const QByteArray b = s.toBytes();
    ASSERT_EQ(b.size(), 260);
    EXPECT_EQ(bytesToHex(b.left(30)), QStringLiteral("05080212030F21"
                                                     "240001"
                                                     "020100"
                                                     "000000"
                                                     "000001"
                                                     "008001"
                                                     "01"
                                                     "05301424120399"));
    EXPECT_EQ(quint8(b[157]), 0x5A);
    EXPECT_EQ(quint8(b[158]), 0x00);

    const UnitState back = UnitState::fromBytes(b);
    EXPECT_EQ(back.positions, s.positions);
    EXPECT_EQ(back.clock, s.clock);
    EXPECT_EQ(back.channels, s.channels);
    EXPECT_EQ(back.waitingEvents(), 3);

    // The write counter may have wrapped past the 24-bit limit.
    UnitState wrapped;
    wrapped.positions = {0x000008, 0, 0, 0xFFFFFC, 0};
    EXPECT_EQ(wrapped.waitingEvents(), 1);
    // A one-byte refusal leaves every other field zero.
    EXPECT_EQ(UnitState::fromBytes(hex("90")).waitingEvents(), 0);
}

} // namespace
} // namespace vardex
