#include "CliRun.h"
#include "events/ReportFile.h"
#include "support/DamagedTable.h"
#include "tables/Transaction.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vardex;
using namespace Qt::StringLiterals;
using vardex::testing::addEvent;
using vardex::testing::CmdResult;
using vardex::testing::runVardex;
using vardex::testing::SiteTables;
using vardex::testing::TempDir;

namespace {

// A site with unit 05 and four events stored out of date order.
void fillSite(const QString &dir)
{
    SiteTables site(dir);
    Table &u = site.db.tbUni;
    ASSERT_TRUE(site.db.tbUniDefaultByType(1));
    u.edit();
    u.setString(u"ADRESA"_s, u"05"_s);
    u.setString(u"NAZEV"_s, u"Vrátnice"_s);
    ASSERT_TRUE(u.post());
    for (const QString &e :
         {u"2026-12-02 10"_s, u"2026-11-30 00"_s, u"2026-12-01 38"_s, u"2026-12-03 01"_s})
        addEvent(site.db.tbEvents, QDate::fromString(e.left(10), Qt::ISODate), e.mid(11));
}

const QString kLine1 = u"02.12.2026 07:30  Vrátnice,Dveře 0 / příchod,01"_s;
const QString kLine2 = u"30.11.2026 07:30  Vrátnice,Dveře 0 / příchod,klidový stav"_s;
const QString kLine3 = u"01.12.2026 07:30  Vrátnice,Dveře 0,AKTIVOVÁNO"_s;
const QString kLine4 = u"03.12.2026 07:30  Vrátnice,Dveře 0 / odchod,klidový stav"_s;

} // namespace

// Listing, filtering and erasing up to and including a day, in turn.
TEST(EventsCommand, ListsEveryEventOrThoseOfAFilterAndErasesUpToADay)
{
    TempDir dir;
    fillSite(dir.path());
    // Arguments after "events", status, lines, a part of standard error.
    const std::tuple<QStringList, int, QStringList, QString> cases[] = {
        {{}, 0, {kLine1, kLine2, kLine3, kLine4}, {}},
        {{u"--filter"_s, u"DATUM>='01.12.2026' AND RES<>'38'"_s}, 0, {kLine1, kLine4}, {}},
        {{u"--filter"_s, u"NIC='1'"_s}, 2, {}, u"vardex events: "_s},
        {{u"erase"_s, u"--to"_s, u"02.12.2026"_s}, 0, {u"Vymazáno událostí: 3"_s}, {}},
        {{}, 0, {kLine4}, {}},
    };
    for (const auto &[args, status, lines, err] : cases) {
        SCOPED_TRACE(args.join(u' ').left(80).toStdString());
        const CmdResult r = runVardex(QStringList{u"events"_s} + args, dir.path());
        EXPECT_EQ(r.status, status) << r.err.toStdString();
        EXPECT_EQ(r.lines(), lines);
        EXPECT_TRUE(r.err.contains(err)) << r.err.toStdString();
    }
}

TEST(EventsCommand, ADamagedTableFailsEveryCommandThatReadsItAndPrintsNoPart)
{
    TempDir dir;
    {
        // Enough events and key holders to span many pages.
        SiteTables site(dir.path());
        Table &k = site.db.tbKey;
        Transaction events(site.db.tbEvents), keys(k);
        for (int i = 0; i < 3000; ++i)
            addEvent(site.db.tbEvents, QDate(2026, 11, 1).addDays(i % 30), u"10"_s);
        for (int i = 1; i <= 600; ++i) {
            ASSERT_TRUE(k.append());
            k.setString(u"CTM"_s, u"01%1"_s.arg(i, 12, 16, QLatin1Char('0')));
            k.setString(u"JMENO"_s, u"Držitel %1"_s.arg(i));
            k.setString(u"OSCIS"_s, QString::number(i));
            ASSERT_TRUE(k.post()) << k.errorMessage().toStdString();
        }
        ASSERT_TRUE(events.commit() && keys.commit());
    }
    ASSERT_GT(vardex::testing::damageMiddlePages(dir.file(u"EVENTS.DB"_s)), 0);
    ASSERT_GT(vardex::testing::damageMiddlePages(dir.file(u"WKVRKEY.DB"_s)), 0);

    const QString backup = dir.file(u"KLICE.SDF"_s);
    const std::pair<QStringList, QString> cases[] = {
        {{u"events"_s}, u"EVENTS.DB"_s},
        {{u"keys"_s}, u"WKVRKEY.DB"_s},
        {{u"keys"_s, u"export"_s, backup}, u"WKVRKEY.DB"_s},
        {{u"status"_s}, u"EVENTS.DB"_s},
    };
    for (const auto &[args, file] : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CmdResult r = runVardex(args, dir.path());
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.left(200).toStdString();
        EXPECT_TRUE(r.err.contains(u"Tabulka %1 je poškozená: "_s.arg(file)))
            << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(backup));
    EXPECT_EQ(runVardex({u"units"_s}, dir.path()).status, 0); // a whole table still lists
}

