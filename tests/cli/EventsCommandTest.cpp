#include "accessdata/TDB0DM.h"
#include "cli/Commands.h"
#include "cli/GlobalOptions.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include "CliRun.h"

#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::CmdResult;
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
