// Measures the table engine against the same work done directly through the
// sqlite3 C API, on an event archive of generated records.
//
//   tables_bench [rows] [dir]
//
// Runs the whole sequence twice, at rows/10 and at rows (default 1,000,000),
// in a scratch folder inside `dir` (default: the system's temporary folder)
// that is removed at the end. Prints, per phase, a plain table of figures:
// operation, engine ms, raw ms, ratio; then the peak resident memory.
#include "ProcessMemory.h"
#include "accessdata/AccessSchemas.h"
#include "tables/CzechCollation.h"
#include "tables/Table.h"
#include "tables/Transaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Best times of `engine` and `raw`, run alternately `reps` times (after one
// run of each that warms the caches), so that both meet the same load on
// the machine; the best run is the one the other programs on the machine
// disturbed least. `setup` runs untimed before each run of `engine`.
struct Timing
{
    double engine;
    double raw;
};

double best(const std::vector<double> &v)
{
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

Timing compare(int reps, const std::function<void()> &setup, const std::function<void()> &engine,
               const std::function<void()> &raw)
{
    std::vector<double> e, r;
    for (int i = 0; i <= reps; ++i) {
        if (setup)
            setup();
        Clock::time_point start = Clock::now();
        engine();
        const double engineMs = msSince(start);
        start = Clock::now();
        raw();
        const double rawMs = msSince(start);
        if (i > 0)
            e.push_back(engineMs), r.push_back(rawMs);
    }
    return {best(e), best(r)};
}

// The scratch folder, removed also when the run stops on a failure.
QString scratchPath;

void die(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "tables_bench: %s %s\n", what, qPrintable(detail));
    if (!scratchPath.isEmpty())
        QDir(scratchPath).removeRecursively();
    std::exit(1);
}

// --- generated events: ~30 keys, ~8 units, three years of dates in
// collection order, times spread over the day.

constexpr int kKeys = 30;
constexpr int kUnits = 8;
const QDate kFirstDay(2024, 1, 1);
const QDate kLastDay(2026, 12, 31);

struct Event
{
    int day;     // days after kFirstDay
    int seconds; // of the day
    int unit;
    int key;
    int res;
    bool ori;
};

class EventSource
{
public:
    explicit EventSource(qint64 rows) : m_rows(rows), m_days(int(kFirstDay.daysTo(kLastDay)) + 1) {}
    Event at(qint64 i)
    {
        Event e;
        e.day = int(i * m_days / m_rows);
        e.seconds = int(m_rng() % 86400);
        e.unit = int(m_rng() % kUnits);
        e.key = int(m_rng() % kKeys);
        e.res = int(m_rng() % 4);
        e.ori = m_rng() % 8 != 0;
        return e;
    }

private:
    qint64 m_rows;
    int m_days;
    std::mt19937 m_rng{20260301};
};

QString keyText(int key)
{
    return QStringLiteral("01000000%1").arg(key * 7919 + 100000, 6, 16, QLatin1Char('0')).toUpper();
}
QString unitText(int unit)
{
    return QStringLiteral("%1").arg(unit + 1, 2, 10, QLatin1Char('0'));
}
QString resText(int res)
{
    return QStringLiteral("%1").arg(res * 9, 2, 10, QLatin1Char('0'));
}

// --- the raw side

