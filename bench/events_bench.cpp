// Measures the event browser and the event listings on a generated archive
// (100 units, 5,000 key holders, events over two years), each figure beside
// the same work done directly through the sqlite3 C API on the same files.
//
//   events_bench [rows] [dir]
//   events_bench --generate DIR ROWS   (only makes such a site in DIR, to try
//                                       the browser or the commands on)
//
// Runs at rows/10 and at rows (default 1,000,000), in a scratch folder
// inside `dir` (default: the system's temporary folder) removed at the end.
// The browser is opened in a child process of its own (offscreen), so that
// its peak resident memory is the browser's alone.
#include "ProcessMemory.h"
#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "cli/Commands.h"
#include "events/ui/TEVEDB.h"
#include "platform/Clock.h"
#include "platform/ConsoleMessages.h"
#include "platform/FileChooser.h"
#include "tables/CzechCollation.h"
#include "tables/Table.h"
#include "tables/Transaction.h"
#include "timecal/DayMonth.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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

[[noreturn]] void die(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "events_bench: %s %s\n", what, qPrintable(detail));
    std::exit(1);
}

// The processor time of this process, in ms: on a machine shared with
// other work it says what the wall clock cannot.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000 + double(t.tv_nsec) / 1e6;
}

struct Figures
{
    double wall = 1e30;
    double cpu = 1e30;
};

void row(const char *operation, const Figures &engine, const Figures &raw)
{
    std::printf("%-40s %10.1f %10.1f %7.2f %10.1f %10.1f\n", operation, engine.wall, raw.wall,
                raw.wall > 0 ? engine.wall / raw.wall : 0.0, engine.cpu, raw.cpu);
    std::fflush(stdout);
}

void header()
{
    std::printf("%-40s %10s %10s %7s %10s %10s\n", "operation (best of runs)", "vardex ms",
                "raw ms", "ratio", "vardex cpu", "raw cpu");
}

// Best of `reps` alternating runs of both sides, wall clock and processor
// time (for a command run in this process the processor time is its own).
std::pair<Figures, Figures> compare(int reps, const std::function<void()> &engine,
                                    const std::function<void()> &raw)
{
    Figures e, r;
    const auto measure = [](const std::function<void()> &work, Figures &best) {
        const double cpu = cpuMs();
        const Clock::time_point start = Clock::now();
        work();
        best.wall = std::min(best.wall, msSince(start));
        best.cpu = std::min(best.cpu, cpuMs() - cpu);
    };
    for (int i = 0; i < reps; ++i) {
        measure(engine, e);
        measure(raw, r);
    }
    return {e, r};
}

constexpr int kUnits = 100;
constexpr int kKeys = 5000;
const QDate kFirstDay(2025, 1, 1);
const QDate kLastDay(2026, 12, 31);

QString unitAddress(int i)
{
    return QStringLiteral("%1").arg(i + 1, 2, 16, QLatin1Char('0')).toUpper();
}
QString keyNumber(int i)
{
    return QStringLiteral("01%1").arg(i * 7919 + 4096, 12, 16, QLatin1Char('0')).toUpper();
}

// --- the raw side

class Raw
{
public:
    explicit Raw(const QString &dir)
    {
        const QByteArray events = (dir + QStringLiteral("/EVENTS.DB")).toUtf8();
        if (sqlite3_open_v2(events.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) !=
                SQLITE_OK ||
            !vardex::registerCzechCollations(m_db))
            die("raw open failed", dir);
        exec("PRAGMA journal_mode=WAL");
        exec(("ATTACH '" + dir.toStdString() + "/WKVRUNI.DB' AS uni").c_str());
        exec(("ATTACH '" + dir.toStdString() + "/WKVRKEY.DB' AS keys").c_str());
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
    sqlite3_stmt *prepare(const std::string &sql)
    {
        sqlite3_stmt *s = nullptr;
        if (sqlite3_prepare_v3(m_db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) !=
            SQLITE_OK)
            die("raw prepare failed", QString::fromUtf8(sqlite3_errmsg(m_db)));
        m_statements.push_back(s);
        return s;
    }
    static void bind(sqlite3_stmt *s, int i, const std::string &text)
    {
        sqlite3_bind_text(s, i, text.data(), int(text.size()), SQLITE_TRANSIENT);
    }
    static std::string text(sqlite3_stmt *s, int c)
    {
        const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(s, c));
        return t ? std::string(t, size_t(sqlite3_column_bytes(s, c))) : std::string();
    }
    static qint64 scalar(sqlite3_stmt *s)
    {
        const qint64 v = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
        sqlite3_reset(s);
        return v;
    }
    sqlite3 *db() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
    std::vector<sqlite3_stmt *> m_statements;
};

