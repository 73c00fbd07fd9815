#pragma once

// Runs the program as a separate process and kills it outright (SIGKILL)
// at a chosen moment, then looks at what it left behind.
#include "accessdata/TableTextFile.h"
#include "cli/CliRun.h"
#include "cli/Session.h"
#include "events/ReportFile.h"

#include <QDir>
#include <QDirIterator>
#include <csignal>

namespace vardex::testing {

// Kills per scenario; a sanitizer build runs each process many times slower.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int kKills = 8;
#else
constexpr int kKills = 20;
#endif

// A folder for the sites of one scenario, in memory when the machine has
// /dev/shm: a killed process leaves its files there as on a disk, and the
// many synchronous writes of the runs cost nothing.
struct ScratchDir
{
    QTemporaryDir dir{QFile::exists(QStringLiteral("/dev/shm"))
                          ? QStringLiteral("/dev/shm/vardex-crash-XXXXXX")
                          : QDir::tempPath() + QStringLiteral("/vardex-crash-XXXXXX")};
    QString path() const { return dir.path(); }
    QString file(const QString &name) const { return dir.filePath(name); }
};

// Starts `vardex ARGS`, lets `until` wait on it, then kills it if it still
// runs; whether it was killed.
inline bool killAfter(const QStringList &args, const std::function<void(QProcess &)> &until)
{
    QProcess run;
    run.start(QStringLiteral(VARDEX_EXECUTABLE), args);
    EXPECT_TRUE(run.waitForStarted());
    until(run);
    const bool running = run.state() != QProcess::NotRunning;
    if (running) {
        ::kill(pid_t(run.processId()), SIGKILL);
        EXPECT_TRUE(run.waitForFinished(10000));
    }
    return running;
}

// What a run left in the site `dir`: the tables failing the engine's
// integrity check, one table's content as its text file, the report file.
struct SiteState
{
    QStringList damaged;
    QByteArray table;
    QByteArray report;
};

inline SiteState siteState(const QString &dir, const QString &table)
{
    SiteState state;
    std::FILE *quiet = std::fopen("/dev/null", "w");
    {
        Session s(std::nullopt, dir, dir + u'/', quiet);
        EXPECT_EQ(s.app.start(), StartOutcome::Started);
        for (Table *t : s.app.tables()) {
            const Result<void> whole = t->isOpen() || t->open()
                                           ? t->checkIntegrity()
                                           : Result<void>(Failure{t->errorMessage()});
            if (!whole)
                state.damaged << t->schema().baseName + u' ' + whole.error();
            if (t->schema().baseName == table) {
                const QString text = dir + QStringLiteral("/../table.txt");
                EXPECT_TRUE(exportTableText(*t, text).ok);
                state.table = fileBytes(text);
            }
        }
        state.report = fileBytes(reportFilePath(s.app.vx.config.outputDir));
        s.app.quit();
    }
    std::fclose(quiet);
    return state;
}

// A fresh copy of the site `from` at `to`, without the settings record,
// which names the output folder of `from`: the copy makes its own.
inline void copySite(const QString &from, const QString &to)
{
    QDir(to).removeRecursively();
    for (QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString file = it.next();
        if (file.endsWith(QLatin1String("/WKVRCFG.DBF")))
            continue;
        const QString copy = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(copy).path());
        ASSERT_TRUE(QFile::copy(file, copy)) << copy.toStdString();
    }
}

} // namespace vardex::testing
