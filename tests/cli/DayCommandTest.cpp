#include "CliRun.h"

#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::CmdResult;
using vardex::testing::TempDir;

namespace {

constexpr auto run = &vardex::testing::runOnDemoDay;

} // namespace

// A holder's day on the demo site (attendance unit 01, door unit 02): the
// events added, refused where the window would not offer them, listed and
// removed again.
TEST(DayCommand, AddListAndClearAWorkersDay)
{
    TempDir dir;
    const QString site = dir.file(QStringLiteral("site"));
    ASSERT_EQ(run(dir.path(), {"demo-site", site}).status, 0);
    const QString key = run(site, {"keys"}).lines().value(0).left(14);
    const QStringList day = {"--key", key, "--date", "03.12.2026"};

    // The empty day takes any unit.
    const CmdResult first =
        run(site, QStringList{"day", "add"} + day +
                      QStringList{"--time", "15:00", "--unit", "02", "--object", "01"});
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_TRUE(first.out.startsWith("03.12. 15:00 Dveře 0 / odchod, povoleno"))
        << first.out.toStdString();

    // (time, unit, object, status, the end of standard error)
    const std::tuple<const char *, const char *, const char *, int, const char *> adds[] = {
        {"16:00", "01", "04", 1, "v 16:00 lze doplnit jen událost jednotky 02\n"},
        {"07:00", "02", "03", 1, "Jednotka 02 nemá snímač 03\n"}, // door 1 not in use
        {"7:00", "02", "00", 2,
         "vardex day add --key KLÍČ --date dd.mm.rrrr --time hh:mm --unit "
         "AA --object NN\n"},
        {"07:00", "02", "00", 0, ""},
    };
    for (const auto &[time, unit, object, status, err] : adds) {
        const CmdResult r =
            run(site, QStringList{"day", "add"} + day +
                          QStringList{"--time", time, "--unit", unit, "--object", object});
        EXPECT_EQ(r.status, status) << time << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith(QString::fromUtf8(err))) << r.err.toStdString();
    }
    const QStringList listed = run(site, QStringList{"day"} + day).lines();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_TRUE(listed[0].startsWith("03.12. 07:00 Dveře 0 / příchod, povoleno"))
        << listed[0].toStdString();
    EXPECT_EQ(listed[0].section(' ', -2, -2), "#");

    const std::tuple<QStringList, int, const char *> refused[] = {
        {QStringList{"day", "clear-added"} + day, 1,
         "Přerušeno! (--yes vymaže doplněné události)\n"},
        {{"day", "--key", "01000000000099", "--date", "03.12.2026"},
         1,
         "není takový klíč: 01000000000099\n"},
        {{"day", "--key", key}, 2, "vardex day --key KLÍČ --date dd.mm.rrrr\n"},
    };
    for (const auto &[args, status, err] : refused) {
        const CmdResult r = run(site, args);
        EXPECT_EQ(r.status, status) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.endsWith(QString::fromUtf8(err))) << r.err.toStdString();
    }
    EXPECT_EQ(run(site, QStringList{"day", "clear-added", "--yes"} + day).out,
              "Vymazáno doplněných událostí: 2\n");
    EXPECT_EQ(run(site, QStringList{"day"} + day).out, "");
}
