#include "sim/SimState.h"

#include "text/HexText.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::sim;

// A unit that has lived through every command that changes what it keeps
// and has lost events to a full memory answers, after its state went through
// the text, exactly as before.
TEST(SimState, TheTextGivesBackEverythingAUnitKept)
{
    const QDateTime Now(QDate(2024, 12, 24), QTime(14, 30, 5));
    SimUnit u({.address = 0x05, .type = 9, .state = UnitStateCode::Zeroed});
    // Each command's code and data.
    for (const char *command :
         {"81 0F016655443322117F06001800", "81 03016655443322AA4122000600", "8F 0F01665544332211",
          "89 016655443322110401", "8B 81", "8C 0F", "B0 0206001530",
          "B1 0F016655443322117F00002359", "83 00000812010025", "86"}) {
        const QByteArray b = QByteArray::fromHex(command);
        ASSERT_EQ(u.handle(quint8(b[0]), b.mid(1), Now).bytes, "\xAA") << command;
    }
    for (int i = 0; i < SimUnit::eventCapacity(0) + 3; ++i)
        u.changeInput(i % 8, 3, Now.addSecs(60 * i));
    u.presentKey(0, keyFromText(u"01665544332211"), Now);
    u.handle(0x84, {}, Now);
    u.acknowledge();
    u.handle(0x88, {}, Now);
    u.acknowledge();

    const SimState state{{{0x05, 9, 0, u.kept()}}};
    const Result<SimState> back = SimState::parse(state.toText());
    ASSERT_TRUE(back) << back.error().toStdString();
    EXPECT_TRUE(back->units == state.units);
    SimUnit again({.address = 0x05, .type = 9});
    again.restore(back->units.value(0).kept);
    for (quint8 code : {0x8A, 0x84, 0x88})
        EXPECT_EQ(again.handle(code, {}, Now).bytes, u.handle(code, {}, Now).bytes) << int(code);
}

// A file that is no state, or does not agree with itself, is refused with
// its line; one that names units the configuration does not declare so, too.
TEST(SimState, RefusesADamagedStateAndOneOfOtherUnits)
{
    QString error;
    const auto config = SimConfig::parse(QStringLiteral("unit 05\nunit 06 type=3"), &error);
    ASSERT_TRUE(config) << error.toStdString();
    const std::pair<const char *, const char *> cases[] = {
        {"unit 05 type=1", "line 1: not a state file"}, // the configuration by mistake
        {"kvr8sim-state 1\npermit 05 01665544332211", "line 2: unit 05 not declared above"},
        {"kvr8sim-state 1\nunit 05 oldest=3 read=2", "unit 05: read positions outside"},
        {"kvr8sim-state 1\nunit 07", "unit 07 is not in the configuration"},
        {"kvr8sim-state 1\nunit 06 type=1", "unit 06 is type 3 in the configuration, 1 in"},
        {"kvr8sim-state 1\nunit 05 memory=3", "unit 05 has memory=0 in the configuration"},
    };
    for (const auto &[text, expected] : cases) {
        const Result<SimState> state = SimState::parse(QString::fromUtf8(text));
        const QString why = state ? state->check(*config).error() : state.error();
        EXPECT_TRUE(why.startsWith(QLatin1String(expected))) << text << " -> " << why.toStdString();
    }
}
