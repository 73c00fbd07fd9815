#include "sim/SimUnit.h"

#include "text/HexText.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::sim;
using namespace vardex::UnitStateCode;

namespace {

// 24.12.2024 is a Tuesday.
const QDateTime Now(QDate(2024, 12, 24), QTime(14, 30, 5));
const KeyBytes Holder = keyFromText(u"01665544332211");

// The holder's permission record: attribute, key, day mask and time window.
QByteArray permissionData(quint8 attribute, const char *days, const char *window)
{
    return char(attribute) + QByteArray(reinterpret_cast<const char *>(Holder.data()), 7) +
           QByteArray::fromHex(days) + QByteArray::fromHex(window);
}

quint8 status(SimUnit &u, quint8 code, const QByteArray &data = {})
{
    const SimUnit::Answer a = u.handle(code, data, Now);
    return a.isData || a.bytes.isEmpty() ? 0 : quint8(a.bytes[0]); // 0 is no status
}

} // namespace

// What each command meets in each state of the unit (N not configured, Z
// zeroed, L locked, C configured): state, command, data; the answer and the
// state afterwards. 0x82 withdraws a permission the unit does not have; the
// answers C0 are to data that are no time or whose length does not fit.
TEST(SimUnit, RefusesWhatTheStateDoesNotAllow)
{
    const quint8 N = NotConfigured, Z = Zeroed, L = Locked, C = Configured;
    const QByteArray none, config(16, '\1'), permit = permissionData(0x0F, "7F", "06001800");
    const QByteArray key = permit.left(8), badTime = permissionData(0x0F, "7F", "24001800");
    const QByteArray clock = QByteArray::fromHex("05301424120224");
    const QByteArray badDate = QByteArray::fromHex("05301424310224"), one(1, '\0');
    const std::tuple<quint8, quint8, QByteArray, quint8, quint8> cases[] = {
        {L, 0x80, config, 0xAA, C},  {N, 0x85, none, 0x0B, N},   {C, 0x85, none, 0xAA, Z},
        {L, 0x85, none, 0x90, L},    {N, 0x86, none, 0x0B, N},   {Z, 0x86, none, 0xAA, L},
        {Z, 0x81, permit, 0xAA, Z},  {L, 0x87, permit, 0x90, L}, {L, 0x8F, key, 0xAA, L},
        {L, 0x83, clock, 0xAA, L},   {Z, 0x82, key, 0xA0, Z},    {Z, 0x81, badTime, 0xC0, Z},
        {L, 0x83, badDate, 0xC0, L}, {L, 0x86, one, 0xC0, L},    {L, 0x91, none, 0x80, L},
    };
    for (const auto &[state, code, data, answer, stateAfter] : cases) {
        SimUnit u(UnitSetup{.state = state});
        EXPECT_EQ(status(u, code, data), answer) << "state " << int(state) << " code " << int(code);
        EXPECT_EQ(u.state(), stateAfter) << "state " << int(state) << " code " << int(code);
    }
}

TEST(SimUnit, PermissionsFillTheListAndConfigurationWaitsForTheEvents)
{
    SimUnit u(UnitSetup{.state = Zeroed});
    status(u, 0x81, permissionData(0x01, "7F", "06001200"));
    status(u, 0x81, permissionData(0x01, "7F", "13001800"));
    EXPECT_EQ(u.permissions().size(), 2);
    // Without duplicates: the key's windows for the same readers are replaced.
    status(u, 0x87, permissionData(0x01, "40", "07300800"));
    status(u, 0x87, permissionData(0x02, "40", "07300800"));
    ASSERT_EQ(u.permissions().size(), 2);
    EXPECT_EQ(u.permissions()[0],
              (Permission{0x01, Holder, 0x40, packTime(7, 30), packTime(8, 0)}));
    EXPECT_EQ(status(u, 0x82, permissionData(0x02, "", "")), 0xAA);
    EXPECT_EQ(u.permissions().size(), 1);
    // Configuration is refused while events wait; zeroing clears everything.
    u.presentKey(0, Holder, Now);
    EXPECT_EQ(status(u, 0x80, QByteArray(16, '\7')), 0x70);
    EXPECT_EQ(u.configBlock(), QByteArray(16, '\0'));

    EXPECT_EQ(status(u, 0x85), 0xAA);
    EXPECT_TRUE(u.permissions().isEmpty());
    EXPECT_EQ(u.waitingEvents(), 0);
    EXPECT_EQ(status(u, 0x80, QByteArray(16, '\7')), 0xAA);
    EXPECT_EQ(u.configBlock(), QByteArray(16, '\7'));
}

