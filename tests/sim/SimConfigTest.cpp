#include "sim/SimConfig.h"

#include "text/HexText.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::sim;

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
    ASSERT_EQ(std::tuple(c->units.size(), c->permits.size(), c->events.size(), c->faults.size()),
              std::tuple(2, 1, 2, 1));
    const UnitSetup &u = c->units[0];
    EXPECT_EQ(std::tuple(u.address, u.type, u.mode, u.state, u.memorySizeCode, u.alarmMask,
                         u.relayMask, bytesToHex(u.configBlock)),
              std::tuple(0x05, 3, 1, UnitStateCode::Locked, 3, 0x0F, 0x21,
                         QStringLiteral("00112233445566778899AABBCCDDEEFF")));
    const UnitSetup &plain = c->units[1]; // all defaults
    EXPECT_EQ(std::tuple(plain.type, plain.mode.has_value(), plain.state),
              std::tuple(1, false, UnitStateCode::Locked));

    EXPECT_EQ(c->permits[0].permission, (Permission{0x03, keyFromText(u"01665544332211"), 31,
                                                    packTime(6, 30), packTime(18, 45)}));
    EXPECT_EQ(bytesToHex(c->events[0].event.toBytes()), "011122334455663014241210");
    EXPECT_EQ(bytesToHex(c->events[1].event.toBytes()), "000000000000000507290238");
    EXPECT_EQ(c->faults[0].fault, Fault::SplitReply);
    EXPECT_EQ(std::tuple(c->holders.size(), c->trafficPeriodMs, c->seed, c->pace),
              std::tuple(1, 2500, 7u, true));
}

TEST(SimConfig, NamesTheLineOfAMistake)
{
    const std::pair<const char *, const char *> cases[] = {
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
    for (const auto &[text, expected] : cases) {
        QString error;
        EXPECT_FALSE(SimConfig::parse(QString::fromUtf8(text), &error)) << text;
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(expected)))
            << text << " -> " << error.toStdString();
    }
}

TEST(SimConfig, CommandsOfTheRunningProgram)
{
    QString error;
    const auto key = SimCommand::parse(QStringLiteral("key 05 3 01665544332211"), &error);
    const auto input = SimCommand::parse(QStringLiteral("input 2A 7 3"), &error);
    const auto fault = SimCommand::parse(QStringLiteral("fault 05 silent 2"), &error);
    const auto none = SimCommand::parse(QStringLiteral("fault 05 none"), &error);
    const auto quit = SimCommand::parse(QStringLiteral("quit"), &error);
    ASSERT_TRUE(key && input && fault && none && quit) << error.toStdString();
    EXPECT_EQ(std::tuple(key->kind, key->address, key->index, key->key),
              std::tuple(SimCommand::Key, 0x05, 3, keyFromText(u"01665544332211")));
    EXPECT_EQ(std::tuple(input->kind, input->address, input->index, input->inputState),
              std::tuple(SimCommand::Input, 0x2A, 7, 3));
    EXPECT_EQ(std::tuple(fault->kind, fault->fault, fault->count),
              std::tuple(SimCommand::SetFault, Fault::Silent, 2));
    EXPECT_EQ(std::tuple(none->count, quit->kind), std::tuple(-1, SimCommand::Quit));
    for (const char *bad : {"key 05 8 01665544332211", "input 05 0 16", "fault 05 silent 0", "go"})
        EXPECT_FALSE(SimCommand::parse(QLatin1String(bad), &error)) << bad;
}
