#include "CliRun.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::CmdResult;
using vardex::testing::TempDir;
using namespace Qt::StringLiterals;

namespace {

constexpr auto run = &vardex::testing::runOnDemoDay;

const QStringList kNovember = {"attendance", "--from", "01.11.2026", "--to", "30.11.2026"};

} // namespace

// The demo site's November: every worker gets a report, the night worker
// without errors, the worker who did not clock out for lunch an error
// protocol; what is printed is the report file.
TEST(AttendanceCommand, DemoMonth)
{
    TempDir dir;
    const QString site = dir.file(QStringLiteral("site"));
    ASSERT_EQ(run(dir.path(), {"demo-site", site}).status, 0);
    const QStringList keys = run(site, {"keys"}).lines();
    ASSERT_EQ(keys.size(), 30);

    const CmdResult all = run(site, kNovember + QStringList{"--all", "--kind", "export"});
    ASSERT_EQ(all.status, 0) << all.err.toStdString();
    EXPECT_EQ(all.err.count(u'\n'), 30) << all.err.toStdString();
    EXPECT_EQ(run(site, {"report"}).out, all.out);
    const QStringList lines = all.lines();
    EXPECT_EQ(lines.count(u"PROTOKOL O CHYBÁCH"_s), 1);
    EXPECT_TRUE(all.out.contains(u" příchod při P\n"_s)) << all.out.toStdString();
    // The night worker (the fifth holder) has a line of his own: no errors.
    EXPECT_TRUE(all.out.contains(QRegularExpression(
        u"\nProcházka Tomáš          1005        01.11.30.11.2026\\d{3}:\\d\\d"_s)))
        << all.out.toStdString();

    const CmdResult one = run(site, kNovember + QStringList{"--key", keys[0].left(14)});
    ASSERT_EQ(one.status, 0) << one.err.toStdString();
    EXPECT_TRUE(one.out.startsWith(u"      VÝKAZ DOCHÁZKY\n\nJméno:  Ing. Novák Jan; 1001, "_s))
        << one.out.toStdString();
    EXPECT_TRUE(one.out.contains(u"| 17.11. út |"_s));

    // (arguments, status, the end of standard error)
    const std::tuple<QStringList, int, const char *> refused[] = {
        {{"attendance", "--from", "20.11.2026", "--to", "05.12.2026", "--all"},
         1,
         "Docházku lze zpracovávat pouze pro stejný měsíc!\n"},
        {{"attendance", "--from", "01.10.2026", "--to", "31.10.2026", "--all"},
         1,
         " nejsou žádná vstupní data!\n"},
        {kNovember + QStringList{"--key", "01FFFFFFFFFFFF"}, 1, ""},
        {kNovember + QStringList{"--all", "--key", keys[0].left(14)}, 2, "--one-output]\n"},
        {kNovember + QStringList{"--all", "--kind", "tyden"}, 2, "--one-output]\n"},
    };
    for (const auto &[args, status, err] : refused) {
        const CmdResult r = run(site, args);
        EXPECT_EQ(r.status, status) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.endsWith(QString::fromUtf8(err))) << r.err.toStdString();
    }
}
