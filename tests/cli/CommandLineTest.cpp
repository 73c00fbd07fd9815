#include "CliRun.h"
#include "cli/ArgumentValues.h"
#include "cli/CommandDefs.h"
#include "cli/CommandHelp.h"

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

    QFile bad(dir.file(u"WKVRUNI.DB"_s));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write(QByteArray(2048, '\x7f')) == 2048);
    bad.close();
    r = runVardex({u"status"_s}, dir.path());
    EXPECT_TRUE(r.status != 0 && r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(u"WKVRUNI.DB"_s)) << r.err.toStdString();
}

// Every command explains itself the same three ways, and `vardex --help`
// names every one.
TEST(CommandFrame, EveryCommandAnswersHelp)
{
    TempDir dir;
    const QString overview = usageText();
    for (const CommandDef &def : allCommands()) {
        SCOPED_TRACE(def.name.toStdString());
        // A name too long for its column has its summary on the next line.
        EXPECT_TRUE(overview.contains(u"\n  "_s + def.name + u' ') ||
                    overview.contains(u"\n  "_s + def.name + u'\n'));
        const QStringList words = def.name.split(u' ');
        const CmdResult asked = runVardex(words + QStringList{u"--help"_s}, dir.path());
        EXPECT_EQ(asked.status, 0);
        EXPECT_TRUE(asked.out.startsWith(u"Použití: "_s + def.synopsis + u'\n'));
        EXPECT_TRUE(runVardex(QStringList{u"help"_s} + words, dir.path()).out.contains(asked.out));
    }
    // Nothing was started to explain a command.
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// A wrong line is refused before anything is touched: the reason, the usage
// line, status 2.
TEST(CommandFrame, AWrongLineGivesTheReasonTheUsageAndStatusTwo)
{
    TempDir dir;
    const std::pair<QStringList, QString> cases[] = {
        {{u"nonsense"_s}, u"neznámý příkaz nonsense"_s},
        {{u"keys"_s, u"--bogus"_s}, u"neznámá volba --bogus"_s},
        {{u"units"_s, u"navíc"_s}, u"nečekaný argument navíc"_s},
        {{u"keys"_s, u"import"_s}, u"chybí argument SOUBOR"_s},
        {{u"table"_s, u"export"_s, u"WKVRKEY"_s}, u"chybí argument SOUBOR"_s},
        {{u"events"_s, u"erase"_s, u"--to"_s}, u"volba --to vyžaduje hodnotu"_s},
        {{u"events"_s, u"erase"_s, u"--to"_s, u"31.11.2026"_s}, u"chybné datum 31.11.2026"_s},
        {{u"read-key"_s, u"--address"_s, u"5"_s}, u"chybná adresa jednotky 5"_s},
        {{u"collect"_s, u"--max-rounds"_s, u"0"_s}, u"chybné číslo 0"_s},
        {{u"report"_s, u"--append"_s}, u"patří k volbě --save"_s},
        {{u"report"_s, u"--font"_s, u"Mono,9"_s}, u"patří k volbě --pdf"_s},
    };
    for (const auto &[args, reason] : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CmdResult r = runVardex(args, dir.path());
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(reason) && r.err.contains(u"\nPoužití: "_s))
            << r.err.toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// Each kind of value is written one way only.
TEST(CommandFrame, ValuesAreTakenOnlyInTheirOneForm)
{
    const std::tuple<QString, bool, QString> cases[] = {
        {u"05.03.2024"_s, true, dateArgument(u"05.03.2024"_s).error()},
        {u"5.3.2024"_s, false, dateArgument(u"5.3.2024"_s).error()},
        {u"29.02.2023"_s, false, dateArgument(u"29.02.2023"_s).error()},
        {u"23:59"_s, true, timeArgument(u"23:59"_s).error()},
        {u"24:00"_s, false, timeArgument(u"24:00"_s).error()},
        {u"7:30"_s, false, timeArgument(u"7:30"_s).error()},
        {u"01aBCDEF012345"_s, true, keyArgument(u"01aBCDEF012345"_s).error()},
        {u"00000000000000"_s, false, keyArgument(u"00000000000000"_s).error()},
        {u"01ABCDEF01234"_s, false, keyArgument(u"01ABCDEF01234"_s).error()},
        {u"fE"_s, true, addressArgument(u"fE"_s).error()},
        {u"100"_s, false, addressArgument(u"100"_s).error()},
        {u"-1"_s, false, numberArgument(u"-1"_s, 0).error()},
    };
    for (const auto &[text, ok, error] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(error.isEmpty(), ok);
        if (!ok) {
            EXPECT_TRUE(error.contains(text) && error.contains(u"očekáv"_s)) << error.toStdString();
        }
    }
    EXPECT_EQ(*timeArgument(u"07:30"_s), 7 * 256 + 30);
    EXPECT_EQ(keyToText(*keyArgument(u"01abcdef012345"_s)), u"01ABCDEF012345"_s);
}
