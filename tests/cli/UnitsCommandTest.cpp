#include "accessdata/TDB0DM.h"
#include "cli/Commands.h"
#include "cli/GlobalOptions.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include "CliRun.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

#include <grp.h>
#include <unistd.h>

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

// The program itself on the site `dir`; for the superuser, whom permissions
// do not hold back, as the user "nobody".
CmdResult runAsUser(const QStringList &args, const QString &dir)
{
    QProcess p;
    p.setChildProcessModifier([] {
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(99);
    });
    p.start(QStringLiteral(VARDEX_EXECUTABLE),
            QStringList{QStringLiteral("-C"), dir, QStringLiteral("--home"), dir} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

void setMode(const QString &path, QFileDevice::Permissions mode)
{
    ASSERT_TRUE(QFile::setPermissions(path, mode)) << path.toStdString();
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
        ASSERT_TRUE(db.tbUniDefaultByType(2));
        db.tbUni.edit();
        db.tbUni.setString(QStringLiteral("ADRESA"), QStringLiteral("1A"));
        db.tbUni.setString(QStringLiteral("NAZEV"), QStringLiteral("Vrátnice"));
        db.tbUni.setString(QStringLiteral("RELE"), QStringLiteral("81"));
        ASSERT_TRUE(db.tbUni.post());
        ASSERT_TRUE(db.tbUniDefaultByType(4)); // stays without an address
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

TEST(UnitsCommand, AReadOnlySiteIsListedByEveryReadingCommandAndLeftAsItWas)
{
    TempDir dir;
    {
        ScriptedMessages messages;
        FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
        TDB0DM db(dir.path(), messages, clock);
        ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
        ASSERT_TRUE(db.tbUniDefaultByType(2));
    }
    const QStringList commands[] = {{QStringLiteral("units")},
                                    {QStringLiteral("keys")},
                                    {QStringLiteral("events")},
                                    {QStringLiteral("status")}};
    QStringList expected;
    for (const QStringList &c : commands)
        expected << runVardex(c, dir.path()).out;
    const QDir site(dir.path());
    const QStringList files = site.entryList(QDir::Files);
    ASSERT_TRUE(files.contains(QStringLiteral("WKVRUNI.DB")));

    const QFileDevice::Permissions readable =
        QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const QFileDevice::Permissions searchable =
        QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    for (const bool folderReadOnly : {false, true}) {
        SCOPED_TRACE(folderReadOnly ? "read-only folder" : "read-only files");
        // Writable by anyone but read-only where it counts, so that either
        // case alone must be coped with.
        const QFileDevice::Permissions writable =
            QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        setMode(dir.path(),
                readable | searchable | (folderReadOnly ? QFileDevice::Permissions() : writable));
        for (const QString &f : files)
            setMode(site.filePath(f),
                    readable | (folderReadOnly ? writable : QFileDevice::Permissions()));
        for (size_t i = 0; i < std::size(commands); ++i) {
            SCOPED_TRACE(commands[i].first().toStdString());
            const CmdResult r = runAsUser(commands[i], dir.path());
            EXPECT_EQ(r.status, 0) << r.err.toStdString();
            EXPECT_EQ(r.out, expected[qsizetype(i)]);
        }
        EXPECT_EQ(site.entryList(QDir::Files), files); // no log files left beside them
    }
    setMode(dir.path(), readable | searchable | QFileDevice::WriteOwner);
}
