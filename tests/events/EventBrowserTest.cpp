#include "events/EventBrowser.h"
#include "EventTestSite.h"
#include "accessdata/AccessSchemas.h"
#include "events/FreeFilterList.h"
#include "timecal/DayMonth.h"
#include "timecal/HourMinute.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

namespace {

struct Browser : ::testing::Test, EventTestSite
{
    EventBrowser browser{db};
};

} // namespace

// Each step acts on the browser and leaves a filter and a count.
TEST_F(Browser, RecombinesThePartsAndLetsTheFreeFilterStandUntilTheNext)
{
    db.interval = {PackDayMonth(1, 12), 2026, PackDayMonth(31, 12), 2026, MakeHourMinute(7, 0),
                   MakeHourMinute(8, 0)};
    const QString date = "(DATUM>='01.12.2026' AND DATUM<='31.12.2026')";
    const QString dateTimeKey = date + " AND (CAS>='07:00' AND CAS<='08:00') AND "
                                       "(CTM='01000000000AB1')";
    const std::tuple<const char *, std::function<Result<void>()>, QString, qint64> steps[] = {
        {"no key chosen", [&] { return browser.takeCriterion(FilterPart::Key); }, "", 4},
        {"key toggle", [&] { return browser.setOn(FilterPart::Key, true); }, "", 4},
        // 02.01.2026 is not after 01.12.2026, whatever the text says.
        {"date",
         [&] {
             EXPECT_TRUE(browser.takeCriterion(FilterPart::Date));
             return browser.setOn(FilterPart::Date, true);
         },
         date, 3},
        {"time and key",
         [&] {
             db.chosenKey = EventTestSite::Known;
             EXPECT_TRUE(browser.takeCriterion(FilterPart::Key));
             EXPECT_TRUE(browser.takeCriterion(FilterPart::Time));
             return browser.setOn(FilterPart::Time, true);
         },
         dateTimeKey, 1},
        {"free filter", [&] { return browser.setFreeFilterOn(true, "RES='38'"); }, "RES='38'", 1},
        {"next recombination", [&] { return browser.setOn(FilterPart::Unit, true); }, dateTimeKey,
         1},
        {"all up",
         [&] {
             for (FilterPart p : {FilterPart::Date, FilterPart::Time, FilterPart::Key})
                 EXPECT_TRUE(browser.setOn(p, false));
             return browser.setOn(FilterPart::Unit, false);
         },
         "", 4},
    };
    for (const auto &[what, act, filter, count] : steps) {
        SCOPED_TRACE(what);
        EXPECT_TRUE(act());
        EXPECT_EQ(browser.appliedFilter(), filter);
        EXPECT_EQ(browser.count().valueOr(-1), count);
    }
    EXPECT_EQ(*browser.counterText(), "4 záznamů");
    // A free filter the language refuses leaves the table unfiltered.
    const Result<void> refused = browser.setFreeFilterOn(true, "DATUM>='01.13.2026'");
    EXPECT_EQ(refused.error(), "Chybné datum: 01.13.2026 (pozice 8)");
    EXPECT_EQ(browser.appliedFilter(), "");
    EXPECT_EQ(browser.count().valueOr(-1), 4);
}

TEST_F(Browser, SortsByTheIndexesAndSearchesSingleFieldOnes)
{
    QStringList captions;
    QList<bool> searchable;
    for (const SortEntry &e : sortEntries(eventsSchema()))
        captions << e.caption, searchable << e.singleField;
    EXPECT_EQ(captions,
              QStringList({" netřídit ", "Jednotka", "Klíč", "Čas", "Datum", "Klíč;Datum;Čas"}));
    EXPECT_EQ(searchable, QList<bool>({true, true, true, true, true, false}));

    ASSERT_TRUE(browser.sortBy(4)); // Datum
    EXPECT_TRUE(browser.search("02.12.2026"));
    EXPECT_EQ(browser.events().asString("CAS"), "12:30:00");
    EXPECT_EQ(browser.search("02.12.").error(),
              "Hledaný text není platná hodnota položky Datum: 02.12.");
    ASSERT_TRUE(browser.sortBy(5));
    EXPECT_FALSE(browser.searchEnabled());
}

TEST_F(Browser, ErasesUpToTheChosenDayWhenTheOperatorAgrees)
{
    db.showDateDialog = [](const DatePeriodRequest &) {
        return DatePeriod{QDate(2026, 12, 1), QDate(2026, 12, 1)};
    };
    messages.answer(Answer::No).answer(Answer::Yes);
    EXPECT_FALSE(browser.eraseUpToDay()->has_value());
    EXPECT_EQ(browser.eraseUpToDay()->value_or(-1), 2);
    EXPECT_EQ(messages.texts().value(1),
              "Budou smazány všechny události do data 01.12.2026\nSouhlasíte?");
    EXPECT_EQ(browser.count().valueOr(-1), 2);
}

TEST(FreeFilterList, KeepsDistinctTextsAndReadsBackWhatItWrote)
{
    TempDir dir;
    FreeFilterList list(dir.path());
    EXPECT_EQ(list.read().error(), "Seznam WKVRFLTR.TXT neexistuje!");
    for (const char *text : {"RES='38'", "", "AHWJ='05'", "RES='38'"})
        list.add(text);
    ASSERT_TRUE(list.write());
    FreeFilterList again(dir.path());
    ASSERT_TRUE(again.read());
    EXPECT_EQ(again.expressions(), QStringList({"RES='38'", "AHWJ='05'"}));
}
