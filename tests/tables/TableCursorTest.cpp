#include "TableTestData.h"
#include "support/DamagedTable.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

// The values of one field over the table, first to last (or last to first).
static QStringList walk(Table &t, const char *field, bool backward = false)
{
    QStringList out;
    const auto atEnd = [&] { return backward ? t.bof() : t.eof(); };
    for (backward ? t.last() : t.first(); !atEnd(); backward ? t.prior() : t.next())
        out << t.asString(field);
    return out;
}

class EventCursor : public EventTable
{
protected:
    void SetUp() override
    {
        EventTable::SetUp();
        // Many equal keys and dates, so that ties are broken by insertion.
        for (int i = 0; i < 100; ++i)
            ASSERT_TRUE(addEvent(t, QDate(2026, 3, 1 + i % 3), QTime(10, 0),
                                 QStringLiteral("%1").arg(i % 4, 2, 10, QChar('0')),
                                 i % 10 == 0 ? "00000000000000" : "01000000000AB1"));
    }
};

TEST_F(EventCursor, FilterCountsNavigatesKeepsOrDropsCurrentAndMatchesTextExactly)
{
    ASSERT_TRUE(t.setIndex("DatIndex"));
    ASSERT_TRUE(t.setFilterText("AHWJ = '02'"));
    EXPECT_EQ(t.recordCount(), 100); // text set, switch still off
    t.setFiltered(true);
    EXPECT_EQ(walk(t, "AHWJ"), QStringList(25, "02"));
    // Current record qualifies under the new filter: it stays.
    ASSERT_TRUE(t.last());
    const Bookmark kept = t.bookmark();
    ASSERT_TRUE(t.setFilterText("AHWJ = '02' OR AHWJ = '03'"));
    EXPECT_EQ(t.bookmark(), kept);
    EXPECT_EQ(t.recordCount(), 50);
    // It does not: the cursor goes to the first qualifying record.
    ASSERT_TRUE(t.setFilterText("AHWJ = '03'"));
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_EQ(t.asString("AHWJ"), "03");
    // Nothing qualifies.
    ASSERT_TRUE(t.setFilterText("AHWJ = '77'"));
    EXPECT_TRUE(t.isEmpty());
    EXPECT_TRUE(t.eof() && t.bof());
    EXPECT_FALSE(t.next());
    EXPECT_FALSE(t.last());
    // A malformed text, or one the engine cannot run (nested deeper than
    // it allows): false with the reason, the table unfiltered.
    EXPECT_FALSE(t.setFilterText("AHWJ = "));
    EXPECT_FALSE(t.filterError().isEmpty());
    EXPECT_EQ(t.recordCount(), 100);
    EXPECT_FALSE(t.setFilterText(QStringList(1000, "AHWJ = '02'").join(" AND ")));
    EXPECT_TRUE(t.filterError().startsWith(QString::fromUtf8("Filtr nelze provést: ")))
        << t.filterError().toStdString();
    EXPECT_EQ(t.recordCount(), 100);
    // CTM leads a case-insensitive index; the filter still compares exactly.
    const std::pair<const char *, qint64> cases[] = {{"CTM = '01000000000AB1'", 90},
                                                     {"CTM = '01000000000ab1'", 0},
                                                     {"CTM <> '01000000000ab1'", 100},
                                                     {"NOT CTM = '00000000000000'", 90},
                                                     {"AHWJ = '02' AND CTM = '00000000000000'", 5}};
    for (const auto &[filter, count] : cases) {
        SCOPED_TRACE(filter);
        ASSERT_TRUE(t.setFilterText(filter));
        EXPECT_EQ(t.recordCount(), count);
        EXPECT_EQ(walk(t, "IdEve").size(), count);
    }
}