// The selection of print and count combines the parts as the browser does.
TEST(EventsCommand, CountsAndPrintsTheSelectionOfThePartsOrOfAFilter)
{
    TempDir dir;
    fillSite(dir.path());
    const std::tuple<QStringList, int, QString> cases[] = {
        {{}, 0, u"4"_s},
        {{u"--from"_s, u"01.12.2026"_s}, 0, u"1"_s},
        {{u"--from"_s, u"01.11.2026"_s, u"--to"_s, u"31.12.2026"_s}, 0, u"4"_s},
        {{u"--result"_s, u"ilegalni"_s, u"--places"_s, u"TM0"_s}, 0, u"1"_s},
        {{u"--result"_s, u"nezavřeno,povoleno"_s, u"--places"_s, u"in0,TM1"_s}, 0, u"2"_s},
        {{u"--unit"_s, u"05"_s, u"--time"_s, u"07:00-07:30"_s}, 0, u"4"_s},
        {{u"--key"_s, u"01000000000AB1"_s, u"--from"_s, u"01.12.2026"_s}, 0, u"0"_s},
        {{u"--filter"_s, u"RES='38'"_s}, 0, u"1"_s},
        {{u"--to"_s, u"01.12.2026"_s}, 2, {}},
        {{u"--result"_s, u"povoleno"_s}, 2, {}},
        {{u"--filter"_s, u"RES='38'"_s, u"--unit"_s, u"05"_s}, 2, {}},
        {{u"--from"_s, u"02.12.2026"_s, u"--to"_s, u"01.12.2026"_s}, 2, {}},
    };
    for (const auto &[args, status, out] : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CmdResult r = runVardex(QStringList{u"events"_s, u"count"_s} + args, dir.path());
        EXPECT_EQ(r.status, status) << r.err.toStdString();
        EXPECT_EQ(r.out.trimmed(), out);
    }

    const CmdResult r = runVardex({u"events"_s, u"print"_s, u"--from"_s, u"01.12.2026"_s, u"--to"_s,
                                   u"31.12.2026"_s, u"--sort"_s, u"datindex"_s},
                                  dir.path());
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = {u"01.12.2026 07:30  Vrátnice  Dveře 0, AKTIVOVÁNO"_s,
                               u"02.12.2026 07:30  Vrátnice  Dveře 0 / příchod, ^ilegální     "_s,
                               u"03.12.2026 07:30  Vrátnice  Dveře 0 / odchod, povoleno      "_s,
                               QString()};
    EXPECT_EQ(r.out, lines.join(u'\n') + u'\n');
    EXPECT_EQ(readReportFile(dir.file(u"VYSTUP/"_s)).valueOr({}), lines);
    EXPECT_EQ(
        runVardex({u"events"_s, u"print"_s, u"--key"_s, u"01000000000AB1"_s}, dir.path()).status,
        1);
}

// Export, import with --replace into an empty site, export again: the same
// file. A bad line changes nothing with --replace; without it the events
// before it stay.
TEST(EventsCommand, ExportsAndImportsTheArchiveWholeOrNotAtAll)
{
    TempDir first, second;
    fillSite(first.path());
    ASSERT_EQ(runVardex({u"events"_s, u"export"_s}, first.path()).status, 0);
    const QString exported = first.file(u"UTIL_EVE.TXT"_s);
    QFile file(exported);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("DATUM=02.12.2026\r\nCAS=07:30:00\r\nAHWJ=05\r\n"));

    // The bad line follows the second event.
    const qsizetype cut = bytes.indexOf("#\r\n", bytes.indexOf("#\r\n") + 1) + 3;
    const QString bad = second.file(u"bad.txt"_s);
    QFile badFile(bad);
    ASSERT_TRUE(badFile.open(QIODevice::WriteOnly));
    badFile.write(bytes.left(cut) + "DATUM 01.12.2026\r\n" + bytes.mid(cut));
    badFile.close();

    const QString again = second.file(u"again.txt"_s);
    const std::tuple<QStringList, int, QString, QString> steps[] = {
        {{u"import"_s, exported, u"--replace"_s}, 0, {}, u"4"_s},
        {{u"export"_s, again}, 0, {}, u"4"_s},
        {{u"import"_s, bad, u"--replace"_s}, 1, u"Chybná data: DATUM 01.12.2026"_s, u"4"_s},
        {{u"import"_s, bad}, 1, u"Chybná data: DATUM 01.12.2026"_s, u"6"_s},
        {{u"new"_s}, 1, u"Přerušeno!"_s, u"6"_s},
        {{u"new"_s, u"--yes"_s}, 0, {}, u"0"_s},
    };
    for (const auto &[args, status, err, count] : steps) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const CmdResult r = runVardex(QStringList{u"events"_s} + args, second.path());
        EXPECT_EQ(r.status, status) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(err)) << r.err.toStdString();
        EXPECT_EQ(runVardex({u"events"_s, u"count"_s}, second.path()).out.trimmed(), count);
    }
    QFile copy(again);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), bytes);
}
