#include "accessdata/TDB0DM.h"
#include "cli/Commands.h"
#include "cli/GlobalOptions.h"
#include "platform/Clock.h"
#include "support/DamagedTable.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "tables/Transaction.h"

#include "CliRun.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::CmdResult;
using vardex::testing::damageMiddlePages;
using vardex::testing::runVardex;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

CmdResult run(const QStringList &args, const QString &dir)
{
    return runVardex(args, dir);
}

// A site with unit 05 and four events stored out of date order.
void fillSite(const QString &dir)
{
    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db(dir, messages, clock);
    ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
    ASSERT_TRUE(db.tbUniDefaultByType(1));
    db.tbUni.edit();
    db.tbUni.setString(QStringLiteral("ADRESA"), QStringLiteral("05"));
    db.tbUni.setString(QStringLiteral("NAZEV"), QStringLiteral("Vrátnice"));
    ASSERT_TRUE(db.tbUni.post());
    struct E
    {
        QDate date;
        const char *res;
    };
    for (const E &e : {E{QDate(2026, 12, 2), "10"}, E{QDate(2026, 11, 30), "00"},
                       E{QDate(2026, 12, 1), "38"}, E{QDate(2026, 12, 3), "01"}}) {
        Table &t = db.tbEvents;
        ASSERT_TRUE(t.append());
        t.setDate(QStringLiteral("DATUM"), e.date);
        t.setTime(QStringLiteral("CAS"), QTime(7, 30));
        t.setString(QStringLiteral("AHWJ"), QStringLiteral("05"));
        t.setString(QStringLiteral("CTM"), QStringLiteral("00000000000000"));
        t.setString(QStringLiteral("RES"), QLatin1String(e.res));
        t.setBool(QStringLiteral("ORI"), true);
        ASSERT_TRUE(t.post());
    }
}

const QString kLine1 = QStringLiteral("02.12.2026 07:30  Vrátnice,Dveře 0 / příchod,01");
const QString kLine2 = QStringLiteral("30.11.2026 07:30  Vrátnice,Dveře 0 / příchod,klidový stav");
const QString kLine3 = QStringLiteral("01.12.2026 07:30  Vrátnice,Dveře 0,AKTIVOVÁNO");
const QString kLine4 = QStringLiteral("03.12.2026 07:30  Vrátnice,Dveře 0 / odchod,klidový stav");

} // namespace

TEST(EventsCommand, ListsEveryEventInTheOrderStoredOrThoseOfAFilter)
{
    TempDir dir;
    fillSite(dir.path());
    struct Case
    {
        QStringList args;
        int status;
        QStringList lines;
        QString err;
    };
    const Case cases[] = {
        {{QStringLiteral("events")}, 0, {kLine1, kLine2, kLine3, kLine4}, {}},
        {{QStringLiteral("events"), QStringLiteral("--filter"),
          QStringLiteral("DATUM>='01.12.2026' AND RES<>'38'")},
         0,
         {kLine1, kLine4},
         {}},
        {{QStringLiteral("events"), QStringLiteral("--filter"), QStringLiteral("NIC='1'")},
         2,
         {},
         QStringLiteral("vardex events: ")},
        {{QStringLiteral("events"), QStringLiteral("--filter")}, 2, {}, QStringLiteral("nečekané")},
        // Well formed, but nested deeper than the engine runs.
        {{QStringLiteral("events"), QStringLiteral("--filter"),
          QStringList(1000, QStringLiteral("RES='10'")).join(QStringLiteral(" AND "))},
         2,
         {},
         QStringLiteral("Filtr nelze provést: ")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CmdResult r = run(c.args, dir.path());
        EXPECT_EQ(r.status, c.status) << r.err.toStdString();
        EXPECT_EQ(r.out.split(u'\n', Qt::SkipEmptyParts), c.lines);
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
    }
}

TEST(EventsCommand, EraseRemovesTheEventsUpToAndIncludingTheDay)
{
    TempDir dir;
    fillSite(dir.path());
    const CmdResult bad = run({QStringLiteral("events"), QStringLiteral("erase"),
                               QStringLiteral("--to"), QStringLiteral("31.11.2026")},
                              dir.path());
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.out.isEmpty());

    const CmdResult r = run({QStringLiteral("events"), QStringLiteral("erase"),
                             QStringLiteral("--to"), QStringLiteral("02.12.2026")},
                            dir.path());
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Vymazáno událostí: 3\n"));
    EXPECT_EQ(run({QStringLiteral("events")}, dir.path()).out, kLine4 + QLatin1Char('\n'));
}

TEST(EventsCommand, ADamagedTableFailsEveryCommandThatReadsItAndPrintsNoPart)
{
    TempDir dir;
    fillSite(dir.path());
    {
        // Enough events and key holders to span many pages.
        ScriptedMessages messages;
        FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
        TDB0DM db(dir.path(), messages, clock);
        ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
        Transaction events(db.tbEvents), keys(db.tbKey);
        for (int i = 0; i < 3000; ++i) {
            ASSERT_TRUE(db.tbEvents.append());
            db.tbEvents.setDate(QStringLiteral("DATUM"), QDate(2026, 11, 1).addDays(i % 30));
            db.tbEvents.setTime(QStringLiteral("CAS"), QTime(7, 30));
            db.tbEvents.setString(QStringLiteral("AHWJ"), QStringLiteral("05"));
            db.tbEvents.setString(QStringLiteral("CTM"), QStringLiteral("00000000000000"));
            db.tbEvents.setString(QStringLiteral("RES"), QStringLiteral("10"));
            db.tbEvents.setBool(QStringLiteral("ORI"), true);
            ASSERT_TRUE(db.tbEvents.post());
        }
        for (int i = 1; i <= 600; ++i) {
            ASSERT_TRUE(db.tbKey.append());
            db.tbKey.setString(QStringLiteral("CTM"),
                               QStringLiteral("01%1").arg(i, 12, 16, QLatin1Char('0')));
            db.tbKey.setString(QStringLiteral("JMENO"), QStringLiteral("Držitel %1").arg(i));
            db.tbKey.setString(QStringLiteral("OSCIS"), QString::number(i));
            ASSERT_TRUE(db.tbKey.post()) << db.tbKey.errorMessage().toStdString();
        }
        ASSERT_TRUE(events.commit());
        ASSERT_TRUE(keys.commit());
    }
    ASSERT_GT(damageMiddlePages(dir.file(QStringLiteral("EVENTS.DB"))), 0);
    ASSERT_GT(damageMiddlePages(dir.file(QStringLiteral("WKVRKEY.DB"))), 0);

    const QString backup = dir.file(QStringLiteral("KLICE.SDF"));
    const struct
    {
        QStringList args;
        const char *file;
    } cases[] = {
        {{QStringLiteral("events")}, "EVENTS.DB"},
        {{QStringLiteral("keys")}, "WKVRKEY.DB"},
        {{QStringLiteral("keys"), QStringLiteral("export"), backup}, "WKVRKEY.DB"},
        {{QStringLiteral("status")}, "EVENTS.DB"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CmdResult r = run(c.args, dir.path());
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.left(200).toStdString();
        EXPECT_TRUE(
            r.err.contains(QStringLiteral("Tabulka %1 je poškozená: ").arg(QLatin1String(c.file))))
            << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(backup));
    EXPECT_EQ(run({QStringLiteral("units")}, dir.path()).status, 0); // a whole table still lists
}
