// The operations that replace a table's content or the report file, run as
// a separate program and killed outright at random moments: whatever the
// moment, every table file stays whole, the table holds its complete old or
// its complete new content, and the report file is the old or the complete
// new one.
#include "KillDriver.h"
#include "text/LineFile.h"

#include <QElapsedTimer>
#include <random>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;
using testing::copySite;
using testing::runVardex;

const QString kNow = u"2027-04-01 08:00:00"_s;

// Writes `lines` (cp1250, CR LF) into the site.
void writeLines(const QString &site, const QString &name, const QStringList &lines)
{
    ASSERT_TRUE(writeLineFile(site + u'/' + name, lines).ok);
}

// `n` key holders in the layout of the site's own export.
void writeKeys(const QString &site, int n)
{
    ASSERT_EQ(runVardex({u"keys"_s, u"export"_s, site + u"/old.sdf"_s}, site).status, 0);
    const QString model = readLines(site + u"/old.sdf"_s).lines.value(0);
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << QStringLiteral("02%1").arg(i, 12, 16, QLatin1Char('0')) + model.mid(14, 49) +
                     QStringLiteral("P%1").arg(i).leftJustified(12) + model.mid(75);
    writeLines(site, u"new.sdf"_s, lines);
}

// `n` events over the first three months of 2027, as UTIL_EVE.TXT holds them.
void writeEvents(const QString &site, const QString &name, int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i) {
        const QDateTime at = QDateTime(QDate(2027, 1, 1), QTime(6, 0)).addSecs(i * 2500);
        lines << u"DATUM="_s + at.toString(u"dd.MM.yyyy"_s)
              << u"CAS="_s + at.toString(u"hh:mm:ss"_s) << u"AHWJ=02"_s
              << QStringLiteral("CTM=01%1").arg(i, 12, 16, QLatin1Char('0'))
              << QStringLiteral("RES=%1").arg(i % 2, 2, 10, QLatin1Char('0')) << u"ORI=True"_s
              << u"#"_s;
    }
    writeLines(site, name, lines);
}

void withEvents(const QString &site)
{
    writeEvents(site, u"old.txt"_s, 2000);
    ASSERT_EQ(runVardex({u"events"_s, u"import"_s, site + u"/old.txt"_s}, site).status, 0);
}

// The demo site's month of attendance events: the previous month, or in
// January the days of January before today.
QStringList demoAttendanceRun()
{
    const QDate today = QDate::currentDate();
    const QDate from =
        today.month() == 1 ? QDate(today.year(), 1, 1) : QDate(today.year(), today.month() - 1, 1);
    const QDate to = today.month() == 1 ? today.addDays(-1) : from.addDays(from.daysInMonth() - 1);
    return {u"attendance"_s,
            u"--from"_s,
            from.toString(u"dd.MM.yyyy"_s),
            u"--to"_s,
            to.toString(u"dd.MM.yyyy"_s),
            u"--all"_s,
            u"--one-output"_s};
}

struct Scenario
{
    const char *name;
    QString table; // the table whose content is looked at
    std::function<void(const QString &site)> prepare;
    QStringList args;
};

const Scenario kScenarios[] = {
    {"keys import",
     u"WKVRKEY"_s,
     [](const QString &s) { writeKeys(s, 1500); },
     {u"keys"_s, u"import"_s, u"new.sdf"_s, u"--replace"_s}},
    {"table import",
     u"WKVRKEY"_s,
     [](const QString &s) { writeKeys(s, 1500); },
     {u"table"_s, u"import"_s, u"wkvrkey"_s, u"new.sdf"_s, u"--replace"_s}},
    {"events import",
     u"EVENTS"_s,
     [](const QString &s) {
         withEvents(s);
         writeEvents(s, u"new.txt"_s, 3000);
     },
     {u"events"_s, u"import"_s, u"new.txt"_s, u"--replace"_s}},
    {"events erase",
     u"EVENTS"_s,
     withEvents,
     {u"events"_s, u"erase"_s, u"--to"_s, u"15.02.2027"_s}},
    {"schedules import",
     u"WKVRDCH"_s,
     [](const QString &s) {
         QStringList lines;
         for (int i = 0; i < 1500; ++i)
             lines << QStringLiteral("R%1").arg(i, -16) + u"0101.01.2027"_s + QString(17, u' ') +
                          u'#';
         writeLines(s, u"ROZPISY.SDF"_s, lines);
     },
     {u"schedules"_s, u"import"_s, u"ROZPISY.SDF"_s, u"--replace"_s}},
    {"plan generate",
     u"WKVRRPL"_s,
     [](const QString &) {},
     {u"plan"_s, u"generate"_s, u"--key"_s, u"010000004A0000"_s, u"--from"_s, u"01.01.2027"_s,
      u"--to"_s, u"31.12.2027"_s, u"--overwrite"_s}},
    // A month's batch of every worker as one report.
    {"attendance", u"EVENTS"_s,
     [](const QString &s) {
         ASSERT_EQ(runVardex({u"events"_s, u"print"_s, u"--from"_s, demoAttendanceRun()[2],
                              u"--to"_s, demoAttendanceRun()[4]},
                             s)
                       .status,
                   0);
     },
     demoAttendanceRun()},
    // The report file: an old listing, then a long one.
    {"events print",
     u"EVENTS"_s,
     [](const QString &s) {
         withEvents(s);
         ASSERT_EQ(runVardex({u"events"_s, u"print"_s, u"--from"_s, u"02.01.2027"_s}, s).status, 0);
     },
     {u"events"_s, u"print"_s, u"--from"_s, u"01.01.2027"_s, u"--to"_s, u"31.03.2027"_s}},
};

TEST(KilledWhileReplacing, EachTableHoldsItsOldOrItsNewContentAndStaysWhole)
{
    std::mt19937 random(20261206);
    for (const Scenario &scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        testing::ScratchDir dir;
        const QString model = dir.file(u"model"_s), site = dir.file(u"site"_s);
        ASSERT_EQ(runVardex({u"demo-site"_s, model}, dir.path()).status, 0);
        scenario.prepare(model);
        const QStringList args =
            QStringList{u"-C"_s, site, u"--home"_s, site, u"--now"_s, kNow} + scenario.args;

        copySite(model, site);
        const testing::SiteState before = testing::siteState(site, scenario.table);
        QElapsedTimer whole;
        whole.start();
        const testing::CmdResult done = testing::runProgram(args);
        const int wholeMs = int(whole.elapsed());
        ASSERT_EQ(done.status, 0) << done.err.toStdString();
        const testing::SiteState after = testing::siteState(site, scenario.table);
        ASSERT_TRUE(after.table != before.table || after.report != before.report);

        int killed = 0;
        for (int i = 0; i < testing::kKills; ++i) {
            copySite(model, site);
            // Within the first three quarters of an undisturbed run: the
            // last is the program's exit.
            const int ms = int(random() % (wholeMs * 3 / 4 + 1));
            killed += testing::killAfter(args, [&](QProcess &run) { run.waitForFinished(ms); });
            const testing::SiteState left = testing::siteState(site, scenario.table);
            EXPECT_EQ(left.damaged, QStringList()) << "kill " << i;
            EXPECT_TRUE(left.table == before.table || left.table == after.table) << "kill " << i;
            EXPECT_TRUE(left.report == before.report || left.report == after.report)
                << "kill " << i;
        }
        EXPECT_GE(killed, testing::kKills / 2);
    }
}

} // namespace
} // namespace vardex
