#include "CliRun.h"
#include "text/LineFile.h"

#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::CmdResult;
using vardex::testing::runVardex;
using vardex::testing::TempDir;

namespace {

const QString kNow = QStringLiteral("2026-12-06 08:00:00");

CmdResult run(const QString &site, QStringList args)
{
    return runVardex(QStringList{QStringLiteral("--now"), kNow} + args, site);
}

} // namespace

// The demo site's shifts, schedules, holidays and workplaces through the
// listings, and what the commands do with them.
TEST(AttendanceCommands, ListShiftsSchedulesAndAHoldersDay)
{
    TempDir dir;
    const QString site = dir.file(QStringLiteral("site"));
    ASSERT_EQ(run(dir.path(), {"demo-site", site}).status, 0);

    EXPECT_EQ(
        run(site, {"shifts"}).lines(),
        (QStringList{
            "Noční             P:00:00-06:00               P:22:00-23:59               A 08:00",
            "Odpolední         P:14:00-22:00                                             08:00",
            "Ranní             P:06:00-14:00                                             08:00",
            "Volná             N:00:00-23:59                                             08:00"}));
    // 1 January 2026 is a Thursday: the weekends are the cycle's days 3-4.
    EXPECT_EQ(run(site, {"schedules"}).lines(),
              (QStringList{"Dvousměnný        14 01.01.2026 Ranní|Ranní|||Ranní|Ranní|Ranní|"
                           "Odpolední|Odpolední|||Odpolední|Odpolední|Odpolední",
                           "Noční              7 01.01.2026 Noční|Noční|||Noční|Noční|Noční",
                           "Ranní              7 01.01.2026 Ranní|Ranní|||Ranní|Ranní|Ranní"}));
    const QString twoShifts = run(site, {"keys"}).lines().value(1).left(14);
    EXPECT_EQ(run(site, {"schedule-of", twoShifts, "--date", "12.01.2026"}).out,
              QStringLiteral("12 Odpolední         P:14:00-22:00                                 "
                             "          # 08:00\n"));
    // 365 days on: a Friday, day 2 of the fortnight.
    const CmdResult friday = run(site, {"schedule-of", twoShifts, "--date", "01.01.2027"});
    EXPECT_TRUE(friday.out.startsWith(QStringLiteral(" 2 Ranní "))) << friday.out.toStdString();

    // (arguments, status, the end of standard error)
    const std::tuple<QStringList, int, const char *> refused[] = {
        {{"schedule-of", "01000000000099", "--date", "12.01.2026"}, 1, "není takový klíč\n"},
        {{"schedule-of", twoShifts, "--date", "31.12.2025"}, 1, "Rozpis nelze aplikovat zpětně!\n"},
        {{"schedule-of", twoShifts}, 2, "vardex schedule-of KLÍČ --date dd.mm.rrrr\n"},
        {{"schedules", "reanchor", "19"}, 2, "vardex schedules reanchor ROK\n"},
        {{"holidays", "fill", "2100"}, 2, "vardex holidays fill ROK\n"},
    };
    for (const auto &[args, status, err] : refused) {
        const CmdResult r = run(site, args);
        EXPECT_EQ(r.status, status) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.endsWith(QString::fromUtf8(err))) << r.err.toStdString();
    }
    EXPECT_EQ(run(site, {"workplaces"}).lines(),
              (QStringList{"Administrativa", "Sklad", "Výroba"}));
}

TEST(AttendanceCommands, FilesHolidaysAndReanchoring)
{
    TempDir dir;
    const QString site = dir.file(QStringLiteral("site"));
    ASSERT_EQ(run(dir.path(), {"demo-site", site}).status, 0);

    // Schedules and shifts out and back in; the shifts are there already.
    const QString schedules = dir.file(QStringLiteral("ROZPISY.SDF"));
    const QString shifts = dir.file(QStringLiteral("SMENY.SDF"));
    EXPECT_EQ(run(site, {"schedules", "export", schedules}).out, "Exportováno rozpisů: 3\n");
    EXPECT_EQ(run(site, {"schedules", "import", schedules, "--replace"}).out,
              "Importováno rozpisů: 3\n");
    EXPECT_EQ(run(site, {"shifts", "export", shifts}).out, "Exportováno směn: 4\n");
    const CmdResult twice = run(site, {"shifts", "import", shifts});
    EXPECT_EQ(twice.status, 1);
    EXPECT_TRUE(twice.err.startsWith(QStringLiteral("řádek 1: "))) << twice.err.toStdString();

    const CmdResult reanchored = run(site, {"schedules", "reanchor", "2027"});
    EXPECT_EQ(reanchored.out, "Upraveno rozpisů: 3\n");
    EXPECT_EQ(run(site, {"schedules"}).lines().value(2),
              "Ranní              7 01.01.2027 Ranní|||Ranní|Ranní|Ranní|Ranní")
        << "from Friday on";

    // The demo site holds this year's holidays; a line of the list without
    // a date is told, the rest still stored.
    EXPECT_EQ(run(site, {"holidays", "--year", "2026"}).lines().size(), 13);
    const QString list = site + QStringLiteral("/SVATKY.INI");
    QStringList lines = readLines(list).lines;
    ASSERT_EQ(lines.size(), 11);
    ASSERT_TRUE(writeLineFile(list, lines << QStringLiteral("31.04. Nikdy")).ok);
    const CmdResult filled = run(site, {"holidays", "fill", "2027"});
    EXPECT_EQ(filled.status, 1);
    EXPECT_EQ(filled.out, "Uloženo svátků: 13\n");
    EXPECT_TRUE(filled.err.contains(QStringLiteral("SVATKY.INI - chybné datum")))
        << filled.err.toStdString();
    EXPECT_EQ(run(site, {"holidays", "--year", "2027"}).lines().value(1), "26.03.2027 Velký pátek");
}