class Raw
{
public:
    explicit Raw(const QString &path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) !=
                SQLITE_OK ||
            !vardex::registerCzechCollations(m_db))
            die("raw open failed", path);
        exec("PRAGMA journal_mode=WAL");
        exec("PRAGMA synchronous=FULL");
        exec("PRAGMA busy_timeout=5000");
    }
    ~Raw()
    {
        for (sqlite3_stmt *s : m_statements)
            sqlite3_finalize(s);
        sqlite3_close(m_db);
    }
    void exec(const char *sql)
    {
        char *error = nullptr;
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK)
            die("raw statement failed", QString::fromUtf8(error));
    }
    sqlite3_stmt *prepare(const char *sql)
    {
        sqlite3_stmt *s = nullptr;
        if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) != SQLITE_OK)
            die("raw prepare failed", QString::fromUtf8(sqlite3_errmsg(m_db)));
        m_statements.push_back(s);
        return s;
    }
    static void bind(sqlite3_stmt *s, int i, const std::string &text)
    {
        sqlite3_bind_text(s, i, text.data(), int(text.size()), SQLITE_TRANSIENT);
    }
    // Steps through up to `limit` rows, reading every column as the engine
    // does; returns the rows read.
    static qint64 readRows(sqlite3_stmt *s, qint64 limit)
    {
        qint64 rows = 0;
        qint64 sum = 0;
        while (rows < limit && sqlite3_step(s) == SQLITE_ROW) {
            const int columns = sqlite3_column_count(s);
            for (int c = 0; c < columns; ++c) {
                if (sqlite3_column_type(s, c) == SQLITE_TEXT)
                    sum += sqlite3_column_bytes(s, c) + *sqlite3_column_text(s, c);
                else
                    sum += sqlite3_column_int64(s, c);
            }
            ++rows;
        }
        sqlite3_reset(s);
        if (sum == 42) // keeps the reads from being optimised away
            std::puts("");
        return rows;
    }
    static qint64 scalar(sqlite3_stmt *s)
    {
        qint64 v = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
        sqlite3_reset(s);
        return v;
    }
    sqlite3 *db() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
    std::vector<sqlite3_stmt *> m_statements;
};

// --- one phase

struct Figure
{
    QString operation;
    double engineMs;
    double rawMs;
};

class Phase
{
public:
    Phase(qint64 rows, const QString &dir) : m_rows(rows), m_dir(dir) {}

    void run()
    {
        const QString engineDir = m_dir + QStringLiteral("/engine");
        const QString rawDir = m_dir + QStringLiteral("/raw");
        QDir().mkpath(engineDir);
        QDir().mkpath(rawDir);
        createEmpty(rawDir);
        insertEngine(engineDir);
        insertRaw(rawDir + QStringLiteral("/EVENTS.DB"));
        queries(engineDir, rawDir + QStringLiteral("/EVENTS.DB"));
    }

    void print() const
    {
        std::printf("\n%lld rows\n", static_cast<long long>(m_rows));
        std::printf("%-40s %12s %12s %7s\n", "operation", "vardex ms", "raw ms", "ratio");
        std::printf("(best of alternating runs; bulk insert is one run each)\n");
        for (const Figure &f : m_figures) {
            if (f.rawMs > 0)
                std::printf("%-40s %12.4f %12.4f %7.2f\n", qPrintable(f.operation), f.engineMs,
                            f.rawMs, f.engineMs / f.rawMs);
            else // nothing to compare with
                std::printf("%-40s %12.4f %12s %7s\n", qPrintable(f.operation), f.engineMs, "-",
                            "-");
        }
        for (const QString &note : m_notes)
            std::printf("%s\n", qPrintable(note));
        std::printf("peak RSS after this phase (VmHWM): %ld kB\n", processStatusKb("VmHWM"));
        std::fflush(stdout);
    }

private:
    void add(const QString &operation, Timing t)
    {
        m_figures.push_back({operation, t.engine, t.raw});
        std::fprintf(stderr, "  %-40s %10.4f %10.4f\n", qPrintable(operation), t.engine, t.raw);
    }

    static void createEmpty(const QString &dir)
    {
        vardex::Table t(vardex::eventsSchema(), dir);
        if (!t.open())
            die("cannot create", t.errorMessage());
    }

    void insertEngine(const QString &dir)
    {
        vardex::Table t(vardex::eventsSchema(), dir);
        if (!t.open())
            die("engine open failed", t.errorMessage());
        EventSource source(m_rows);
        QStringList keys, units, results;
        for (int i = 0; i < kKeys; ++i)
            keys << keyText(i);
        for (int i = 0; i < kUnits; ++i)
            units << unitText(i);
        for (int i = 0; i < 4; ++i)
            results << resText(i);
        const Clock::time_point start = Clock::now();
        vardex::Transaction tx(t);
        for (qint64 i = 0; i < m_rows; ++i) {
            const Event e = source.at(i);
            t.append();
            t.setDate(QStringLiteral("DATUM"), kFirstDay.addDays(e.day));
            t.setTime(QStringLiteral("CAS"), QTime::fromMSecsSinceStartOfDay(e.seconds * 1000));
            t.setString(QStringLiteral("AHWJ"), units[e.unit]);
            t.setString(QStringLiteral("CTM"), keys[e.key]);
            t.setString(QStringLiteral("RES"), results[e.res]);
            t.setBool(QStringLiteral("ORI"), e.ori);
            if (!t.post())
                die("engine post failed", t.errorMessage());
        }
        if (!tx.commit())
            die("engine commit failed", t.errorMessage());
        m_insertEngineMs = msSince(start);
    }