// Dates compare as dates and times as times, not as the texts typed:
// 02.01.2026 is before 01.12.2026, 9:05 before 10:00.
TEST_F(EventTable, DatesAndTimesCompareByTheirValues)
{
    const std::pair<QDate, QTime> events[] = {
        {{2026, 1, 2}, {9, 5}}, {{2026, 12, 1}, {10, 0}}, {{2027, 1, 5}, {23, 59}}};
    for (const auto &[date, time] : events)
        ASSERT_TRUE(addEvent(t, date, time));
    const std::pair<const char *, QStringList> cases[] = {
        {"DATUM>='01.12.2026'", {"01.12.2026", "05.01.2027"}},
        {"DATUM<='1.12.2026' AND DATUM>'31.12.2025'", {"02.01.2026", "01.12.2026"}},
        {"CAS>='10:00'", {"01.12.2026", "05.01.2027"}},
        {"CAS<'9:30'", {"02.01.2026"}},
    };
    t.setFiltered(true);
    for (const auto &[filter, dates] : cases) {
        SCOPED_TRACE(filter);
        ASSERT_TRUE(t.setFilterText(filter)) << t.filterError().toStdString();
        EXPECT_EQ(walk(t, "DATUM"), dates);
    }
}

TEST_F(EventCursor, PostedOrDeletedRecordsKeepCountAndPosition)
{
    ASSERT_TRUE(t.setFilterText("AHWJ = '01'"));
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 25);
    ASSERT_TRUE(addEvent(t, QDate(2026, 3, 4), QTime(11, 0)));
    EXPECT_EQ(t.recordCount(), 26);
    // A record posted outside the filter is counted out and left.
    ASSERT_TRUE(t.first() && t.edit() && t.setString("AHWJ", "09") && t.post());
    EXPECT_EQ(t.recordCount(), 25);
    EXPECT_EQ(t.asString("AHWJ"), "01");
    // Deleting moves to the next record, at the end to the previous one.
    ASSERT_TRUE(t.first() && t.next());
    const Bookmark second = t.bookmark();
    ASSERT_TRUE(t.prior() && t.remove());
    EXPECT_EQ(t.bookmark(), second);
    ASSERT_TRUE(t.last() && t.remove());
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.recNo(), 23);
    EXPECT_EQ(t.recordCount(), 23);
    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 99);
    ASSERT_TRUE(t.empty());
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(t.recordCount(), 0);
}

TEST_F(EventCursor, CompositeIndexOrdersTiesByInsertionAndFindsKeys)
{
    ASSERT_TRUE(t.setIndex("IndexCTMDATUMCAS"));
    EXPECT_EQ(walk(t, "IdEve").mid(0, 4), QStringList({"1", "31", "61", "91"}));
    ASSERT_TRUE(t.findKey({"01000000000ab1", QDate(2026, 3, 2)})); // case-insensitive key
    EXPECT_EQ(t.asString("CTM"), "01000000000AB1");
    EXPECT_EQ(t.asDate("DATUM"), QDate(2026, 3, 2));
    const Bookmark at = t.bookmark();
    EXPECT_FALSE(t.findKey({"01000000000AB1", QDate(2026, 3, 9)}));
    EXPECT_EQ(t.bookmark(), at); // not found: stays
    ASSERT_TRUE(t.findNearest({"00000000000000", QDate(2026, 3, 4)}));
    EXPECT_EQ(t.asString("CTM"), "01000000000AB1");
    EXPECT_EQ(t.asDate("DATUM"), QDate(2026, 3, 1));
    EXPECT_EQ(t.recNo(), 11);
    t.findNearest({"FF"}); // past the end: the last record
    EXPECT_EQ(t.recNo(), 100);
}

TEST_F(KeyTable, NearestNameFollowsCzechOrder)
{
    const QStringList names = {"Čermák", "Czerny", "Hájek",   "Chalupa", "Cibulka", "Řezník",
                               "Rybář",  "Šimek",  "Svoboda", "Žák",     "Zeman",   "adam"};
    for (int i = 0; i < names.size(); ++i)
        ASSERT_TRUE(addHolder(t, QStringLiteral("K%1").arg(i), names[i]));
    ASSERT_TRUE(t.setIndex("JmenoIndex"));
    EXPECT_EQ(walk(t, "JMENO"),
              QStringList({"adam", "Cibulka", "Czerny", "Čermák", "Hájek", "Chalupa", "Rybář",
                           "Řezník", "Svoboda", "Šimek", "Zeman", "Žák"}));
    const std::pair<const char *, const char *> cases[] = {
        {"Cz", "Czerny"},  {"Czz", "Čermák"}, {"Č", "Čermák"}, {"H", "Hájek"},
        {"Hz", "Chalupa"}, {"ch", "Chalupa"}, {"ř", "Řezník"}, {"A", "adam"}};
    for (const auto &[search, found] : cases) {
        ASSERT_TRUE(t.findNearest({QString::fromUtf8(search)})) << search;
        EXPECT_EQ(t.asString("JMENO"), QString::fromUtf8(found)) << search;
    }
    // The same by field names: the index's collation is taken over.
    ASSERT_TRUE(t.setOrderFields("JMENO"));
    ASSERT_TRUE(t.findNearest({"ch"}));
    EXPECT_EQ(t.asString("JMENO"), "Chalupa");
}

