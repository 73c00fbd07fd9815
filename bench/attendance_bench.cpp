// Measures the attendance evaluation of a month for a whole site: 1,000
// workers with four attendance events a day over November (120,000 events)
// in an archive of 1,000,000 events, the batch "výkaz" for all of them as
// one output. Prints the batch as the window runs it, then the same work
// split into extraction, evaluation and writing, and the peak memory.
//
//   attendance_bench [dir]     (a scratch folder inside dir, default the
//                               system's temporary folder, removed at the end)
#include "ProcessMemory.h"
#include "accessdata/TDB0DM.h"
#include "accessdata/UnitCatalogue.h"
#include "attendance/AttendanceProcessing.h"
#include "attendance/ShiftRecord.h"
#include "attendance/TDMRPL.h"
#include "attendance/TVXDM.h"
#include "events/ReportFile.h"
#include "platform/Clock.h"
#include "platform/ConsoleMessages.h"
#include "tables/CzechCollation.h"
#include "tables/Transaction.h"
#include "timecal/DayMonth.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWorkers = 1000;
constexpr qint64 kArchive = 1'000'000;
const QDate kMonth(2026, 11, 1);

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

[[noreturn]] void die(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "attendance_bench: %s %s\n", what, qPrintable(detail));
    std::exit(1);
}

QString keyNumber(int i)
{
    return QStringLiteral("01%1").arg(i * 7919 + 4096, 12, 16, QLatin1Char('0')).toUpper();
}

// One attendance unit, a morning shift every day of the week, the workers.
void makeSite(vardex::TDB0DM &db, vardex::TVXDM &vx)
{
    if (!db.tbUniDefaultByType(vardex::UnitType::Attendance))
        die("unit", db.tbUni.errorMessage());
    db.tbUni.edit();
    db.tbUni.setString(QStringLiteral("ADRESA"), QStringLiteral("01"));
    db.tbUni.setString(QStringLiteral("POUZITI"), QStringLiteral("01"));
    if (!db.tbUni.post())
        die("unit", db.tbUni.errorMessage());
    vx.tbSme.append();
    vx.tbSme.setString(QStringLiteral("NazevSmeny"), QStringLiteral("Ranní"));
    vardex::writeShiftRecord(vx.tbSme, vardex::ShiftFromTemplate(vardex::ShiftTemplate::Morning));
    if (!vx.tbSme.post())
        die("shift", vx.tbSme.errorMessage());
    vx.tbDch.append();
    vx.tbDch.setString(QStringLiteral("ROZPIS"), QStringLiteral("Ranní"));
    vx.tbDch.setInt(QStringLiteral("DelkaRozpisu"), 7);
    vx.tbDch.setDate(QStringLiteral("DatumOd"), QDate(2026, 1, 1));
    for (int d = 1; d <= 7; ++d)
        vx.tbDchPutNazSmeny(d, QStringLiteral("Ranní"));
    if (!vx.tbDch.post())
        die("schedule", vx.tbDch.errorMessage());
    vardex::Transaction tx(db.tbKey);
    for (int k = 0; k < kWorkers; ++k) {
        vardex::Table &t = db.tbKey;
        t.append();
        t.setString(QStringLiteral("CTM"), keyNumber(k));
        t.setString(QStringLiteral("JMENO"), QStringLiteral("Pracovník č. %1").arg(k + 1));
        t.setString(QStringLiteral("OSCIS"), QString::number(k + 1));
        t.setString(QStringLiteral("PRACOVISTE"), QStringLiteral("Výroba"));
        t.setString(QStringLiteral("ROZPIS"), QStringLiteral("Ranní"));
        if (!t.post())
            die("key", t.errorMessage());
    }
    if (!tx.commit())
        die("keys", db.tbKey.errorMessage());
}

