#include "sim/SimUnit.h"

#include "text/HexText.h"

#include <gtest/gtest.h>

namespace vardex::sim {
namespace {

// 24.12.2024 is a Tuesday.
const QDateTime Now(QDate(2024, 12, 24), QTime(14, 30, 5));
const KeyBytes Holder = keyFromText(u"01665544332211");

QByteArray hex(const char *text)
{
    return *parseHexBytes(QString::fromLatin1(text));
}

UnitSetup setupOf(quint8 state, quint8 type = 1)
{
    UnitSetup s;
    s.address = 0x05;
    s.type = type;
    s.state = state;
    return s;
}

QByteArray permissionData(quint8 attribute, const char *days, const char *window)
{
    QByteArray d(1, char(attribute));
    for (quint8 b : Holder)
        d.append(char(b));
    return d + hex(days) + hex(window);
}

quint8 status(SimUnit &u, quint8 code, const QByteArray &data = {})
{
    const SimUnit::Answer a = u.handle(code, data, Now);
    EXPECT_FALSE(a.isData);
    return a.bytes.isEmpty() ? 0 : quint8(a.bytes[0]);
}

// What each command meets in each state of the unit.
TEST(SimUnit, RefusesWhatTheStateDoesNotAllow)
{
    const QByteArray permit = permissionData(0x0F, "7F", "06001800");
    const QByteArray key = permit.left(8);
    const QByteArray clock = hex("05301424120224");
    struct Case
    {
        quint8 state;
        quint8 code;
        QByteArray data;
        quint8 answer;
        quint8 stateAfter;
    } cases[] = {
        {UnitStateCode::NotConfigured, 0x80, QByteArray(16, '\1'), 0xAA, UnitStateCode::Configured},
        {UnitStateCode::Locked, 0x80, QByteArray(16, '\1'), 0xAA, UnitStateCode::Configured},
        {UnitStateCode::NotConfigured, 0x85, {}, 0x0B, UnitStateCode::NotConfigured},
        {UnitStateCode::Configured, 0x85, {}, 0xAA, UnitStateCode::Zeroed},
        {UnitStateCode::Locked, 0x85, {}, 0x90, UnitStateCode::Locked},
        {UnitStateCode::NotConfigured, 0x86, {}, 0x0B, UnitStateCode::NotConfigured},
        {UnitStateCode::Zeroed, 0x86, {}, 0xAA, UnitStateCode::Locked},
        {UnitStateCode::Zeroed, 0x81, permit, 0xAA, UnitStateCode::Zeroed},
        {UnitStateCode::Locked, 0x87, permit, 0x90, UnitStateCode::Locked},
        {UnitStateCode::Locked, 0x8F, key, 0xAA, UnitStateCode::Locked},
        {UnitStateCode::Locked, 0x83, clock, 0xAA, UnitStateCode::Locked},
        // Withdrawing a permission the unit does not have.
        {UnitStateCode::Zeroed, 0x82, key, 0xA0, UnitStateCode::Zeroed},
        // Data that are no time, a data length that does not fit the code.
        {UnitStateCode::Zeroed, 0x81, permissionData(0x0F, "7F", "24001800"), 0xC0,
         UnitStateCode::Zeroed},
        {UnitStateCode::Locked, 0x83, hex("05301424310224"), 0xC0, UnitStateCode::Locked},
        {UnitStateCode::Locked, 0x86, hex("00"), 0xC0, UnitStateCode::Locked},
        {UnitStateCode::Locked, 0x91, {}, 0x80, UnitStateCode::Locked},
    };
    for (const Case &c : cases) {
        SimUnit u(setupOf(c.state));
        EXPECT_EQ(status(u, c.code, c.data), c.answer)
            << "state " << int(c.state) << " code " << int(c.code);
        EXPECT_EQ(u.state(), c.stateAfter) << "state " << int(c.state) << " code " << int(c.code);
    }
}

TEST(SimUnit, ConfigurationIsRefusedWhileEventsWaitAndZeroingClearsEverything)
{
    SimUnit u(setupOf(UnitStateCode::Configured));
    ASSERT_EQ(status(u, 0x81, permissionData(0x0F, "7F", "06001800")), 0xAA);
    u.presentKey(0, Holder, Now);
    EXPECT_EQ(status(u, 0x80, QByteArray(16, '\7')), 0x70);
    EXPECT_EQ(u.configBlock(), QByteArray(16, '\0'));

    EXPECT_EQ(status(u, 0x85), 0xAA);
    EXPECT_TRUE(u.permissions().isEmpty());
    EXPECT_EQ(u.waitingEvents(), 0);
    EXPECT_EQ(status(u, 0x80, QByteArray(16, '\7')), 0xAA);
    EXPECT_EQ(u.configBlock(), QByteArray(16, '\7'));
}

TEST(SimUnit, PermissionsFillTheListWithAndWithoutDuplicates)
{
    SimUnit u(setupOf(UnitStateCode::Zeroed));
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
}

TEST(SimUnit, AKeyIsLetThroughOnlyByAPermissionForItsReaderDayAndTime)
{
    struct Case
    {
        const char *name;
        quint8 type;
        quint8 attribute;
        const char *days;
        const char *window;
        int reader;
        bool allowed;
    } cases[] = {
        {"inside", 1, 0x01, "20", "14001500", 0, true}, // Tuesday 14:30
        {"other door", 1, 0x01, "20", "14001500", 2, false},
        {"second door", 1, 0x02, "20", "14001500", 3, true},
        {"other day", 1, 0x01, "40", "14001500", 0, false},
        {"too early", 1, 0x01, "7F", "14311500", 0, false},
        {"last minute", 1, 0x01, "7F", "12001430", 1, true},
        {"over midnight", 1, 0x01, "7F", "22001500", 0, true},
        {"attendance, any reader", 2, 0x01, "7F", "00002359", 5, true},
    };
    for (const Case &c : cases) {
        SimUnit u(setupOf(UnitStateCode::Zeroed, c.type));
        ASSERT_EQ(status(u, 0x81, permissionData(c.attribute, c.days, c.window)), 0xAA) << c.name;
        EXPECT_EQ(u.presentKey(c.reader, Holder, Now), c.allowed) << c.name;
        const EventSlot e = u.storedEvents().last();
        EXPECT_EQ(e.key, Holder);
        EXPECT_EQ(e.result, quint8((c.allowed ? 0x00 : 0x10) | c.reader)) << c.name;
        EXPECT_EQ(e.hour, 0x14);
        EXPECT_EQ(e.minute, 0x30);
    }
    // A temporary ban wins over the permission until it is lifted.
    SimUnit u(setupOf(UnitStateCode::Zeroed));
    status(u, 0x81, permissionData(0x0F, "7F", "00002359"));
    const QByteArray ban = permissionData(0x0F, "", "");
    status(u, 0x8F, ban);
    EXPECT_FALSE(u.presentKey(0, Holder, Now));
    status(u, 0x90, ban);
    EXPECT_TRUE(u.presentKey(0, Holder, Now));
}

TEST(SimUnit, EventBlocksMoveOnOnlyAfterTheAcknowledgement)
{
    SimUnit u(setupOf(UnitStateCode::Locked));
    for (int i = 0; i < 25; ++i)
        u.changeInput(i % 8, 3, Now.addSecs(60 * i));

    SimUnit::Answer a = u.handle(0x84, {}, Now);
    ASSERT_TRUE(a.isData);
    ASSERT_EQ(a.bytes.size(), 261);
    EXPECT_EQ(eventsInBlock(a.bytes.left(260)).size(), 21);
    EXPECT_EQ(eventsInBlock(a.bytes).first().result, 0x38);

    // Not acknowledged: the same block again.
    const QByteArray again = u.handle(0x84, {}, Now).bytes;
    EXPECT_EQ(again, a.bytes);
    u.acknowledge();
    a = u.handle(0x84, {}, Now);
    const QList<EventSlot> rest = eventsInBlock(a.bytes);
    ASSERT_EQ(rest.size(), 4);
    EXPECT_EQ(rest.first().minute, 0x51); // the 22nd event, 14:51
    EXPECT_EQ(blockValue(a.bytes), 21u * 12);
    u.acknowledge();
    EXPECT_EQ(eventsInBlock(u.handle(0x84, {}, Now).bytes).size(), 0);
    u.acknowledge();
    EXPECT_EQ(u.waitingEvents(), 0);

    // Another command between the reply and the acknowledgement cancels it.
    u.changeInput(0, 0, Now);
    u.handle(0x8E, {}, Now);
    u.handle(0x8A, {}, Now);
    u.acknowledge();
    EXPECT_EQ(u.waitingEvents(), 1);
    a = u.handle(0x8E, {}, Now);
    ASSERT_EQ(a.bytes.size(), 17);
    EXPECT_EQ(EventSlot::fromBytes(a.bytes.mid(4, 12)).result, 0x08);
    u.acknowledge();
    EXPECT_EQ(u.waitingEvents(), 0);
    // No event: an empty slot.
    EXPECT_TRUE(EventSlot::fromBytes(u.handle(0x8E, {}, Now).bytes.mid(4, 12)).isEmpty());

    // The memory read starts over with 0x8D and sees collected events too.
    EXPECT_EQ(status(u, 0x8D), 0xAA);
    EXPECT_EQ(eventsInBlock(u.handle(0x88, {}, Now).bytes).size(), 21);
    u.acknowledge();
    EXPECT_EQ(eventsInBlock(u.handle(0x88, {}, Now).bytes).size(), 5);
}

TEST(SimUnit, StateReportsPositionsMemoryAndTheClockItWasSetTo)
{
    UnitSetup setup = setupOf(UnitStateCode::Locked);
    setup.memorySizeCode = 3;
    setup.alarmMask = 0x0F;
    SimUnit u(setup);
    u.changeInput(0, 3, Now);
    u.changeInput(1, 3, Now);
    ASSERT_EQ(status(u, 0x83, hex("00000812010025")), 0xAA); // Sunday 12.1.2025 08:00:00

    const SimUnit::Answer a = u.handle(0x8A, {}, Now.addSecs(5));
    ASSERT_EQ(a.bytes.size(), 261);
    // Two events written and none read; the memory holds 131072 / 12 whole events.
    EXPECT_EQ(bytesToHex(a.bytes.left(30)), QStringLiteral("05010201030F00"
                                                           "180000000000000000000000F8FF01"
                                                           "00"
                                                           "05000812010025"));
}

// The state reply names the unit's model, not the units table's type.
TEST(SimUnit, ReportsTheModelAndModeOfItsTableType)
{
    const std::pair<quint8, const char *> cases[] = {{1, "0101"}, {2, "0102"}, {3, "0200"},
                                                     {4, "0300"}, {8, "0800"}, {9, "0900"}};
    for (const auto &[type, modelAndMode] : cases) {
        const QByteArray r =
            SimUnit(setupOf(UnitStateCode::Locked, type)).handle(0x8A, {}, Now).bytes;
        EXPECT_EQ(bytesToHex(r.mid(1, 1) + r.mid(3, 1)), QLatin1String(modelAndMode)) << int(type);
    }
    UnitSetup setup = setupOf(UnitStateCode::Locked);
    setup.mode = 0x12;
    EXPECT_EQ(quint8(SimUnit(setup).handle(0x8A, {}, Now).bytes[3]), 0x12);
}

TEST(SimUnit, AFullMemoryOverwritesTheOldestAndFlagsUnreadLosses)
{
    SimUnit u(setupOf(UnitStateCode::Locked));
    const int capacity = 32768 / 12;
    for (int i = 0; i < capacity + 3; ++i)
        u.changeInput(0, quint8(i % 16), Now);
    EXPECT_EQ(u.waitingEvents(), capacity);
    const StateReply s = u.stateLayout(Now);
    EXPECT_EQ(s.memoryFlag, MemoryFlagOverflow);
    EXPECT_EQ(s.positions[0] - s.positions[3], quint32(capacity * 12));
    EXPECT_EQ(eventsInBlock(u.handle(0x84, {}, Now).bytes).first().result, 0x38);

    UnitSetup none = setupOf(UnitStateCode::Locked);
    none.memorySizeCode = 255;
    SimUnit noMemory(none);
    noMemory.changeInput(0, 3, Now);
    EXPECT_EQ(noMemory.waitingEvents(), 0);
}

} // namespace
} // namespace vardex::sim
