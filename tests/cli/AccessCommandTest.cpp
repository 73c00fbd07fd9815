#include "CliRun.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using vardex::testing::CmdResult;
using vardex::testing::runVardex;

// The demo site's schedules and groups as the listings show them, in name
// order, with the units' names looked up; the menu offers both windows.
TEST(AccessCommand, DemoSchedulesAndGroupsAreListed)
{
    vardex::testing::TempDir root;
    const QString site = root.file(u"site"_s);
    ASSERT_EQ(runVardex({u"demo-site"_s, site}, root.path()).status, 0);

    const CmdResult schedules = runVardex({u"access-schedules"_s}, site);
    EXPECT_EQ(schedules.status, 0) << schedules.err.toStdString();
    EXPECT_EQ(
        schedules.lines(),
        (QStringList{u"Nepřetržitě          00:00 - 23:59 Po Út St Čt Pá So Ne"_s,
                     u"Pracovní doba        06:00 - 18:00 Po Út St Čt Pá |07:00 - 12:00 So"_s}));

    const CmdResult groups = runVardex({u"permission-groups"_s}, site);
    EXPECT_EQ(groups.status, 0) << groups.err.toStdString();
    EXPECT_EQ(groups.lines(),
              (QStringList{u"Hlavní vchod"_s, u"  02 Hlavní vchod    00 Pracovní doba"_s,
                           u"Kanceláře"_s, u"  02 Hlavní vchod    00 Pracovní doba"_s,
                           u"  05 Kanceláře       0F Pracovní doba"_s, u"Všechny vstupy"_s,
                           u"  02 Hlavní vchod    00 Nepřetržitě"_s,
                           u"  03 Sklad           00 Pracovní doba"_s,
                           u"  04 Parkoviště      07 Pracovní doba"_s,
                           u"  05 Kanceláře       0F Nepřetržitě"_s}));

    const QStringList status = runVardex({u"status"_s}, site).lines();
    EXPECT_TRUE(status.contains(u"DatabazeCasu 1"_s) && status.contains(u"DatabazeSkupOpr 1"_s));
    const QStringList keys = runVardex({u"keys"_s}, site).lines();
    const std::pair<QString, int> holders[] = {
        {u"Všechny vstupy"_s, 12}, {u"Kanceláře"_s, 8}, {u"Hlavní vchod"_s, 10}};
    for (const auto &[group, count] : holders)
        EXPECT_EQ(keys.filter(group).size(), count) << group.toStdString();
}
