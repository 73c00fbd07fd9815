#include "sim/ReplyWriter.h"

#include "text/HexText.h"

#include <gtest/gtest.h>

// The expected bytes are worked out by hand from the reply layouts, so that
// the simulator's writer and the program's decoders cannot share a mistake;
// the sizes follow from the last comparison of each reply.

using namespace vardex;
using namespace vardex::sim;

// The key "01665544332211": family code first, then the serial number's
// bytes from the last pair of the text to the first.
const KeyBytes Key{0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};

TEST(ReplyWriter, EventSlotsBlocksAndOneEvent)
{
    const EventSlot key = eventSlotAt(Key, QDateTime(QDate(2024, 12, 24), QTime(7, 55, 9)), 0x02);
    const EventSlot input =
        eventSlotAt(KeyBytes{}, QDateTime(QDate(2025, 1, 5), QTime(23, 0)), 0x38);
    // Key, minute, hour, day, month (BCD), result.
    const QString keySlot = QStringLiteral("011122334455665507241202");
    const QString inputSlot = QStringLiteral("000000000000000023050138");
    EXPECT_EQ(bytesToHex(slotBytes(key)), keySlot);
    EXPECT_EQ(bytesToHex(slotBytes(input)), inputSlot);
    // Address, the position little-endian, the slots from offset 4, zeros.
    const QByteArray block = eventBlock(0x05, 0x012345, {key, input});
    EXPECT_EQ(bytesToHex(block.left(28)), "05452301" + keySlot + inputSlot);
    EXPECT_EQ(block.mid(28), QByteArray(232, '\0'));
    // Slot 21 lies at 244..255; a 22nd event has no room.
    const QByteArray full = eventBlock(0x05, 0, QList<EventSlot>(22, key));
    EXPECT_EQ(bytesToHex(full.mid(244)), keySlot + "00000000");

    EXPECT_EQ(bytesToHex(oneEvent(0x2A, 0x0C, key)), "2A0C0000" + keySlot);
}

TEST(ReplyWriter, StateReplyAndClock)
{
    const std::array<quint32, 5> positions = {0x000030, 0x000102, 0x000000, 0x000018, 0x018000};
    const QDateTime clock(QDate(2024, 12, 24), QTime(14, 30, 5)); // a Tuesday
    const QByteArray channels(128, '\x5A');
    // Address, model, state, mode, memory size code, alarm and relay masks,
    // positions, memory flag, clock, channels.
    const StateReply s{0x07, 8, 0xAA, 0x12, 3, 0x0F, 0x21, positions, 1, clock, channels};
    const QByteArray b = stateReply(s);
    EXPECT_EQ(bytesToHex(b.left(30)), QStringLiteral("0708AA12030F21"
                                                     "300000020100000000180000008001"
                                                     "01"
                                                     "05301424120224"));
    EXPECT_EQ(b.mid(30, 128), channels);
    EXPECT_EQ(b.mid(158), QByteArray(102, '\0'));
    // Second, minute, hour, day, month, day of week from Sunday 0, year.
    const std::pair<QDateTime, const char *> clocks[] = {
        {QDateTime(QDate(2023, 1, 1), QTime(0, 0, 0)), "00000001010023"},     // Sunday
        {QDateTime(QDate(2099, 2, 28), QTime(23, 59, 59)), "59592328020699"}, // Saturday
    };
    for (const auto &[at, bytes] : clocks)
        EXPECT_EQ(bytesToHex(QByteArrayView(clockBytes(at).data(), 7)), QLatin1String(bytes));
}

TEST(ReplyWriter, AReplyEndsWithTheSumOfItsBytesModulo256)
{
    EXPECT_EQ(bytesToHex(withChecksum(*parseHexBytes(u"050384"))), "0503848C");
    EXPECT_EQ(bytesToHex(withChecksum(*parseHexBytes(u"FF0385"))), "FF038587");
}
