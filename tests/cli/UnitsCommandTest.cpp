#include "CliRun.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace vardex;
using namespace Qt::StringLiterals;
using vardex::testing::CmdResult;
using vardex::testing::runVardex;
using vardex::testing::SiteTables;
using vardex::testing::TempDir;

// The listing, and every reading command on the same site made read-only,
// which must list it as before and leave it as it was.
TEST(UnitsCommand, ListsEveryUnitInAddressOrderAlsoFromAReadOnlySiteAndLeavesItAsItWas)
{
    TempDir dir;
    {
        SiteTables site(dir.path());
        Table &u = site.db.tbUni;
        ASSERT_TRUE(site.db.tbUniDefaultByType(2));
        u.edit();
        u.setString(u"ADRESA"_s, u"1A"_s);
        u.setString(u"NAZEV"_s, u"Vrátnice"_s);
        u.setString(u"RELE"_s, u"81"_s);
        ASSERT_TRUE(u.post());
        ASSERT_TRUE(site.db.tbUniDefaultByType(4)); // stays without an address
    }
    const CmdResult r = runVardex({u"units"_s}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u"-- 04 závorová        00 FF 00 03000001010101000000000000000000\n"
                     u"1A 02 Vrátnice        00 FF 81 12000000000000000000000000000000\n"_s);
    const CmdResult bad = runVardex({u"units"_s, u"navíc"_s}, dir.path());
    EXPECT_TRUE(bad.status == 2 && bad.out.isEmpty() && bad.err.contains(u"navíc"_s));

    const QStringList commands = {u"units"_s, u"keys"_s, u"events"_s, u"status"_s};
    QStringList expected;
    for (const QString &c : commands)
        expected << runVardex({c}, dir.path()).out;
    const QDir site(dir.path());
    const QStringList files = site.entryList(QDir::Files);
    ASSERT_TRUE(files.contains(u"WKVRUNI.DB"_s));
    const auto setMode = [](const QString &path, mode_t mode) {
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << path.toStdString();
    };
    // Writable by anyone but read-only where it counts, so that either case
    // alone must be coped with.
    for (const bool folderReadOnly : {false, true}) {
        SCOPED_TRACE(folderReadOnly ? "read-only folder" : "read-only files");
        setMode(dir.path(), folderReadOnly ? 0555 : 0777);
        for (const QString &f : files)
            setMode(site.filePath(f), folderReadOnly ? 0666 : 0444);
        for (qsizetype i = 0; i < commands.size(); ++i) {
            SCOPED_TRACE(commands[i].toStdString());
            const CmdResult listed = vardex::testing::runProgram(
                {u"-C"_s, dir.path(), u"--home"_s, dir.path(), commands[i]}, {}, true);
            EXPECT_EQ(listed.status, 0) << listed.err.toStdString();
            EXPECT_EQ(listed.out, expected[i]);
        }
        EXPECT_EQ(site.entryList(QDir::Files), files); // no log files left beside them
    }
    setMode(dir.path(), 0755);
}