// The columns every listing needs: the event with its unit's name, object
// names and result texts and its holder's name, joined through the indexes.
std::string listingSelect(const std::string &where)
{
    std::string objects;
    for (int i = 0; i < vardex::UnitSensorCount; ++i)
        objects += ", u." + vardex::unitSensorField(i).toStdString();
    for (int i = 0; i < vardex::UnitResultCount; ++i)
        objects += ", u." + vardex::unitResultField(i).toStdString();
    return "SELECT e.DATUM, e.CAS, e.ORI, e.CTM, e.RES, u.NAZEV, k.JMENO" + objects +
           " FROM EVENTS e"
           " LEFT JOIN uni.WKVRUNI u ON u.ADRESA = e.AHWJ COLLATE CZ"
           " LEFT JOIN keys.WKVRKEY k ON k.CTM = e.CTM COLLATE CZ" +
           where + " ORDER BY e.rowid";
}

// The browser's printed line, made from one row of listingSelect().
void rawListingLine(sqlite3_stmt *s, std::string &line)
{
    const std::string date = Raw::text(s, 0), time = Raw::text(s, 1), ctm = Raw::text(s, 3),
                      res = Raw::text(s, 4);
    const bool unit = sqlite3_column_type(s, 5) != SQLITE_NULL;
    const int code = int(std::strtol(res.c_str(), nullptr, 16));
    line.clear();
    line += date.substr(8, 2) + '.' + date.substr(5, 2) + '.' + date.substr(0, 4) + ' ' +
            time.substr(0, 5) + ' ' + (sqlite3_column_int(s, 2) ? ' ' : '#');
    line += unit ? Raw::text(s, 5) : std::string("# Neznámá #");
    line += ' ';
    if (ctm != "00000000000000")
        line += sqlite3_column_type(s, 6) != SQLITE_NULL ? Raw::text(s, 6) : '#' + ctm;
    line += ' ';
    if (unit) {
        line += Raw::text(s, 7 + (code & 0x0F)) + ", ";
        if (code & 0x08) {
            const int state = code >> 4;
            line += state == 0 ? "klidový stav" : state == 3 ? "AKTIVOVÁNO" : res.substr(0, 1);
        } else {
            line += Raw::text(s, 7 + vardex::UnitSensorCount + ((code >> 4) & 3));
        }
    }
    line += "\r\n";
}

// Runs a listing query and writes its lines to `path`; the number of lines.
qint64 rawListing(Raw &raw, const std::string &where, const std::vector<std::string> &params,
                  const QString &path)
{
    sqlite3_stmt *s = raw.prepare(listingSelect(where));
    for (size_t i = 0; i < params.size(); ++i)
        Raw::bind(s, int(i + 1), params[i]);
    std::FILE *out = std::fopen(path.toUtf8().constData(), "wb");
    qint64 n = 0;
    std::string line;
    while (sqlite3_step(s) == SQLITE_ROW) {
        rawListingLine(s, line);
        std::fwrite(line.data(), 1, line.size(), out);
        ++n;
    }
    std::fclose(out);
    return n;
}

// --- the site

class NoFiles final : public vardex::FileChooser
{
public:
    std::optional<QString> chooseOpen(const vardex::FileRequest &) override { return {}; }
    std::optional<QString> chooseSave(const vardex::FileRequest &) override { return {}; }
};

