#include "accessdata/TDB0DM.h"
#include "cli/Commands.h"
#include "cli/GlobalOptions.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include "CliRun.h"

#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::CmdResult;
using vardex::testing::runVardex;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

CmdResult runUnits(const QStringList &args, const QString &dir)
{
    return runVardex(QStringList{QStringLiteral("units")} + args, dir);
}

} // namespace

TEST(UnitsCommand, ListsEveryUnitInAddressOrderOneLineEach)
{
    TempDir dir;
    {
        ScriptedMessages messages;
        FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
        TDB0DM db(dir.path(), messages, clock);
        ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
        ASSERT_TRUE(db.tbUniDefaultByType(4)); // stays without an address
        ASSERT_TRUE(db.tbUniDefaultByType(2));
        db.tbUni.edit();
        db.tbUni.setString(QStringLiteral("ADRESA"), QStringLiteral("1A"));
        db.tbUni.setString(QStringLiteral("NAZEV"), QStringLiteral("Vrátnice"));
        db.tbUni.setString(QStringLiteral("RELE"), QStringLiteral("81"));
        ASSERT_TRUE(db.tbUni.post());
    }
    const CmdResult r = runUnits({}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              QStringLiteral("-- 04 závorová        00 FF 00 03000001010101000000000000000000\n"
                             "1A 02 Vrátnice        00 FF 81 12000000000000000000000000000000\n"));

    const CmdResult bad = runUnits({QStringLiteral("navíc")}, dir.path());
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_TRUE(bad.err.contains(QStringLiteral("navíc")));
}