TEST_F(KeyTable, EmptyFieldsSortFirstAndNavigate)
{
    ASSERT_TRUE(addHolder(t, "K1", "B"));
    ASSERT_TRUE(addHolder(t, "K2", "A", QStringLiteral("")));
    ASSERT_TRUE(addHolder(t, "K3", "C") && t.edit() && t.setString("OSCIS", "7") && t.post());
    ASSERT_TRUE(t.setOrderFields("OSCIS;JMENO"));
    EXPECT_EQ(walk(t, "JMENO"), QStringList({"A", "B", "C"}));
    EXPECT_EQ(walk(t, "JMENO", true), QStringList({"C", "B", "A"}));
    EXPECT_EQ((t.last(), t.recNo()), 3);
    ASSERT_TRUE(t.findKey({QVariant()}));
    EXPECT_EQ(t.asString("JMENO"), "A");
}

// Far more records than the cursor keeps around the current one.
class ManyEvents : public EventTable
{
protected:
    void SetUp() override
    {
        EventTable::SetUp();
        ASSERT_TRUE(t.beginTransaction());
        for (int i = 0; i < 1500; ++i)
            ASSERT_TRUE(addEvent(t, QDate(2026, 3, 1 + i % 28), QTime(i % 24, 0), "01",
                                 QStringLiteral("0100000000%1").arg(i % 7, 4, 10, QChar('0'))));
        ASSERT_TRUE(t.commit());
    }
};

TEST_F(ManyEvents, EveryOrderVisitsEachRecordOnceBothWays)
{
    for (const char *index : {"", "AhwjIndex", "DatIndex", "IndexCTMDATUMCAS"}) {
        SCOPED_TRACE(index);
        ASSERT_TRUE(t.setIndex(index));
        const QStringList forward = walk(t, "IdEve");
        QStringList backward = walk(t, "IdEve", true);
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(forward.size(), 1500);
        EXPECT_EQ(QSet<QString>(forward.begin(), forward.end()).size(), 1500);
        EXPECT_EQ(forward, backward);
        // recNo counts from either end and after a jump.
        EXPECT_EQ((t.last(), t.recNo()), 1500);
        ASSERT_TRUE(t.gotoBookmark(forward[200].toLongLong()));
        EXPECT_EQ(t.recNo(), 201);
    }
}

TEST_F(ManyEvents, ADamagedPageFailsTheReadInsteadOfEndingTheTable)
{
    t.close();
    ASSERT_GT(damageMiddlePages(dir.file("WKVREVE.DB")), 0);
    int told = 0;
    QObject::connect(&t, &Table::readError, [&told] { ++told; });
    ASSERT_TRUE(t.open()) << t.errorMessage().toStdString(); // the first pages are whole
    const QString damaged = QString::fromUtf8("Tabulka WKVREVE.DB je poškozená: ");
    for (const char *index : {"", "DatIndex"}) {
        SCOPED_TRACE(index);
        ASSERT_TRUE(t.setIndex(index));
        EXPECT_LT(walk(t, "IdEve").size(), 1500);
        EXPECT_TRUE(t.readFailed());
        EXPECT_TRUE(t.errorMessage().startsWith(damaged)) << t.errorMessage().toStdString();
        EXPECT_LT(walk(t, "IdEve", true).size(), 1500);
        EXPECT_TRUE(t.readFailed());
    }
    const Result<qint64> count = t.countRecords();
    ASSERT_FALSE(count);
    EXPECT_TRUE(count.error().startsWith(damaged));
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_TRUE(t.readFailed());
    EXPECT_GE(told, 5); // every failure above was signalled
    EXPECT_TRUE(t.first());
    EXPECT_FALSE(t.readFailed()); // a good read clears it
}