void generate(const QString &dir, qint64 rows)
{
    vardex::ConsoleMessages messages(stderr);
    vardex::SystemClock clock;
    {
        vardex::TDB0DM db(dir, messages, clock);
        QString error;
        if (!db.OpenMinimalDatabases(&error))
            die("cannot create the tables", error);
        for (int u = 0; u < kUnits; ++u) {
            if (!db.tbUniDefaultByType(quint8(u % 2 ? 1 : 2)))
                die("unit", db.tbUni.errorMessage());
            db.tbUni.edit();
            db.tbUni.setString(QStringLiteral("ADRESA"), unitAddress(u));
            db.tbUni.setString(QStringLiteral("NAZEV"), QStringLiteral("Jednotka %1").arg(u + 1));
            if (!db.tbUni.post())
                die("unit", db.tbUni.errorMessage());
        }
        vardex::Transaction tx(db.tbKey);
        for (int k = 0; k < kKeys; ++k) {
            vardex::Table &t = db.tbKey;
            t.append();
            t.setString(QStringLiteral("CTM"), keyNumber(k));
            t.setString(QStringLiteral("JMENO"), QStringLiteral("Držitel č. %1").arg(k + 1));
            t.setString(QStringLiteral("OSCIS"), QString::number(k + 1));
            if (!t.post())
                die("key", t.errorMessage());
        }
        if (!tx.commit())
            die("keys", db.tbKey.errorMessage());
    }
    const Clock::time_point start = Clock::now();
    Raw raw(dir);
    raw.exec("BEGIN IMMEDIATE");
    sqlite3_stmt *insert = raw.prepare(
        "INSERT INTO EVENTS (DATUM, CAS, AHWJ, CTM, RES, ORI) VALUES (?, ?, ?, ?, ?, ?)");
    std::mt19937 rng(20261206);
    const int days = int(kFirstDay.daysTo(kLastDay)) + 1;
    std::vector<std::string> units, keys;
    for (int u = 0; u < kUnits; ++u)
        units.push_back(unitAddress(u).toStdString());
    for (int k = 0; k < kKeys; ++k)
        keys.push_back(keyNumber(k).toStdString());
    const char *const readerCodes[] = {"00", "01", "10", "11", "20", "31"};
    const char *const inputCodes[] = {"08", "38", "09", "39"};
    char date[16], time[16];
    for (qint64 i = 0; i < rows; ++i) {
        const QDate d = kFirstDay.addDays(i * days / rows);
        const int seconds = int(rng() % 86400) / 60 * 60;
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", d.year(), d.month(), d.day());
        std::snprintf(time, sizeof time, "%02d:%02d:00", seconds / 3600, seconds / 60 % 60);
        const unsigned kind = rng() % 100;
        const bool input = kind < 5;
        const std::string key = input       ? "00000000000000"
                                : kind < 10 ? "02" + keys[rng() % kKeys].substr(2) // not a holder's
                                            : keys[rng() % kKeys];
        sqlite3_bind_text(insert, 1, date, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, time, -1, SQLITE_TRANSIENT);
        Raw::bind(insert, 3, kind == 99 ? "F0" : units[rng() % kUnits]);
        Raw::bind(insert, 4, key);
        Raw::bind(insert, 5, input ? inputCodes[rng() % 4] : readerCodes[rng() % 6]);
        sqlite3_bind_int(insert, 6, rng() % 50 ? 1 : 0);
        if (sqlite3_step(insert) != SQLITE_DONE)
            die("raw insert failed", QString::fromUtf8(sqlite3_errmsg(raw.db())));
        sqlite3_reset(insert);
    }
    raw.exec("COMMIT");
    std::fprintf(stderr, "  generated %lld events in %.0f ms\n", static_cast<long long>(rows),
                 msSince(start));
}

// --- the browser, in a process of its own

// The first page as the grid shows it: the raw side counts, reads the first
// rows of the order and looks their names up.
void rawFirstPage(Raw &raw, const std::string &where, const std::vector<std::string> &params)
{
    sqlite3_stmt *count = raw.prepare("SELECT count(*) FROM EVENTS e" + where);
    sqlite3_stmt *page = raw.prepare(listingSelect(where) + " LIMIT 40");
    for (size_t i = 0; i < params.size(); ++i)
        Raw::bind(count, int(i + 1), params[i]), Raw::bind(page, int(i + 1), params[i]);
    if (Raw::scalar(count) < 0)
        die("raw count failed");
    std::string line;
    while (sqlite3_step(page) == SQLITE_ROW)
        rawListingLine(page, line);
    sqlite3_reset(page);
}

int browserProcess(int argc, char **argv, const QString &dir)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vardex::ConsoleMessages messages(stderr);
    vardex::SystemClock clock;
    NoFiles files;
    vardex::TDB0DM db(dir, messages, clock);
    QString error;
    if (!db.OpenMinimalDatabases(&error))
        die("open", error);
    std::unique_ptr<vardex::TEVEDB> window;
    auto open = [&] {
        window.reset();
        window = std::make_unique<vardex::TEVEDB>(db, dir + QStringLiteral("/"), files);
        window->show();
        QApplication::processEvents();
        if (!window->counter()->text().endsWith(QStringLiteral(" záznamů")))
            die("no counter", window->counter()->text());
    };
    Raw raw(dir);
    const auto opened = compare(5, open, [&] { rawFirstPage(raw, "", {}); });
    row("open browser: first page and counter", opened.first, opened.second);

    // A one-month date part, a different month each time.
    int month = 0;
    db.showDateDialog = [&month](const vardex::DatePeriodRequest &) {
        const QDate first(2025 + month / 12, month % 12 + 1, 1);
        return std::optional(vardex::DatePeriod{first, first.addMonths(1).addDays(-1)});
    };
    window->toggle(vardex::FilterPart::Date)->setChecked(true);
    const auto recombined = compare(
        12,
        [&] {
            ++month;
            window->chooseCriterion(0);
            QApplication::processEvents();
        },
        [&] {
            const QDate first(2025 + month / 12, month % 12 + 1, 1);
            rawFirstPage(raw, " WHERE e.DATUM >= ? AND e.DATUM <= ?",
                         {first.toString(Qt::ISODate).toStdString(),
                          first.addMonths(1).addDays(-1).toString(Qt::ISODate).toStdString()});
        });
    row("recombine with a one-month date part", recombined.first, recombined.second);
    std::printf("  counter after the last recombination: %s\n",
                qPrintable(window->counter()->text()));
    window.reset();
    std::printf("peak RSS of the browser process (VmHWM): %ld kB\n", processStatusKb("VmHWM"));
    return 0;
}