// The month's four events a worker a day, and the rest of the archive
// spread over the months before it.
void makeEvents(const QString &dir)
{
    sqlite3 *db = nullptr;
    const QByteArray path = (dir + QStringLiteral("/EVENTS.DB")).toUtf8();
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        !vardex::registerCzechCollations(db))
        die("open events");
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO EVENTS (DATUM, CAS, AHWJ, CTM, RES, ORI) "
                       "VALUES (?, ?, '01', ?, ?, 1)",
                       -1, &insert, nullptr);
    std::mt19937 rng(20261130);
    std::vector<std::string> keys;
    for (int k = 0; k < kWorkers; ++k)
        keys.push_back(keyNumber(k).toStdString());
    char date[16], time[16];
    const auto put = [&](const QDate &d, int minutes, const std::string &key, const char *res) {
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", d.year(), d.month(), d.day());
        std::snprintf(time, sizeof time, "%02d:%02d:00", minutes / 60, minutes % 60);
        sqlite3_bind_text(insert, 1, date, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, time, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, key.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, res, -1, SQLITE_STATIC);
        if (sqlite3_step(insert) != SQLITE_DONE)
            die("insert", QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_reset(insert);
    };
    const qint64 month = qint64(kWorkers) * kMonth.daysInMonth() * 4;
    const QDate before(2026, 1, 1);
    const int days = int(before.daysTo(kMonth));
    const char *const codes[] = {"00", "03", "00", "04"};
    for (qint64 i = 0; i < kArchive - month; ++i)
        put(before.addDays(i * days / (kArchive - month)), int(rng() % 1440),
            keys[rng() % kWorkers], codes[rng() % 4]);
    for (int d = 0; d < kMonth.daysInMonth(); ++d)
        for (int k = 0; k < kWorkers; ++k) {
            const int arrive = 5 * 60 + 40 + int(rng() % 20);
            const int lunch = 11 * 60 + int(rng() % 30);
            put(kMonth.addDays(d), arrive, keys[size_t(k)], "00");
            put(kMonth.addDays(d), lunch, keys[size_t(k)], "03");
            put(kMonth.addDays(d), lunch + 30, keys[size_t(k)], "00");
            put(kMonth.addDays(d), 14 * 60 + int(rng() % 20), keys[size_t(k)], "04");
        }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication qapp(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir scratch(base + QStringLiteral("/attendance_bench-XXXXXX"));
    if (!scratch.isValid())
        die("no scratch folder in", base);
    const QString dir = scratch.path();
    vardex::ConsoleMessages messages(stderr);
    vardex::FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(8, 0)));
    vardex::TDB0DM db(dir, messages, clock);
    vardex::TVXDM vx(db, dir, messages);
    vardex::TDMRPL rpl(dir);
    QString error;
    if (!vx.OpenApplicationDatabases(&error))
        die("open", error);
    vx.config.outputDir = dir + u'/';

    Clock::time_point start = Clock::now();
    makeSite(db, vx);
    makeEvents(dir);
    std::printf("site: %d workers, %lld events, made in %.0f ms\n", kWorkers,
                static_cast<long long>(db.tbEvents.recordCount()), msSince(start));

    db.interval.startDate = vardex::PackDayMonth(1, kMonth.month());
    db.interval.endDate = vardex::PackDayMonth(kMonth.daysInMonth(), kMonth.month());
    db.interval.startYear = db.interval.endYear = kMonth.year();
    vardex::AttendanceProcessing run(db, vx, dir);
    run.planFor = vardex::standardPlanSource(db, vx, rpl);
    run.options.kind = vardex::ReportKind::Statement;
    run.options.oneOutput = true;
    int notes = 0;
    run.noteAdded = [&notes](const QString &) { ++notes; };

    // As the window runs it: the period chosen, then "Všechny klíče".
    start = Clock::now();
    if (const vardex::Result<void> read = run.ReserseDat(); !read)
        die("extraction", read.error());
    const vardex::Result<vardex::BatchOutcome> batch = run.ZpracovaniDavky();
    if (!batch || batch->processed != kWorkers)
        die("batch", batch ? QStringLiteral("not every worker") : batch.error());
    const double whole = msSince(start);
    const qint64 bytes = QFileInfo(vardex::reportFilePath(vx.config.outputDir)).size();
    std::printf("batch \"výkaz\", one output:  %8.0f ms  (%d workers, %d notes, report %lld "
                "bytes, work file %lld records)\n",
                whole, batch->processed, notes, static_cast<long long>(bytes),
                static_cast<long long>(run.workFile().size()));

    // The same work in its three parts.
    start = Clock::now();
    if (const vardex::Result<void> read = run.ReserseDat(); !read)
        die("extraction", read.error());
    const double extraction = msSince(start);
    const vardex::Result<QStringList> keys = run.batchKeys();
    if (!keys || !run.clearReport())
        die("keys");
    start = Clock::now();
    for (const QString &key : *keys) {
        db.chosenKey = key;
        if (const vardex::Result<bool> done = run.VypocetDochazky(); !done || !*done)
            die("evaluation", key);
    }
    const double evaluation = msSince(start);
    start = Clock::now();
    if (!run.flushReport())
        die("writing");
    const double writing = msSince(start);
    std::printf("  extraction %8.0f ms\n  evaluation %8.0f ms\n  writing    %8.0f ms\n",
                extraction, evaluation, writing);
    std::printf("peak resident memory: %ld kB\n", processStatusKb("VmHWM"));
    return 0;
}
