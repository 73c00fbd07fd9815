#include "unitops/UnitStateTexts.h"

#include "comm/Protocol.h"

#include <gtest/gtest.h>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;

QString field(const UnitStateTexts &t, const char *label)
{
    for (const UnitStateTexts::Field &f : t.fields)
        if (f.label == QString::fromUtf8(label))
            return f.value;
    return QStringLiteral("<none>");
}

UnitState lockedUnit()
{
    UnitState s;
    s.address = 0x05;
    s.type = 1;
    s.state = UnitStateCode::Locked;
    s.mode = 0x12;
    s.memorySizeCode = 3;
    s.memoryFlag = MemoryFlagFine;
    s.clock = {0x05, 0x30, 0x14, 0x24, 0x12, 3, 0x99};
    return s;
}

TEST(UnitStateTexts, EachFieldIsDecodedFromItsBytes)
{
    UnitState s = lockedUnit();
    s.positions = {0x010024, 0x000102, 0x000000, 0x010000, 0x018000};
    const UnitStateTexts t = describeUnitState(s.toBytes());
    EXPECT_EQ(field(t, "Adresa"), u"05"_s);
    EXPECT_EQ(field(t, "Režim"), u"12"_s);
    EXPECT_EQ(field(t, "Paměť"), u"128 kB"_s);
    EXPECT_EQ(field(t, "Čas jednotky"), u"24.12.99 14:30:05 - středa"_s);
    EXPECT_EQ(field(t, "Typ jednotky"), u"KVR-8 docházková"_s);
    EXPECT_EQ(field(t, "Stav jednotky"), u"uzamčena"_s);
    EXPECT_EQ(field(t, "Systémové parametry"), u"010024 000102 000000 010000 018000 01"_s);
    EXPECT_EQ(t.waitingEvents, u"Počet nezpracovaných událostí: 3"_s);
    EXPECT_FALSE(t.memoryOverflow);
    EXPECT_TRUE(t.channelLines.isEmpty());
}

TEST(UnitStateTexts, MemoryWaitingEventsOverflowAndChannelsFollowTheirBytes)
{
    struct Case
    {
        quint8 type, state, memory, flag;
        quint32 first, fourth;
        const char *memoryText, *waiting;
        bool overflow;
    };
    const Case cases[] = {
        {1, UnitStateCode::Locked, 255, 1, 36, 36, "žádná paměť", "Prázdný seznam událostí.",
         false},
        // Only a locked unit tells its waiting events.
        {1, UnitStateCode::Configured, 0, 1, 36, 0, "32 kB", "", false},
        {9, UnitStateCode::Locked, 0, 0, 24, 0, "32 kB", "Počet nezpracovaných událostí: 2", true},
        {8, UnitStateCode::Zeroed, 7, 2, 0, 0, "256 kB", "", true},
    };
    for (const Case &c : cases) {
        UnitState s = lockedUnit();
        s.type = c.type;
        s.state = c.state;
        s.memorySizeCode = c.memory;
        s.memoryFlag = c.flag;
        s.positions = {c.first, 0, 0, c.fourth, 0};
        const UnitStateTexts t = describeUnitState(s.toBytes());
        EXPECT_EQ(field(t, "Paměť"), QString::fromUtf8(c.memoryText)) << int(c.type);
        EXPECT_EQ(t.waitingEvents, QString::fromUtf8(c.waiting)) << int(c.type);
        EXPECT_EQ(t.memoryOverflow, c.overflow) << int(c.type);
        EXPECT_EQ(t.channelLines.size(), c.type >= 8 ? 4 : 0) << int(c.type);
    }
}

TEST(UnitStateTexts, ChannelLinesShowTheBlockWithLittleEndianWords)
{
    UnitState s = lockedUnit();
    s.type = 8;
    s.channels = QByteArray(128, '\0');
    s.channels.replace(32, 10, QByteArray::fromHex("0A3412785601020304FF"));
    const UnitStateTexts t = describeUnitState(s.toBytes());
    EXPECT_EQ(field(t, "Typ jednotky"), u"KVR-EXP-T"_s);
    ASSERT_EQ(t.channelLines.size(), 4);
    EXPECT_EQ(t.channelLines[0], u"00 0000 0000 00 00 00 00 00"_s);
    EXPECT_EQ(t.channelLines[1], u"0A 1234 5678 01 02 03 04 FF"_s);
    EXPECT_EQ(t.lines().mid(t.lines().indexOf(u"Parametry jednotky:"_s) + 2, 1),
              QStringList{u"  0A 1234 5678 01 02 03 04 FF"_s});
}

} // namespace
} // namespace vardex
