#include "CliRun.h"
#include "events/ReportFile.h"

#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::CmdResult;
using vardex::testing::TempDir;

namespace {

constexpr auto run = &vardex::testing::runOnDemoDay;

} // namespace

// The demo site's first holder has this month planned from the weekly
// morning schedule, with vacation on 15 to 17 December.
TEST(PlanCommand, PlanOperationsOnTheDemoSite)
{
    TempDir dir;
    const QString site = dir.file(QStringLiteral("site"));
    ASSERT_EQ(run(dir.path(), {"demo-site", site}).status, 0);
    const QString key = run(site, {"keys"}).lines().value(0).left(14);
    const QStringList period = {"--key", key, "--from", "01.12.2026", "--to", "31.12.2026"};

    EXPECT_EQ(run(site, QStringList{"plan", "norm"} + period).out,
              QStringLiteral("Norma za období: 160:00\n"));
    // Without --yes nothing changes; without --overwrite the kept days stay.
    EXPECT_EQ(run(site, QStringList{"plan", "erase"} + period).status, 1);
    EXPECT_EQ(run(site, QStringList{"plan", "generate"} + period).out,
              QStringLiteral("Uloženo dnů: 0\n"));
    EXPECT_EQ(run(site, QStringList{"plan", "generate", "--overwrite"} + period).out,
              QStringLiteral("Uloženo dnů: 31\n"));
    EXPECT_EQ(run(site, QStringList{"plan", "norm"} + period).out,
              QStringLiteral("Norma za období: 184:00\n"));

    // A week's pattern onto the first week of January.
    const QString file = dir.file(QStringLiteral("tyden.vzr"));
    EXPECT_EQ(run(site, {"plan", "pattern", "save", file, "--key", key, "--from", "07.12.2026",
                         "--to", "13.12.2026"})
                  .status,
              0);
    EXPECT_EQ(QFileInfo(file).size(), 874);
    EXPECT_EQ(run(site, {"plan", "pattern", "apply", file, "--key", key, "--from", "07.01.2027",
                         "--to", "13.01.2027"})
                  .out,
              QStringLiteral("Uloženo dnů: 7\n"));

    // The printed plan across the year end, in the report file too.
    const CmdResult printed =
        run(site, {"plan", "print", "--key", key, "--from", "31.12.2026", "--to", "07.01.2027"});
    ASSERT_EQ(printed.status, 0) << printed.err.toStdString();
    const QStringList lines = printed.out.split(u'\n');
    EXPECT_EQ(lines.value(1), QStringLiteral("Období: 31.12.2026 - 07.01.2027"));
    EXPECT_EQ(lines.value(4), QStringLiteral("01.01.2027 pá nedefinován"));
    EXPECT_EQ(lines.value(10), QStringLiteral("07.01.2027 čt 08:00     P:06:00-14:00 "));
    EXPECT_EQ(lines.value(11), QStringLiteral("Suma za období: 016:00"));
    const Result<QStringList> report = readReportFile(site + QStringLiteral("/VYSTUP/"));
    ASSERT_TRUE(report) << report.error().toStdString();
    EXPECT_EQ(report->join(u'\n') + u'\n', printed.out);

    // The month plans: slot 0 is the last day of November.
    const CmdResult automatic = run(site, {"plan", "month", "--key", key, "--month", "12.2026"});
    ASSERT_EQ(automatic.lines().size(), 33);
    EXPECT_TRUE(
        automatic.lines()[0].startsWith(QStringLiteral("Měsíční rozpis prosinec 2026 pro ")));
    EXPECT_EQ(automatic.lines()[1], QStringLiteral("00 30.11.2026 08:00 # P:06:00-14:00"));
    EXPECT_TRUE(automatic.lines()[6].startsWith(QStringLiteral("05 05.12.2026 00:00  ")));
    EXPECT_TRUE(automatic.lines()[6].endsWith(QStringLiteral(" N")));
    const CmdResult manual =
        run(site, {"plan", "month", "--key", key, "--month", "01.2027", "--manual"});
    EXPECT_EQ(manual.lines().value(1), QStringLiteral("00 31.12.2026 08:00 # P:06:00-14:00"));
    EXPECT_EQ(manual.lines().value(2), QStringLiteral("01 01.01.2027 00:00"));

    // (arguments, status)
    const std::pair<QStringList, int> refused[] = {
        {{"plan", "norm", "--key", key, "--from", "02.12.2026", "--to", "01.12.2026"}, 2},
        {{"plan", "print", "--key", key, "--from", "01.12.2026"}, 2},
        {{"plan", "month", "--key", key, "--month", "2026-12"}, 2},
        {{"plan", "generate", "--key", "01000000000099", "--from", "01.12.2026", "--to",
          "02.12.2026"},
         1},
        {{"plan", "pattern", "save", file, "--key", key, "--from", "20.12.2026", "--to",
          "10.01.2027"},
         1},
    };
    for (const auto &[args, status] : refused)
        EXPECT_EQ(run(site, args).status, status) << args.join(u' ').toStdString();
}
