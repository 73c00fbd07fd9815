#include "CliRun.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace vardex;
using namespace Qt::StringLiterals;
using vardex::testing::CmdResult;
using vardex::testing::runVardex;
using vardex::testing::TempDir;

TEST(GlobalOptions, ParsesOptionsBeforeTheCommandAndRejectsBadOnes)
{
    const GlobalOptions o =
        parseGlobalOptions({u"vardex"_s, u"-C"_s, u"/site"_s, u"--home"_s, u"/h"_s, u"--now"_s,
                            u"2026-01-02 03:04:05"_s, u"events"_s, u"--filter"_s, u"RES = '80'"_s});
    EXPECT_TRUE(o.error.isEmpty());
    EXPECT_EQ(QStringList({o.changeDir, o.home, o.command}) + o.args,
              (QStringList{u"/site"_s, u"/h"_s, u"events"_s, u"--filter"_s, u"RES = '80'"_s}));
    EXPECT_EQ(o.now, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    for (const QStringList &args : {QStringList{u"vardex"_s, u"--now"_s},
                                    {u"vardex"_s, u"--now"_s, u"2026-13-01 00:00:00"_s},
                                    {u"vardex"_s, u"--bogus"_s},
                                    {u"vardex"_s, u"-C"_s}})
        EXPECT_FALSE(parseGlobalOptions(args).error.isEmpty()) << args.join(u' ').toStdString();
}

// The home comes from the option, then the environment, then the program's
// own directory: the same for the window and the commands, never argv[0]
// read again after -C moved the current directory.
TEST(GlobalOptions, HomeComesFromOptionThenEnvironmentThenTheProgramDirectory)
{
    EXPECT_EQ(resolveHome(u"/a"_s, u"/b"_s, u"/c"_s), u"/a/"_s);
    EXPECT_EQ(resolveHome(QString(), u"/b/"_s, u"/c"_s), u"/b/"_s);
    EXPECT_EQ(resolveHome(QString(), QString(), u"/c"_s), u"/c/"_s);
    TempDir elsewhere;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    const QString found = programDirectory(u"vardex"_s);
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
    const std::tuple<QString, int, QString> cases[] = {
        {homes.file(deep) + u'/', 0, u"Vytvořen adresář"_s},
        {homes.file(u"chybi"_s) + u'/', 1, u"neexistuje"_s},
    };
    for (const auto &[home, status, err] : cases) {
        const CmdResult r = runVardex({u"status"_s}, site.path(), home);
        EXPECT_EQ(r.status, status) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(err) && r.err.contains(home)) << r.err.toStdString();
    }
    EXPECT_EQ(QDir(homes.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{deep});
    EXPECT_TRUE(QFile::exists(homes.file(deep + u"/WKVRCFG.DBF"_s)));
}

// A first start shows which entries need no data; a table that cannot be
// opened then stops the start with its reason.
TEST(StatusCommand, AFirstStartShowsTheEnablingAndAFailedStartExitsNonZeroWithTheReason)
{
    TempDir dir;
    CmdResult r = runVardex({u"status"_s}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.lines();
    ASSERT_EQ(lines.size(), 27); // 24 menu entries and three counts
    EXPECT_EQ(lines.first(), u"DatabazeJednotek 1"_s);
    for (const QString &line : {u"DatabazeKlicu 0"_s, u"SberDat 0"_s, u"Svatky 1"_s})
        EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    EXPECT_EQ(lines.mid(24), (QStringList{u"units 0"_s, u"keys 0"_s, u"events 0"_s}));
    EXPECT_EQ(runVardex({u"nonsense"_s}, dir.path()).status, 2);

    QFile bad(dir.file(u"WKVRUNI.DB"_s));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write(QByteArray(2048, '\x7f')) == 2048);
    bad.close();
    r = runVardex({u"status"_s}, dir.path());
    EXPECT_TRUE(r.status != 0 && r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(u"WKVRUNI.DB"_s)) << r.err.toStdString();
}