// --- the listings on the command line

struct DevNull
{
    std::FILE *file = std::fopen("/dev/null", "w");
    ~DevNull() { std::fclose(file); }
};

double runCli(const QString &dir, const QStringList &args)
{
    DevNull out;
    const Clock::time_point start = Clock::now();
    const int status =
        vardex::runCommand(vardex::parseGlobalOptions(QStringList{QStringLiteral("vardex")} + args),
                           dir, dir + QStringLiteral("/"), out.file, stderr);
    const double ms = msSince(start);
    if (status != 0)
        die("command failed", args.join(QLatin1Char(' ')));
    return ms;
}

void listings(const QString &dir, qint64 rows)
{
    Raw raw(dir);
    const QString rawOut = dir + QStringLiteral("/raw.txt");
    const int reps = rows > 500000 ? 2 : 3;
    const QStringList month = {QStringLiteral("--from"), QStringLiteral("01.03.2026"),
                               QStringLiteral("--to"), QStringLiteral("31.03.2026")};
    qint64 rawLines = 0;
    auto t = compare(
        reps,
        [&] {
            runCli(dir, QStringList{QStringLiteral("events"), QStringLiteral("print")} + month);
        },
        [&] {
            rawLines = rawListing(raw, " WHERE e.DATUM >= ? AND e.DATUM <= ?",
                                  {"2026-03-01", "2026-03-31"}, rawOut);
        });
    row(qPrintable(QStringLiteral("events print, one month (%1)").arg(rawLines)), t.first,
        t.second);
    t = compare(
        reps,
        [&] {
            runCli(dir, {QStringLiteral("events"), QStringLiteral("print")});
        },
        [&] { rawLines = rawListing(raw, "", {}, rawOut); });
    row(qPrintable(QStringLiteral("events print, whole archive (%1)").arg(rawLines)), t.first,
        t.second);
    t = compare(
        reps, [&] { runCli(dir, {QStringLiteral("events")}); },
        [&] { rawLines = rawListing(raw, "", {}, rawOut); });
    row("events (event lines), whole archive", t.first, t.second);
    t = compare(
        reps,
        [&] {
            runCli(dir, QStringList{QStringLiteral("events"), QStringLiteral("count")} + month);
        },
        [&] {
            sqlite3_stmt *s =
                raw.prepare("SELECT count(*) FROM EVENTS WHERE DATUM >= ? AND DATUM <= ?");
            Raw::bind(s, 1, "2026-03-01");
            Raw::bind(s, 2, "2026-03-31");
            Raw::scalar(s);
        });
    row("events count, one month", t.first, t.second);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::string(argv[1]) == "--browser")
        return browserProcess(argc, argv, QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--generate")) {
        QDir().mkpath(args[2]);
        generate(args[2], args[3].toLongLong());
        return 0;
    }
    bool ok = true;
    const qint64 rows = args.size() > 1 ? args[1].toLongLong(&ok) : 1000000;
    if (!ok || rows < 1000) {
        std::fprintf(stderr, "usage: events_bench [rows >= 1000] [dir]\n");
        return 2;
    }
    QTemporaryDir scratch((args.size() > 2 ? args[2] : QDir::tempPath()) +
                          QStringLiteral("/events_bench-XXXXXX"));
    if (!scratch.isValid())
        die("cannot create a scratch folder");
    std::printf("events_bench: SQLite %s, files in %s\n", sqlite3_libversion(),
                qPrintable(scratch.path()));
    for (qint64 n : {rows / 10, rows}) {
        const QString dir = scratch.path() + QStringLiteral("/%1").arg(n);
        QDir().mkpath(dir);
        std::fprintf(stderr, "phase %lld events\n", static_cast<long long>(n));
        generate(dir, n);
        std::printf("\n%lld events\n", static_cast<long long>(n));
        header();
        std::fflush(stdout);
        QProcess browser;
        browser.setProcessChannelMode(QProcess::ForwardedChannels);
        browser.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--browser"), dir});
        if (!browser.waitForFinished(-1) || browser.exitCode() != 0)
            die("the browser process failed");
        listings(dir, n);
        QDir(dir).removeRecursively();
    }
    return 0;
}
