#include "cli/Commands.h"
#include "cli/GlobalOptions.h"
#include "support/TempDir.h"

#include "CliRun.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace vardex;
using vardex::testing::CmdResult;
using vardex::testing::runVardex;
using vardex::testing::TempDir;

namespace {

// Runs one sub-command and returns (exit status, stdout, stderr).
CmdResult run(const QStringList &args, const QString &dir)
{
    return runVardex(args, dir);
}

} // namespace

TEST(GlobalOptions, ParsesOptionsBeforeTheCommandAndRejectsBadOnes)
{
    const GlobalOptions o =
        parseGlobalOptions({QStringLiteral("vardex"), QStringLiteral("-C"), QStringLiteral("/site"),
                            QStringLiteral("--home"), QStringLiteral("/h"), QStringLiteral("--now"),
                            QStringLiteral("2026-01-02 03:04:05"), QStringLiteral("events"),
                            QStringLiteral("--filter"), QStringLiteral("RES = '80'")});
    EXPECT_TRUE(o.error.isEmpty());
    EXPECT_EQ(o.changeDir, QStringLiteral("/site"));
    EXPECT_EQ(o.home, QStringLiteral("/h"));
    EXPECT_EQ(o.now, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    EXPECT_EQ(o.command, QStringLiteral("events"));
    EXPECT_EQ(o.args, (QStringList{QStringLiteral("--filter"), QStringLiteral("RES = '80'")}));

    const QStringList bad[] = {
        {QStringLiteral("vardex"), QStringLiteral("--now")},
        {QStringLiteral("vardex"), QStringLiteral("--now"), QStringLiteral("2026-13-01 00:00:00")},
        {QStringLiteral("vardex"), QStringLiteral("--bogus")},
        {QStringLiteral("vardex"), QStringLiteral("-C")}};
    for (const QStringList &args : bad)
        EXPECT_FALSE(parseGlobalOptions(args).error.isEmpty()) << args.join(u' ').toStdString();
}

TEST(GlobalOptions, HomeComesFromOptionThenEnvironmentThenExecutable)
{
    EXPECT_EQ(resolveHome(QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")),
              QStringLiteral("/a/"));
    EXPECT_EQ(resolveHome(QString(), QStringLiteral("/b/"), QStringLiteral("/c")),
              QStringLiteral("/b/"));
    EXPECT_EQ(resolveHome(QString(), QString(), QStringLiteral("/c")), QStringLiteral("/c/"));
}

// The window and the commands take the same home: the program's own
// directory, never argv[0] read again after -C moved the current directory.
TEST(GlobalOptions, TheProgramDirectoryDoesNotFollowTheCurrentDirectory)
{
    TempDir elsewhere;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    const QString found = programDirectory(QStringLiteral("vardex"));
    ASSERT_TRUE(QDir::setCurrent(before));
    EXPECT_EQ(found, QCoreApplication::applicationDirPath());
}

// A home deeper than the record's 80 characters gets its configuration and
// nothing beside it; a mistyped one is refused and never created.
TEST(StatusCommand, TheHomeIsUsedWholeAndNeverCreated)
{
    TempDir site, homes;
    const QString deep = QString(90, u'd');
    ASSERT_TRUE(QDir(homes.path()).mkdir(deep));
    const struct
    {
        QString home;
        int status;
        QString err;
    } cases[] = {
        {homes.file(deep) + u'/', 0, QStringLiteral("Vytvořen adresář")},
        {homes.file(QStringLiteral("chybi")) + u'/', 1, QStringLiteral("neexistuje")},
    };
    for (const auto &c : cases) {
        const CmdResult r = runVardex({QStringLiteral("status")}, site.path(), c.home);
        EXPECT_EQ(r.status, c.status) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.err) && r.err.contains(c.home)) << r.err.toStdString();
    }
    EXPECT_EQ(QDir(homes.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{deep});
    EXPECT_TRUE(QFile::exists(homes.file(deep + QStringLiteral("/WKVRCFG.DBF"))));
}

TEST(StatusCommand, AnEmptyDirectoryShowsTheEnablingOfAFirstStart)
{
    TempDir dir;
    const CmdResult r = run({QStringLiteral("status")}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 27); // 24 menu entries and three counts
    EXPECT_EQ(lines.first(), QStringLiteral("DatabazeJednotek 1"));
    EXPECT_TRUE(lines.contains(QStringLiteral("DatabazeKlicu 0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("SberDat 0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Svatky 1")));
    EXPECT_EQ(lines.mid(24), (QStringList{QStringLiteral("units 0"), QStringLiteral("keys 0"),
                                          QStringLiteral("events 0")}));
    // The output directory was created and said so on standard error.
    EXPECT_TRUE(r.err.contains(QStringLiteral("Vytvořen adresář"))) << r.err.toStdString();
}

TEST(StatusCommand, AFailedStartExitsNonZeroWithTheReason)
{
    TempDir dir;
    QFile bad(dir.file(QStringLiteral("WKVRUNI.DB")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(2048, '\x7f'));
    bad.close();
    const CmdResult r = run({QStringLiteral("status")}, dir.path());
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QStringLiteral("WKVRUNI.DB"))) << r.err.toStdString();

    EXPECT_EQ(run({QStringLiteral("nonsense")}, dir.path()).status, 2);
}
