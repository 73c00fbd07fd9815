#include "TableTestSchemas.h"
#include "support/DamagedTable.h"
#include "support/TempDir.h"
#include "tables/Table.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

namespace {

struct Event
{
    const char *date, *time, *unit, *key;
};

void addEvent(Table &t, const Event &e)
{
    ASSERT_TRUE(t.insert());
    t.setText("DATUM", e.date);
    t.setText("CAS", e.time);
    t.setString("AHWJ", e.unit);
    t.setString("CTM", e.key);
    t.setString("RES", "80");
    t.setBool("ORI", true);
    ASSERT_TRUE(t.post()) << t.errorMessage().toStdString();
}

// The values of one field from the current record to the end.
QStringList walk(Table &t, const char *field)
{
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.asString(field);
    return out;
}

QStringList walkBack(Table &t, const char *field)
{
    QStringList out;
    for (t.last(); !t.bof(); t.prior())
        out << t.asString(field);
    return out;
}

void addHolder(Table &t, const QString &ctm, const QString &name)
{
    ASSERT_TRUE(t.insert());
    t.setString("CTM", ctm);
    t.setString("JMENO", name);
    ASSERT_TRUE(t.post()) << t.errorMessage().toStdString();
}

} // namespace

class EventCursor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(t.open());
        // Many equal keys and dates, so that ties are broken by insertion.
        for (int i = 0; i < 100; ++i) {
            const QByteArray date = QStringLiteral("%1.03.2026").arg(1 + i % 3).toLatin1();
            const QByteArray unit = QStringLiteral("%1").arg(i % 4, 2, 10, QChar('0')).toLatin1();
            const QByteArray key = i % 10 == 0 ? "00000000000000" : "01000000000AB1";
            addEvent(t, {date.constData(), "10:00", unit.constData(), key.constData()});
        }
    }
    TempDir dir;
    Table t{eventSchema(), dir.path()};
};

TEST_F(EventCursor, EveryOrderVisitsEachRecordOnceBothWays)
{
    for (const char *index : {"", "AhwjIndex", "DatIndex", "IndexCTMDATUMCAS"}) {
        SCOPED_TRACE(index);
        ASSERT_TRUE(t.setIndex(index));
        const QStringList forward = walk(t, "IdEve");
        QStringList backward = walkBack(t, "IdEve");
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(forward.size(), 100);
        EXPECT_EQ(forward, backward);
        EXPECT_EQ(QSet<QString>(forward.begin(), forward.end()).size(), 100);
        // recNo counts from either end and after a jump.
        t.last();
        EXPECT_EQ(t.recNo(), 100);
        t.first();
        t.moveBy(41);
        const Bookmark b = t.bookmark();
        EXPECT_EQ(t.recNo(), 42);
        t.first();
        ASSERT_TRUE(t.gotoBookmark(b));
        EXPECT_EQ(t.recNo(), 42);
    }
    // The composite order: key, then date, ties in insertion order.
    ASSERT_TRUE(t.setIndex("IndexCTMDATUMCAS"));
    const QStringList ids = walk(t, "IdEve");
    EXPECT_EQ(ids.mid(0, 4), QStringList({"1", "31", "61", "91"}));
}

TEST_F(EventCursor, FilterCountsNavigatesAndKeepsOrDropsCurrent)
{
    ASSERT_TRUE(t.setIndex("DatIndex"));
    ASSERT_TRUE(t.setFilterText("AHWJ = '02'"));
    EXPECT_EQ(t.recordCount(), 100); // text set, switch still off
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 25);
    EXPECT_EQ(walk(t, "AHWJ"), QStringList(25, "02"));

    // Current record qualifies under the new filter: it stays.
    t.first();
    t.moveBy(5);
    const Bookmark kept = t.bookmark();
    ASSERT_TRUE(t.setFilterText("AHWJ = '02' OR AHWJ = '03'"));
    EXPECT_EQ(t.bookmark(), kept);
    EXPECT_EQ(t.recordCount(), 50);
    // It does not: the cursor goes to the first qualifying record.
    ASSERT_TRUE(t.setFilterText("AHWJ = '03'"));
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.asString("AHWJ"), "03");

    // Nothing qualifies.
    ASSERT_TRUE(t.setFilterText("AHWJ = '77'"));
    EXPECT_TRUE(t.isEmpty());
    EXPECT_TRUE(t.eof() && t.bof());
    EXPECT_EQ(t.recordCount(), 0);
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
}

TEST_F(EventCursor, PostedOrDeletedRecordsKeepCountAndPosition)
{
    ASSERT_TRUE(t.setFilterText("AHWJ = '01'"));
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 25);
    addEvent(t, {"04.03.2026", "11:00", "01", "00000000000000"});
    EXPECT_EQ(t.recordCount(), 26);
    EXPECT_EQ(t.asString("CAS"), "11:00:00");
    // A record posted outside the filter is counted out and left.
    t.first();
    ASSERT_TRUE(t.edit());
    t.setString("AHWJ", "09");
    ASSERT_TRUE(t.post());
    EXPECT_EQ(t.recordCount(), 25);
    EXPECT_EQ(t.asString("AHWJ"), "01");
    // Deleting moves to the next record, at the end to the previous one.
    t.first();
    const qint64 second = (t.next(), t.bookmark());
    t.prior();
    ASSERT_TRUE(t.remove());
    EXPECT_EQ(t.bookmark(), second);
    t.last();
    ASSERT_TRUE(t.remove());
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.recNo(), 23);
    EXPECT_EQ(t.recordCount(), 23);
    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 99);
    ASSERT_TRUE(t.empty());
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(t.recordCount(), 0);
}

