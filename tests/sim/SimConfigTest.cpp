#include "sim/SimConfig.h"

#include "text/HexText.h"

#include <gtest/gtest.h>

namespace vardex::sim {
namespace {

TEST(SimConfig, ReadsUnitsPermissionsEventsHoldersFaultsAndTraffic)
{
    const char *text = R"(
# two units
unit 05 type=3 mode=1 state=locked memory=3 alarm=0F relay=21 config=00112233445566778899AABBCCDDEEFF
unit 2A                       # all defaults
permit 05 01665544332211 attr=03 days=31 from=06:30 to=18:45
event 05 01665544332211 24.12. 14:30 10
event 2A - 29.2 7:05 38
holder 01665544332211
fault 2A split
traffic period=2500 seed=7
pace
)";
    QString error;
    const auto c = SimConfig::parse(QString::fromUtf8(text), &error);
    ASSERT_TRUE(c) << error.toStdString();
    ASSERT_EQ(c->units.size(), 2);
    const UnitSetup &u = c->units[0];
    EXPECT_EQ(u.address, 0x05);
    EXPECT_EQ(u.type, 3);
    EXPECT_EQ(u.mode, 1);
    EXPECT_EQ(u.state, UnitStateCode::Locked);
    EXPECT_EQ(u.memorySizeCode, 3);
    EXPECT_EQ(u.alarmMask, 0x0F);
    EXPECT_EQ(u.relayMask, 0x21);
    EXPECT_EQ(bytesToHex(u.configBlock), QStringLiteral("00112233445566778899AABBCCDDEEFF"));
    EXPECT_EQ(c->units[1].type, 1);
    EXPECT_FALSE(c->units[1].mode.has_value());
    EXPECT_EQ(c->units[1].state, UnitStateCode::Locked);

    ASSERT_EQ(c->permits.size(), 1);
    EXPECT_EQ(c->permits[0].permission, (Permission{0x03, keyFromText(u"01665544332211"), 31,
                                                    packTime(6, 30), packTime(18, 45)}));
    ASSERT_EQ(c->events.size(), 2);
    EXPECT_EQ(bytesToHex(c->events[0].event.toBytes()), QStringLiteral("011122334455663014241210"));
    EXPECT_EQ(bytesToHex(c->events[1].event.toBytes()), QStringLiteral("000000000000000507290238"));
    EXPECT_EQ(c->holders.size(), 1);
    ASSERT_EQ(c->faults.size(), 1);
    EXPECT_EQ(c->faults[0].fault, Fault::SplitReply);
    EXPECT_EQ(c->trafficPeriodMs, 2500);
    EXPECT_EQ(c->seed, 7u);
    EXPECT_TRUE(c->pace);
}

TEST(SimConfig, NamesTheLineOfAMistake)
{
    struct Case
    {
        const char *text;
        const char *error;
    } cases[] = {
        {"unit 5G", "line 1: expected: unit ADDR"},
        {"unit 05\nunit 05", "line 2: unit 05 twice"},
        {"unit 05 colour=red", "line 1: bad colour"},
        {"unit 05 state=asleep", "line 1: bad state"},
        {"unit 05 type=5", "line 1: bad type"}, // no model of that type
        {"unit 05\npermit 05 0166554433221", "line 2: expected: permit"},
        {"unit 05\n\n# c\nevent 05 - 31.02. 10:00 00", "line 4: bad date"},
        {"unit 05\nevent 05 - 1.1. 24:00 00", "line 2: expected: event"},
        {"fault 05 sometimes", "line 1: expected: fault"},
        {"units 05", "line 1: unknown line \"units\""},
        {"permit 06 01665544332211", "permit for unit 06, which is not defined"},
    };
    for (const Case &c : cases) {
        QString error;
        EXPECT_FALSE(SimConfig::parse(QString::fromUtf8(c.text), &error)) << c.text;
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.error)))
            << c.text << " -> " << error.toStdString();
    }
}

TEST(SimConfig, CommandsOfTheRunningProgram)
{
    QString error;
    auto c = SimCommand::parse(QStringLiteral("key 05 3 01665544332211"), &error);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->kind, SimCommand::Key);
    EXPECT_EQ(c->index, 3);
    EXPECT_EQ(c->key, keyFromText(u"01665544332211"));
    c = SimCommand::parse(QStringLiteral("input 2A 7 3"), &error);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->address, 0x2A);
    EXPECT_EQ(c->inputState, 3);
    c = SimCommand::parse(QStringLiteral("fault 05 silent 2"), &error);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->fault, Fault::Silent);
    EXPECT_EQ(c->count, 2);
    EXPECT_EQ(SimCommand::parse(QStringLiteral("fault 05 none"), &error)->count, -1);
    EXPECT_EQ(SimCommand::parse(QStringLiteral("quit"), &error)->kind, SimCommand::Quit);
    for (const char *bad : {"key 05 8 01665544332211", "input 05 0 16", "fault 05 silent 0", "go"})
        EXPECT_FALSE(SimCommand::parse(QLatin1String(bad), &error)) << bad;
}

} // namespace
} // namespace vardex::sim
