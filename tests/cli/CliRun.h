#pragma once

#include "accessdata/TDB0DM.h"
#include "cli/Commands.h"
#include "cli/DemoSite.h"
#include "cli/GlobalOptions.h"
#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vardex::testing {

// What one run of a sub-command gave back.
struct CmdResult
{
    int status;
    QString out;
    QString err;

    QStringList lines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
};

// Runs `vardex ARGS` headless on the site in `dir` (also its home, unless
// `home` names another) and collects both output streams whole.
inline CmdResult runVardex(const QStringList &args, const QString &dir, QString home = {})
{
    if (home.isEmpty())
        home = dir + QLatin1Char('/');
    const GlobalOptions o = parseGlobalOptions(QStringList{QStringLiteral("vardex")} + args);
    EXPECT_TRUE(o.error.isEmpty()) << o.error.toStdString();
    char *outBuf = nullptr, *errBuf = nullptr;
    size_t outSize = 0, errSize = 0;
    std::FILE *out = open_memstream(&outBuf, &outSize);
    std::FILE *err = open_memstream(&errBuf, &errSize);
    const int status = runCommand(o, dir, home, out, err);
    std::fclose(out);
    std::fclose(err);
    CmdResult r{status, QString::fromUtf8(outBuf, qsizetype(outSize)),
                QString::fromUtf8(errBuf, qsizetype(errSize))};
    std::free(outBuf);
    std::free(errBuf);
    return r;
}

// runVardex on `site` with the clock fixed at 6 December 2026, 08:00, the
// day the demo sites of the attendance tests are laid out for.
inline CmdResult runOnDemoDay(const QString &site, const QStringList &args)
{
    return runVardex(
        QStringList{QStringLiteral("--now"), QStringLiteral("2026-12-06 08:00:00")} + args, site);
}

// The program where the user "nobody" may run it: the build tree may lie in
// a folder only its owner can enter (a clone in a fresh temporary folder),
// so a copy goes into a folder open to everyone, once per test run.
inline QString programForEveryone()
{
    static QTemporaryDir folder;
    static const QString copy = [] {
        const QString path = folder.filePath(QStringLiteral("vardex"));
        ::chmod(QFile::encodeName(folder.path()).constData(), 0755);
        QFile::copy(QStringLiteral(VARDEX_EXECUTABLE), path);
        ::chmod(QFile::encodeName(path).constData(), 0755);
        return path;
    }();
    return copy;
}

// Runs the program itself from `workDir`; for the superuser, whom
// permissions do not hold back, as the user "nobody" when `asNobody`. A
// crash gives the status -1.
inline CmdResult runProgram(const QStringList &args, const QString &workDir = {},
                            bool asNobody = false, int deadlineMs = 60000)
{
    QProcess p;
    p.setWorkingDirectory(workDir);
    if (asNobody)
        p.setChildProcessModifier([] {
            if (geteuid() == 0 &&
                (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
                _exit(99);
        });
    const bool lowered = asNobody && geteuid() == 0;
    p.start(lowered ? programForEveryone() : QStringLiteral(VARDEX_EXECUTABLE), args);
    EXPECT_TRUE(p.waitForFinished(deadlineMs)) << p.errorString().toStdString();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// The tables of the site in `dir`, open.
struct SiteTables
{
    explicit SiteTables(const QString &dir) : db(dir, messages, clock)
    {
        EXPECT_TRUE(db.OpenMinimalDatabases(nullptr));
    }

    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db;
};

// An event of unit 05 without a key at 07:30.
inline void addEvent(Table &t, const QDate &date, const QString &res)
{
    ASSERT_TRUE(t.append());
    t.setDate(QStringLiteral("DATUM"), date);
    t.setTime(QStringLiteral("CAS"), QTime(7, 30));
    t.setString(QStringLiteral("AHWJ"), QStringLiteral("05"));
    t.setString(QStringLiteral("CTM"), QStringLiteral("00000000000000"));
    t.setString(QStringLiteral("RES"), res);
    t.setBool(QStringLiteral("ORI"), true);
    ASSERT_TRUE(t.post());
}

// Makes the demo site `site` and starts `simulator` on its line with the
// site's units, their events and those `more` adds; gives what it started.
inline sim::SimConfig startDemoSite(const QString &site, sim::Kvr8Simulator &simulator,
                                    const std::function<void(sim::SimConfig &)> &more = {})
{
    const CmdResult made = runVardex({QStringLiteral("demo-site"), site}, QFileInfo(site).path());
    EXPECT_EQ(made.status, 0) << made.err.toStdString();
    QString error;
    sim::SimConfig config = sim::SimConfig::load(DemoSite::simulatorConfigPath(site), &error)
                                .value_or(sim::SimConfig{});
    if (more)
        more(config);
    simulator.apply(config);
    EXPECT_TRUE(error.isEmpty() && simulator.start(DemoSite::linkPath(site), &error))
        << error.toStdString();
    return config;
}

} // namespace vardex::testing