TEST_F(EventCursor, FindKeyAndNearestOnCompositeIndex)
{
    ASSERT_TRUE(t.setIndex("IndexCTMDATUMCAS"));
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

TEST(TableCursor, NearestNameFollowsCzechOrder)
{
    TempDir dir;
    Table t(keySchema(), dir.path());
    ASSERT_TRUE(t.open());
    const QStringList names = {"Čermák", "Czerny", "Hájek",   "Chalupa", "Cibulka", "Řezník",
                               "Rybář",  "Šimek",  "Svoboda", "Žák",     "Zeman",   "adam"};
    for (int i = 0; i < names.size(); ++i)
        addHolder(t, QStringLiteral("K%1").arg(i), names[i]);
    ASSERT_TRUE(t.setIndex("JmenoIndex"));
    EXPECT_EQ(walk(t, "JMENO"),
              QStringList({"adam", "Cibulka", "Czerny", "Čermák", "Hájek", "Chalupa", "Rybář",
                           "Řezník", "Svoboda", "Šimek", "Zeman", "Žák"}));
    const struct
    {
        const char *search, *found;
    } cases[] = {{"Cz", "Czerny"},  {"Czz", "Čermák"}, {"Č", "Čermák"}, {"H", "Hájek"},
                 {"Hz", "Chalupa"}, {"ch", "Chalupa"}, {"ř", "Řezník"}, {"A", "adam"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.search);
        ASSERT_TRUE(t.findNearest({QString::fromUtf8(c.search)}));
        EXPECT_EQ(t.asString("JMENO"), QString::fromUtf8(c.found));
    }
    // The same by field names: the index's collation is taken over.
    ASSERT_TRUE(t.setOrderFields("JMENO"));
    ASSERT_TRUE(t.findNearest({"ch"}));
    EXPECT_EQ(t.asString("JMENO"), "Chalupa");
}

TEST(TableCursor, EmptyFieldsSortFirstAndNavigate)
{
    TempDir dir;
    Table t(keySchema(), dir.path());
    ASSERT_TRUE(t.open());
    addHolder(t, "K1", "B");
    ASSERT_TRUE(t.insert());
    t.setString("CTM", "K2");
    t.setString("JMENO", "A");
    t.setString("OSCIS", "");
    ASSERT_TRUE(t.post());
    addHolder(t, "K3", "C");
    ASSERT_TRUE(t.edit());
    t.setString("OSCIS", "7");
    ASSERT_TRUE(t.post());
    ASSERT_TRUE(t.setOrderFields("OSCIS;JMENO"));
    EXPECT_EQ(walk(t, "JMENO"), QStringList({"A", "B", "C"}));
    EXPECT_EQ(walkBack(t, "JMENO"), QStringList({"C", "B", "A"}));
    t.last();
    EXPECT_EQ(t.recNo(), 3);
    ASSERT_TRUE(t.findKey({QVariant()}));
    EXPECT_EQ(t.asString("JMENO"), "A");
}

TEST_F(EventCursor, TextFilterOnAnIndexedFieldMatchesExactly)
{
    // CTM leads a case-insensitive index; the filter still compares exactly.
    const struct
    {
        const char *filter;
        qint64 count;
    } cases[] = {{"CTM = '01000000000AB1'", 90},
                 {"CTM = '01000000000ab1'", 0},
                 {"CTM <> '01000000000ab1'", 100},
                 {"NOT CTM = '00000000000000'", 90},
                 {"AHWJ = '02' AND CTM = '00000000000000'", 5}};
    t.setFiltered(true);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.filter);
        ASSERT_TRUE(t.setFilterText(c.filter));
        EXPECT_EQ(t.recordCount(), c.count);
        EXPECT_EQ(walk(t, "IdEve").size(), c.count);
    }
}

TEST(TableCursor, LongWalksVisitEveryRecordOnce)
{
    // Far more records than the cursor keeps around the current one.
    TempDir dir;
    Table t(eventSchema(), dir.path());
    ASSERT_TRUE(t.open());
    ASSERT_TRUE(t.beginTransaction());
    for (int i = 0; i < 1500; ++i) {
        const QByteArray date = QStringLiteral("%1.03.2026").arg(1 + i % 28).toLatin1();
        const QByteArray time = QStringLiteral("%1:00").arg(i % 24).toLatin1();
        const QByteArray key =
            QStringLiteral("0100000000%1").arg(i % 7, 4, 10, QChar('0')).toLatin1();
        addEvent(t, {date.constData(), time.constData(), "01", key.constData()});
    }
    ASSERT_TRUE(t.commit());
    for (const char *index : {"", "IndexCTMDATUMCAS"}) {
        SCOPED_TRACE(index);
        ASSERT_TRUE(t.setIndex(index));
        const QStringList forward = walk(t, "IdEve");
        QStringList backward = walkBack(t, "IdEve");
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(forward.size(), 1500);
        EXPECT_EQ(QSet<QString>(forward.begin(), forward.end()).size(), 1500);
        EXPECT_EQ(forward, backward);
        // Back and forth across the window's edges.
        t.first();
        EXPECT_EQ(t.moveBy(900), 900);
        EXPECT_EQ(t.moveBy(-700), -700);
        EXPECT_EQ(t.asString("IdEve"), forward[200]);
        EXPECT_EQ(t.recNo(), 201);
    }
}

TEST(TableCursor, ADamagedPageFailsTheReadInsteadOfEndingTheTable)
{
    TempDir dir;
    Table t(eventSchema(), dir.path());
    ASSERT_TRUE(t.open());
    ASSERT_TRUE(t.beginTransaction());
    for (int i = 0; i < 1500; ++i)
        addEvent(t, {"01.03.2026", "10:00", "01", "01000000000AB1"});
    ASSERT_TRUE(t.commit());
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
        EXPECT_LT(walkBack(t, "IdEve").size(), 1500);
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
