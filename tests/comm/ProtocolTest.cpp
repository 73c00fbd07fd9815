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
    // Address, code, data, frame.
    const std::tuple<quint8, quint8, const char *, const char *> cases[] = {
        {0x05, 0x84, "", "0503848C"},
        // The sum wraps at 256: FF + 03 + 85 = 0x187.
        {0xFF, 0x85, "", "FF038587"},
        {0x05, 0x8B, "21", "05048B21B5"},
        // Short data are padded to the command's length, long data are cut.
        {0x01, 0x83, "0102", "010A830102000000000091"},
        {0x01, 0x8C, "0F0F0F", "01048C0FA0"},
    };
    for (const auto &[address, code, data, frame] : cases)
        EXPECT_EQ(bytesToHex(buildFrame(address, code, hex(data))), QLatin1String(frame))
            << "code " << int(code);
    // A code that is no command has no frame, no lengths, no name and no
    // status text. Those of the commands are checked with every frame the
    // command functions build.
    for (quint8 code : {0x00, 0x03, 0x7F, 0x91, 0xAA, 0xAF, 0xB2, 0xFF}) {
        EXPECT_TRUE(buildFrame(0x05, code, {}).isEmpty() && frameLengthOf(code) == 0 &&
                    replyLengthOf(code) == 0 && commandName(code).isEmpty())
            << int(code);
        EXPECT_TRUE(code == 0xAA || statusText(code) == QStringLiteral("???")) << int(code);
    }
}

TEST(Protocol, ClockLayoutIsBcdWithAPlainDayOfWeekFromSunday)
{
    const std::pair<QDateTime, const char *> cases[] = {
        {QDateTime(QDate(2024, 12, 24), QTime(14, 30, 5)), "05301424120224"}, // Tuesday
        {QDateTime(QDate(2023, 1, 1), QTime(0, 0, 0)), "00000001010023"},     // Sunday
        {QDateTime(QDate(2099, 2, 28), QTime(23, 59, 59)), "59592328020699"}, // Saturday
    };
    for (const auto &[at, bytes] : cases) {
        const UnitClock clock = encodeClock(at);
        EXPECT_EQ(bytesToHex(QByteArrayView(reinterpret_cast<const char *>(clock.data()), 7)),
                  QLatin1String(bytes));
        EXPECT_EQ(decodeClock(clock), at);
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
    const PermissionRecord r{
        keyFromText(u"01665544332211"), packTime(6, 30), packTime(18, 45), 0x7F, 0x07, 0x05};
    EXPECT_EQ(bytesToHex(r.toBytes()), QStringLiteral("011122334455661E062D127F0705"));
    EXPECT_EQ(PermissionRecord::fromBytes(r.toBytes()), r);
    EXPECT_EQ(PermissionRecord::fromBytes(hex("01")).key[0], 0x01);
}

TEST(Protocol, SectionOfATimeWindowDependsOnTheUnitType)
{
    const int cases[][2] = {{1, 0},    {2, 0},    {3, 0x0D}, {8, 0x0D},
                            {4, 0x01}, {9, 0x01}, {0, 255},  {5, 255}};
    for (const auto [type, section] : cases)
        EXPECT_EQ(SekceJednotkyPodleTypu(quint8(type), 0xED), section) << type;
}

TEST(Protocol, EventBlockHoldsTheSlotsBeforeTheFirstEmptyOne)
{
    const EventSlot e = makeEventSlot(keyFromText(u"01665544332211"),
                                      QDateTime(QDate(2024, 3, 9), QTime(7, 55)), 0x10);
    EXPECT_EQ(bytesToHex(e.toBytes()), QStringLiteral("011122334455665507090310"));

    // Events in the block, bytes of it read, events found; a short block
    // yields only the slots wholly inside it.
    const int cases[][3] = {
        {0, 260, 0}, {1, 260, 1}, {21, 260, 21}, {30, 260, 21}, {21, 4 + 12 * 5 + 11, 5},
        {3, 3, 0}};
    for (const auto [events, length, expected] : cases) {
        const QList<EventSlot> found = eventsInBlock(
            encodeEventBlock(0x05, 0x123456, QList<EventSlot>(events, e)).left(length));
        EXPECT_EQ(found.size(), expected) << events << " in " << length;
        EXPECT_TRUE(found.isEmpty() || found.last() == e);
    }
    // Slot 21 ends at offset 255; the bytes after it are not used.
    const QByteArray full = encodeEventBlock(0x05, 0x123456, QList<EventSlot>(21, e));
    ASSERT_EQ(full.size(), 260);
    EXPECT_EQ(quint8(full[0]), 0x05);
    EXPECT_EQ(blockValue(full), 0x123456u);
    EXPECT_EQ(full.mid(eventSlotOffset(21), 12), e.toBytes());
    EXPECT_EQ(full.mid(256), QByteArray(4, '\0'));

    const QByteArray one = encodeOneEvent(0x05, 0x0C, e);
    EXPECT_EQ(one.size(), 16);
    // The one-event reply is a block cut after its first slot.
    EXPECT_EQ(eventsInBlock(one), QList<EventSlot>{e});
}

TEST(Protocol, UnitStateLayoutAndWaitingEvents)
{
    UnitState s{0x05, 8,  UnitStateCode::Locked, 0x12, 3, 0x0F,
                0x21, {}, MemoryFlagFine,        {},   {}};
    s.positions = {0x010024, 0x000102, 0x000000, 0x010000, 0x018000};
    s.clock = {0x05, 0x30, 0x14, 0x24, 0x12, 3, 0x99};
    s.channels = QByteArray(128, '\x5A');
    const QByteArray b = s.toBytes();
    ASSERT_EQ(b.size(), 260);
    // Address, type, state, mode, memory size, masks; five positions of three
    // bytes, low byte first; the memory flag; the clock.
    EXPECT_EQ(bytesToHex(b.left(30)),
              QStringLiteral("05080212030F212400010201000000000000010080010105301424120399"));
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