// Type, attribute, days, time window, reader; whether the key is let
// through at 14:30 on a Tuesday. In order: an access unit at any reader
// whatever the attribute, another day, too early, the last minute, a window
// over midnight; an expander's door In0 at its two readers and not at In1's,
// In1 and In3 at theirs; an attendance unit; a barrier's In1 with the
// vehicle kind at reader 3 and not at In0's reader, no input past In1.
TEST(SimUnit, AKeyIsLetThroughOnlyByAPermissionForItsReaderDayAndTime)
{
    const std::tuple<quint8, quint8, const char *, const char *, int, bool> cases[] = {
        {1, 0x00, "20", "14001500", 7, true},  {1, 0x01, "40", "14001500", 0, false},
        {1, 0x01, "7F", "14311500", 0, false}, {1, 0x01, "7F", "12001430", 1, true},
        {1, 0x01, "7F", "22001500", 0, true},  {3, 0x01, "20", "14001500", 1, true},
        {3, 0x01, "20", "14001500", 2, false}, {8, 0x0A, "20", "14001500", 3, true},
        {3, 0x08, "20", "14001500", 6, true},  {2, 0x00, "7F", "00002359", 5, true},
        {4, 0x0E, "7F", "00002359", 3, true},  {9, 0x0E, "7F", "00002359", 0, false},
        {4, 0x03, "7F", "00002359", 4, false},
    };
    for (const auto &[type, attribute, days, window, reader, allowed] : cases) {
        SCOPED_TRACE(std::string(window) + " reader " + std::to_string(reader));
        SimUnit u(UnitSetup{.type = type, .state = Zeroed});
        ASSERT_EQ(status(u, 0x81, permissionData(attribute, days, window)), 0xAA);
        EXPECT_EQ(u.presentKey(reader, Holder, Now), allowed);
        const quint8 result = quint8((allowed ? 0x00 : 0x10) | reader);
        EXPECT_EQ(u.storedEvents().last(), eventSlotAt(Holder, Now, result));
    }
    // A temporary ban wins over the permission until it is lifted.
    SimUnit u(UnitSetup{.state = Zeroed});
    status(u, 0x81, permissionData(0x0F, "7F", "00002359"));
    const QByteArray ban = permissionData(0x0F, "", "");
    status(u, 0x8F, ban);
    EXPECT_FALSE(u.presentKey(0, Holder, Now));
    status(u, 0x90, ban);
    EXPECT_TRUE(u.presentKey(0, Holder, Now));
}