    void insertRaw(const QString &path)
    {
        Raw raw(path);
        EventSource source(m_rows);
        std::vector<std::string> keys, units, results;
        for (int i = 0; i < kKeys; ++i)
            keys.push_back(keyText(i).toStdString());
        for (int i = 0; i < kUnits; ++i)
            units.push_back(unitText(i).toStdString());
        for (int i = 0; i < 4; ++i)
            results.push_back(resText(i).toStdString());
        const Clock::time_point start = Clock::now();
        raw.exec("BEGIN IMMEDIATE");
        sqlite3_stmt *insert =
            raw.prepare("INSERT INTO \"EVENTS\" (\"DATUM\", \"CAS\", \"AHWJ\", \"CTM\", \"RES\", "
                        "\"ORI\") VALUES (?, ?, ?, ?, ?, ?)");
        char date[16], time[16];
        for (qint64 i = 0; i < m_rows; ++i) {
            const Event e = source.at(i);
            const QDate d = kFirstDay.addDays(e.day);
            std::snprintf(date, sizeof date, "%04d-%02d-%02d", d.year(), d.month(), d.day());
            std::snprintf(time, sizeof time, "%02d:%02d:%02d", e.seconds / 3600,
                          e.seconds / 60 % 60, e.seconds % 60);
            sqlite3_bind_text(insert, 1, date, -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 2, time, -1, SQLITE_TRANSIENT);
            Raw::bind(insert, 3, units[size_t(e.unit)]);
            Raw::bind(insert, 4, keys[size_t(e.key)]);
            Raw::bind(insert, 5, results[size_t(e.res)]);
            sqlite3_bind_int(insert, 6, e.ori ? 1 : 0);
            if (sqlite3_step(insert) != SQLITE_DONE)
                die("raw insert failed", QString::fromUtf8(sqlite3_errmsg(raw.db())));
            sqlite3_reset(insert);
        }
        raw.exec("COMMIT");
        add(QStringLiteral("bulk insert %1 rows").arg(m_rows), {m_insertEngineMs, msSince(start)});
    }

