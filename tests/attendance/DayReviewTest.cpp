#include "attendance/DayReview.h"

#include "AttendanceSite.h"
#include "timecal/HourMinute.h"

#include <gtest/gtest.h>

namespace vardex::testing {
namespace {

const QString kKey = u"01000000000AB1"_s;
const QDate kDay(2026, 12, 3);

quint16 hm(const char *text)
{
    return ParseHourMinute(QString::fromLatin1(text));
}

// Units 05 (attendance), 06 (doors 0 and 2 in use), 07 (barrier, both
// passages in use) and the holder of kKey.
struct DaySite : AttendanceSite
{
    DaySite()
    {
        addUnit(u"05"_s, 2, u"01"_s);
        addUnit(u"06"_s, 1, u"05"_s);
        addUnit(u"07"_s, 4, u"03"_s);
        addHolder(kKey, QString());
    }
    void addUnit(const QString &addr, quint8 type, const QString &used)
    {
        ASSERT_TRUE(db.tbUniDefaultByType(type));
        db.tbUni.edit();
        db.tbUni.setString(u"ADRESA"_s, addr);
        db.tbUni.setString(u"POUZITI"_s, used);
        ASSERT_TRUE(db.tbUni.post());
    }
    void addEvent(const char *time, const QString &unit, const char *res, bool ori = true,
                  const QDate &day = kDay)
    {
        Table &t = db.tbEvents;
        ASSERT_TRUE(t.append());
        t.setDate(u"DATUM"_s, day);
        t.setTime(u"CAS"_s, QTime::fromString(QLatin1String(time), u"hh:mm:ss"_s));
        t.setString(u"AHWJ"_s, unit);
        t.setString(u"CTM"_s, kKey);
        t.setString(u"RES"_s, QLatin1String(res));
        t.setBool(u"ORI"_s, ori);
        ASSERT_TRUE(t.post()) << t.errorMessage().toStdString();
    }
    // The key's events of the day in the table's date-and-time order:
    // "hh:mm:ss unit res" and "#" for an added one.
    QStringList stored()
    {
        Table t(db.tbEvents.schema(), dir.path());
        EXPECT_TRUE(t.open());
        t.setIndex(u"IndexCTMDATUMCAS"_s);
        QStringList out;
        for (t.first(); !t.eof() && !t.isEmpty(); t.next())
            out << t.asTime(u"CAS"_s).toString(u"hh:mm:ss"_s) + u' ' + t.asString(u"AHWJ"_s) +
                       u' ' + t.asString(u"RES"_s) + (t.asBool(u"ORI"_s) ? u""_s : u" #"_s);
        return out;
    }
};

TEST(DayReview, EmptyDayOffersTheWholeDayAndAsksForTheUnit)
{
    DaySite site;
    DayReview r(site.db, site.dir.path());
    r.setKey(kKey);
    r.setDate(kDay);
    ASSERT_TRUE(r.show());
    ASSERT_EQ(r.rows().size(), 1);
    const InsertionPlace p = r.place(0);
    EXPECT_EQ(p.lower, hm("00:00"));
    EXPECT_EQ(p.upper, hm("23:59"));
    EXPECT_TRUE(p.units.isEmpty());

    const Result<qint64> id = r.insert(0, hm("08:10"), u"06"_s, u"01 Dveře 0 / odchod"_s);
    ASSERT_TRUE(id) << id.error().toStdString();
    EXPECT_EQ(site.stored(), QStringList{u"08:10:02 06 01 #"_s});
    ASSERT_EQ(r.rows().size(), 3);
    EXPECT_EQ(r.rows()[1].idEve, *id);
    EXPECT_TRUE(r.rows()[1].added);
    EXPECT_EQ(r.rows()[1].result, u"Dveře 0 / odchod, povoleno      "_s);
}

TEST(DayReview, PlacesBetweenEventsBoundTheTimeAndOfferTheirUnits)
{
    DaySite site;
    site.addEvent("07:58:00", u"05"_s, "00");
    site.addEvent("12:00:00", u"06"_s, "01");
    site.addEvent("13:00:00", u"06"_s, "00");
    site.addEvent("09:00:00", u"05"_s, "38"); // an input: not an attendance event
    DayReview r(site.db, site.dir.path());
    r.setKey(kKey);
    r.setDate(kDay);
    ASSERT_TRUE(r.show());
    ASSERT_EQ(r.rows().size(), 7);

    struct Case
    {
        int row;
        const char *lower, *upper;
        QStringList units;
    };
    const Case cases[] = {
        {0, "00:00", "07:58", {u"05"_s}},
        {2, "07:58", "12:00", {u"05"_s, u"06"_s}},
        {4, "12:00", "13:00", {u"06"_s}},
        {6, "13:00", "23:59", {u"06"_s}},
    };
    for (const Case &c : cases) {
        const InsertionPlace p = r.place(c.row);
        EXPECT_EQ(p.lower, hm(c.lower)) << c.row;
        EXPECT_EQ(p.upper, hm(c.upper)) << c.row;
        EXPECT_EQ(p.units, c.units) << c.row;
    }
    const InsertionPlace between = r.place(2);
    EXPECT_EQ(between.clamp(hm("07:00")), hm("07:58"));
    EXPECT_EQ(between.clamp(hm("10:15")), hm("10:15"));
    EXPECT_EQ(between.clamp(hm("12:01")), hm("12:00"));

    // What the place does not allow stores nothing.
    EXPECT_FALSE(r.insert(2, hm("12:01"), u"05"_s, u"04"_s));
    EXPECT_FALSE(r.insert(4, hm("12:30"), u"05"_s, u"04"_s));      // unit not on offer
    EXPECT_FALSE(r.insert(4, hm("12:30"), u"06"_s, u"02"_s));      // door 1 not in use
    EXPECT_FALSE(r.insert(0, hm("07:00"), u"05"_s, u"Příchod"_s)); // no code
    EXPECT_EQ(site.stored().size(), 4);

    ASSERT_TRUE(r.insert(2, hm("11:00"), u"05"_s, u"04 Odchod"_s));
    EXPECT_EQ(site.stored(),
              (QStringList{u"07:58:02 05 00"_s, u"09:00:00 05 38"_s, u"11:00:04 05 04 #"_s,
                           u"12:00:06 06 01"_s, u"13:00:08 06 00"_s}));
}

TEST(DayReview, EventsOfOneMinuteKeepTheOrderShown)
{
    DaySite site;
    site.addEvent("08:00:00", u"05"_s, "00");
    site.addEvent("08:00:00", u"05"_s, "04");
    DayReview r(site.db, site.dir.path());
    r.setKey(kKey);
    r.setDate(kDay);
    ASSERT_TRUE(r.show());
    // Between the two: the added event goes where it was put.
    ASSERT_TRUE(r.insert(2, hm("08:00"), u"05"_s, u"03 Odchod na oběd"_s));
    EXPECT_EQ(site.stored(),
              (QStringList{u"08:00:02 05 00"_s, u"08:00:04 05 03 #"_s, u"08:00:06 05 04"_s}));
}

TEST(DayReview, ClearingAddedEventsLeavesRecordedOnesAndOtherDays)
{
    DaySite site;
    site.addEvent("07:00:00", u"05"_s, "00");
    site.addEvent("15:00:00", u"05"_s, "04", false);
    site.addEvent("16:00:00", u"05"_s, "38", false); // added, though no attendance event
    site.addEvent("15:00:00", u"05"_s, "04", false, kDay.addDays(1));
    {
        DayReview r(site.db, site.dir.path());
        r.setKey(kKey);
        r.setDate(kDay);
        const Result<int> cleared = r.clearAdded();
        ASSERT_TRUE(cleared) << cleared.error().toStdString();
        EXPECT_EQ(*cleared, 2);
        EXPECT_EQ(r.rows().size(), 3);
    }
    EXPECT_EQ(site.stored(), (QStringList{u"07:00:00 05 00"_s, u"15:00:00 05 04 #"_s}));
}

TEST(DayReview, ObjectsOfferedPerUnitType)
{
    DaySite site;
    DayReview r(site.db, site.dir.path());
    struct Case
    {
        QString unit;
        QStringList codes;
    };
    const Case cases[] = {
        {u"05"_s, {u"00"_s, u"01"_s, u"02"_s, u"03"_s, u"04"_s, u"05"_s}},
        {u"06"_s, {u"00"_s, u"01"_s, u"04"_s, u"05"_s}},
        {u"07"_s, {u"00"_s, u"01"_s, u"02"_s, u"03"_s}},
    };
    for (const Case &c : cases) {
        const Result<QStringList> entries = r.objects(c.unit);
        ASSERT_TRUE(entries) << entries.error().toStdString();
        QStringList codes;
        for (const QString &e : *entries)
            codes << e.left(2);
        EXPECT_EQ(codes, c.codes) << c.unit.toStdString();
    }
    EXPECT_EQ(r.objects(u"05"_s)->first(), u"00 Příchod"_s);
    EXPECT_EQ(r.objects(u"08"_s).error(), u"Neznámá jednotka: 08"_s);
}

} // namespace
} // namespace vardex::testing