TEST(SimUnit, EventBlocksMoveOnOnlyAfterTheAcknowledgement)
{
    SimUnit u(UnitSetup{.state = Locked});
    for (int i = 0; i < 25; ++i)
        u.changeInput(i % 8, 3, Now.addSecs(60 * i));
    auto read = [&u](quint8 code) { return u.handle(code, {}, Now).bytes; };

    const QByteArray first = read(0x84);
    ASSERT_EQ(first.size(), 261);
    EXPECT_EQ(eventsInBlock(first.left(260)).size(), 21);
    EXPECT_EQ(eventsInBlock(first).first().result, 0x38);
    // Not acknowledged: the same block again.
    EXPECT_EQ(read(0x84), first);
    u.acknowledge();
    const QByteArray rest = read(0x84);
    ASSERT_EQ(eventsInBlock(rest).size(), 4);
    EXPECT_EQ(eventsInBlock(rest).first().minute, 0x51); // the 22nd event, 14:51
    EXPECT_EQ(blockValue(rest), 21u * 12);
    u.acknowledge();
    EXPECT_EQ(eventsInBlock(read(0x84)).size(), 0);
    u.acknowledge(); // of an empty block
    // Another command between the reply and the acknowledgement cancels it.
    u.changeInput(0, 0, Now);
    read(0x8E);
    read(0x8A);
    u.acknowledge();
    EXPECT_EQ(u.waitingEvents(), 1);
    const QByteArray one = read(0x8E);
    ASSERT_EQ(one.size(), 17);
    EXPECT_EQ(EventSlot::fromBytes(one.mid(4, 12)).result, 0x08);
    u.acknowledge();
    // Acknowledged, it is gone: no event gives an empty slot.
    EXPECT_TRUE(EventSlot::fromBytes(read(0x8E).mid(4, 12)).isEmpty());
    // The memory read starts over with 0x8D and sees collected events too.
    EXPECT_EQ(status(u, 0x8D), 0xAA);
    EXPECT_EQ(eventsInBlock(read(0x88)).size(), 21);
    u.acknowledge();
    EXPECT_EQ(eventsInBlock(read(0x88)).size(), 5);
}

TEST(SimUnit, StateReportsPositionsMemoryAndTheClockItWasSetTo)
{
    SimUnit u({.address = 0x05, .state = Locked, .memorySizeCode = 3, .alarmMask = 0x0F});
    u.changeInput(0, 3, Now);
    u.changeInput(1, 3, Now);
    // Sunday 12.1.2025 08:00:00.
    ASSERT_EQ(status(u, 0x83, QByteArray::fromHex("00000812010025")), 0xAA);

    const SimUnit::Answer a = u.handle(0x8A, {}, Now.addSecs(5));
    ASSERT_EQ(a.bytes.size(), 261);
    // Two events written and none read; the memory holds 131072 / 12 whole
    // events and has not overflowed.
    EXPECT_EQ(bytesToHex(a.bytes.left(30)), QStringLiteral("05010201030F00"
                                                           "180000000000000000000000F8FF01"
                                                           "01"
                                                           "05000812010025"));
}

// The state reply names the unit's model and mode, not the units table's
// type; a mode of its own replaces the type's.
TEST(SimUnit, ReportsTheModelAndModeOfItsTableType)
{
    const std::pair<quint8, const char *> cases[] = {{1, "0101"}, {2, "0102"}, {3, "0200"},
                                                     {4, "0300"}, {8, "0800"}, {9, "0900"}};
    for (const auto &[type, modelAndMode] : cases) {
        const QByteArray r = SimUnit({.type = type}).handle(0x8A, {}, Now).bytes; // locked
        EXPECT_EQ(bytesToHex(r.mid(1, 1) + r.mid(3, 1)), QLatin1String(modelAndMode)) << int(type);
    }
    SimUnit own({.mode = 0x12, .state = Locked});
    EXPECT_EQ(quint8(own.handle(0x8A, {}, Now).bytes[3]), 0x12);
}

TEST(SimUnit, AFullMemoryOverwritesTheOldestAndFlagsUnreadLosses)
{
    SimUnit u(UnitSetup{.state = Locked});
    const int capacity = 32768 / 12;
    for (int i = 0; i < capacity + 3; ++i)
        u.changeInput(0, quint8(i % 16), Now);
    EXPECT_EQ(u.waitingEvents(), capacity);
    const StateReply s = u.stateLayout(Now);
    EXPECT_EQ(s.memoryFlag, MemoryFlagOverflow);
    EXPECT_EQ(s.positions[0] - s.positions[3], quint32(capacity * 12));
    EXPECT_EQ(eventsInBlock(u.handle(0x84, {}, Now).bytes).first().result, 0x38);

    SimUnit noMemory({.state = Locked, .memorySizeCode = 255}); // no memory at all
    noMemory.changeInput(0, 3, Now);
    EXPECT_EQ(noMemory.waitingEvents(), 0);
}
