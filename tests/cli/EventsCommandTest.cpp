#include "CliRun.h"
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