    void queries(const QString &engineDir, const QString &rawPath)
    {
        const QString monthFilter =
            QStringLiteral("DATUM >= '01.03.2026' AND DATUM <= '31.03.2026'");
        const QString key = keyText(7);
        const std::string keyStd = key.toStdString();
        const int reps = 20;
        const int fastReps = 200;

        // Open.
        const Timing open = compare(
            reps, {},
            [&] {
                vardex::Table t(vardex::eventsSchema(), engineDir);
                if (!t.open())
                    die("engine open failed", t.errorMessage());
            },
            [&] {
                Raw raw(rawPath);
                sqlite3_stmt *s =
                    raw.prepare("SELECT rowid, * FROM \"EVENTS\" ORDER BY rowid LIMIT 1");
                Raw::readRows(s, 1);
            });
        add(QStringLiteral("open (and go to first)"), open);

        vardex::Table t(vardex::eventsSchema(), engineDir);
        if (!t.open())
            die("engine open failed", t.errorMessage());
        Raw raw(rawPath);

        // Counts under filters. Setting the filter text (the switch is on)
        // keeps the current record when it qualifies, else goes to the first
        // record that does; the count is then one query.
        t.setFiltered(true);
        auto filterFigures = [&](const QString &name, const QString &filter, sqlite3_stmt *rawFirst,
                                 sqlite3_stmt *rawCount,
                                 const std::function<void(sqlite3_stmt *)> &bindRaw) {
            bindRaw(rawFirst);
            bindRaw(rawCount);
            auto unfiltered = [&] {
                t.setFilterText(QString());
                t.first();
            };
            auto setFilter = [&] {
                if (!t.setFilterText(filter))
                    die("filter refused", t.filterError());
            };
            add(QStringLiteral("set %1 filter (goes first)").arg(name),
                compare(reps, unfiltered, setFilter, [&] { Raw::readRows(rawFirst, 1); }));
            qint64 engineCount = 0, rawCountValue = 0;
            const Timing count = compare(
                reps, [&] { unfiltered(), setFilter(); }, [&] { engineCount = t.recordCount(); },
                [&] { rawCountValue = Raw::scalar(rawCount); });
            if (engineCount != rawCountValue)
                die("counts differ", QStringLiteral("%1 %2").arg(engineCount).arg(rawCountValue));
            add(QStringLiteral("count, %1 filter (%2)").arg(name).arg(engineCount), count);
        };
        auto bindMonth = [](sqlite3_stmt *s) {
            Raw::bind(s, 1, "2026-03-01");
            Raw::bind(s, 2, "2026-03-31");
        };
        filterFigures(
            QStringLiteral("month"), monthFilter,
            raw.prepare("SELECT rowid, * FROM \"EVENTS\" WHERE \"DATUM\" >= ? AND \"DATUM\" <= ? "
                        "ORDER BY rowid LIMIT 1"),
            raw.prepare("SELECT count(*) FROM \"EVENTS\" WHERE \"DATUM\" >= ? AND \"DATUM\" <= ?"),
            bindMonth);
        // An exact (binary) match, narrowed through the key's Czech index.
        auto bindKey = [&](sqlite3_stmt *s) { Raw::bind(s, 1, keyStd); };
        filterFigures(QStringLiteral("key"), QStringLiteral("CTM = '%1'").arg(key),
                      raw.prepare("SELECT rowid, * FROM \"EVENTS\" WHERE \"CTM\" COLLATE "
                                  "CZ_NOCASE = ?1 AND \"CTM\" = ?1 ORDER BY rowid LIMIT 1"),
                      raw.prepare("SELECT count(*) FROM \"EVENTS\" WHERE \"CTM\" COLLATE "
                                  "CZ_NOCASE = ?1 AND \"CTM\" = ?1"),
                      bindKey);
        t.setFilterText(QString());
        t.setFiltered(false);

        // First and last in key, date, time order.
        const char *order =
            " ORDER BY \"CTM\" COLLATE CZ_NOCASE%1, \"DATUM\"%1, \"CAS\"%1, rowid%1";
        auto ordered = [&](const char *head, const char *dir) {
            return raw.prepare(
                (QByteArray(head) + QString::fromLatin1(order).arg(QLatin1String(dir)).toUtf8())
                    .constData());
        };
        {
            const Clock::time_point start = Clock::now();
            if (!t.setIndex(QStringLiteral("IndexCTMDATUMCAS")))
                die("no index", t.errorMessage());
            add(QStringLiteral("setIndex CTM;DATUM;CAS"), {msSince(start), 0});
        }
        sqlite3_stmt *rawFirst = ordered("SELECT rowid, * FROM \"EVENTS\"", "");
        sqlite3_stmt *rawLast = ordered("SELECT rowid, * FROM \"EVENTS\"", " DESC");
        add(QStringLiteral("first, CTM;DATUM;CAS"),
            compare(
                fastReps, {}, [&] { t.first(); }, [&] { Raw::readRows(rawFirst, 1); }));
        add(QStringLiteral("last, CTM;DATUM;CAS"),
            compare(
                fastReps, {}, [&] { t.last(); }, [&] { Raw::readRows(rawLast, 1); }));

        // Nearest to a key, a day and a time.
        const QVariantList nearest = {key, QDate(2025, 6, 15), QTime(12, 0)};
        // By hand: the same key and day from the time on, else the same key
        // from the next day on, else the next key.
        sqlite3_stmt *rawNearest[3] = {
            raw.prepare((QByteArray("SELECT rowid, * FROM \"EVENTS\" WHERE \"CTM\" COLLATE "
                                    "CZ_NOCASE = ?1 AND \"DATUM\" = ?2 AND \"CAS\" >= ?3") +
                         QString::fromLatin1(order).arg(QString()).toUtf8() + " LIMIT 1")
                            .constData()),
            raw.prepare((QByteArray("SELECT rowid, * FROM \"EVENTS\" WHERE \"CTM\" COLLATE "
                                    "CZ_NOCASE = ?1 AND \"DATUM\" > ?2") +
                         QString::fromLatin1(order).arg(QString()).toUtf8() + " LIMIT 1")
                            .constData()),
            raw.prepare((QByteArray("SELECT rowid, * FROM \"EVENTS\" WHERE \"CTM\" COLLATE "
                                    "CZ_NOCASE > ?1") +
                         QString::fromLatin1(order).arg(QString()).toUtf8() + " LIMIT 1")
                            .constData())};
        for (sqlite3_stmt *s : rawNearest) {
            Raw::bind(s, 1, keyStd);
            if (s != rawNearest[2])
                Raw::bind(s, 2, "2025-06-15");
            if (s == rawNearest[0])
                Raw::bind(s, 3, "12:00:00");
        }
        auto rawFindNearest = [&] {
            for (sqlite3_stmt *s : rawNearest)
                if (Raw::readRows(s, 1) == 1)
                    return;
        };
        // Deep in the table: from the first record of the key.
        sqlite3_stmt *rawWalkDeep =
            raw.prepare((QByteArray("SELECT rowid, * FROM \"EVENTS\" WHERE \"CTM\" COLLATE "
                                    "CZ_NOCASE >= ?1") +
                         QString::fromLatin1(order).arg(QString()).toUtf8())
                            .constData());
        Raw::bind(rawWalkDeep, 1, keyStd);
        add(QStringLiteral("findNearest, CTM;DATUM;CAS"),
            compare(
                fastReps, {}, [&] { t.findNearest(nearest); }, rawFindNearest));
        t.findNearest(nearest);
        if (t.asString(QStringLiteral("CTM")) != key ||
            t.asDate(QStringLiteral("DATUM")) < QDate(2025, 6, 15))
            die("nearest is wrong", t.asString(QStringLiteral("DATUM")));

        // Walking: from the start, and deep in the table (from the first
        // record of the key, about a quarter into the order).
        auto walk = [&](const QString &where, const std::function<void()> &place,
                        sqlite3_stmt *rawWalk, int steps) {
            int done = 0;
            const Timing w = compare(
                11, place,
                [&] {
                    for (done = 0; done < steps && t.next();)
                        ++done;
                },
                [&] {
                    if (Raw::readRows(rawWalk, steps + 1) != steps + 1)
                        die("raw walk ended early");
                });
            if (done != steps)
                die("walk ended early");
            const double engine = w.engine, rawMs = w.raw;
            add(QStringLiteral("walk %1 next() %2").arg(steps).arg(where), w);
            m_notes << QStringLiteral("  per step, %1 steps %2: vardex %3 us, raw %4 us")
                           .arg(steps)
                           .arg(where)
                           .arg(engine * 1000 / steps, 0, 'f', 3)
                           .arg(rawMs * 1000 / steps, 0, 'f', 3);
        };
        sqlite3_stmt *rawWalkFirst = ordered("SELECT rowid, * FROM \"EVENTS\"", "");
        // The walks that fit in the table.
        const std::vector<int> lengths = m_rows >= 14000  ? std::vector<int>{1000, 10000}
                                         : m_rows >= 1400 ? std::vector<int>{1000}
                                                          : std::vector<int>{};
        for (int steps : lengths)
            walk(
                QStringLiteral("from first"), [&] { t.first(); }, rawWalkFirst, steps);
        for (int steps : lengths)
            walk(
                QStringLiteral("from deep"), [&] { t.findNearest({key}); }, rawWalkDeep, steps);
    }

    qint64 m_rows;
    QString m_dir;
    double m_insertEngineMs = 0;
    std::vector<Figure> m_figures;
    QStringList m_notes;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = true;
    const qint64 rows = args.size() > 1 ? args[1].toLongLong(&ok) : 1000000;
    if (!ok || rows < 100) {
        std::fprintf(stderr, "usage: tables_bench [rows >= 100] [dir]\n");
        return 2;
    }
    const QString base = args.size() > 2 ? args[2] : QDir::tempPath();
    QTemporaryDir scratch(base + QStringLiteral("/tables_bench-XXXXXX"));
    if (!scratch.isValid())
        die("cannot create a scratch folder in", base);
    scratchPath = scratch.path();
    std::printf("tables_bench: %lld rows, SQLite %s, files in %s\n", static_cast<long long>(rows),
                sqlite3_libversion(), qPrintable(scratch.path()));
    for (qint64 n : {rows / 10, rows}) {
        const QString dir = scratch.path() + QStringLiteral("/%1").arg(n);
        std::fprintf(stderr, "phase %lld rows\n", static_cast<long long>(n));
        Phase phase(n, dir);
        phase.run();
        phase.print();
        QDir(dir).removeRecursively();
    }
    return 0;
}
