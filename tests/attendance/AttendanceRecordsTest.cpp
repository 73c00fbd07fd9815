#include "AttendanceSite.h"
#include "accessdata/UnitCatalogue.h"
#include "text/LineFile.h"
#include "timecal/DayMonth.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

namespace {

const QString kKey = u"01000000000001"_s;

void addEvent(Table &t, const QString &ctm, const QDate &date, const QTime &time, bool byUnit)
{
    ASSERT_TRUE(t.append());
    t.setDate(u"DATUM"_s, date);
    t.setTime(u"CAS"_s, time);
    t.setString(u"AHWJ"_s, u"01"_s);
    t.setString(u"CTM"_s, ctm);
    t.setString(u"RES"_s, u"00"_s);
    t.setBool(u"ORI"_s, byUnit);
    ASSERT_TRUE(t.post());
}

} // namespace

// The error protocol lists each error with the holder's attendance events
// of its day, and leaves the event table as the browser had it.
TEST(AttendanceRecords, ErrorProtocolWithTheEventsOfEachDay)
{
    AttendanceSite s;
    ASSERT_TRUE(s.db.tbUniDefaultByType(UnitType::Attendance));
    ASSERT_TRUE(s.db.tbUni.edit());
    s.db.tbUni.setString(u"ADRESA"_s, u"01"_s);
    s.db.tbUni.setString(u"POUZITI"_s, u"01"_s); // counts for attendance
    ASSERT_TRUE(s.db.tbUni.post());
    s.addHolder(kKey, u"Ranní"_s, u"Dílna"_s);
    Table &events = s.db.tbEvents;
    addEvent(events, kKey, QDate(2026, 3, 2), QTime(6, 5), true);
    addEvent(events, kKey, QDate(2026, 3, 2), QTime(14, 1), false);
    addEvent(events, u"01000000000002"_s, QDate(2026, 3, 2), QTime(7, 0), true);
    addEvent(events, kKey, QDate(2026, 3, 3), QTime(6, 0), true);
    ASSERT_TRUE(events.setFilterText(u"CTM='01000000000002'"_s));
    events.setFiltered(true);

    s.db.TentoMesic();
    s.db.interval.startYear = s.db.interval.endYear = 2026;
    s.db.udalost_dm.key = keyFromText(kKey);
    s.db.udalost_dm.date = PackDayMonth(2, 3);
    s.db.udalost_dm.time = MakeHourMinute(14, 1);
    ASSERT_TRUE(s.vx.tbVdErInsRec(u"Chybí příchod"_s));
    EXPECT_TRUE(s.vx.tbVdErExactCtm(kKey).valueOr(false));
    const QString file = s.dir.file(u"chyby.txt"_s);
    ASSERT_TRUE(writeLineFile(file, {u"dříve"_s}).ok);
    ASSERT_TRUE(s.db.tbKeyExactCTM(kKey));
    const Result<void> written = s.vx.tbVdErOutToFile(file);
    ASSERT_TRUE(written) << written.error().toStdString();

    const QStringList lines = readLines(file).lines;
    ASSERT_EQ(lines.size(), 10) << lines.join(u'\n').toStdString();
    EXPECT_EQ(
        lines.mid(0, 7),
        (QStringList{u"dříve"_s, QString(), u"PROTOKOL O CHYBÁCH"_s,
                     u"Jméno:  Holder 01; 0001, Dílna"_s, u"Období: "_s + s.db.ObdobiZpracovani(),
                     u"Rozpis: Ranní"_s, kKey + u" 02.03. 14:01 Chybí příchod"_s}));
    EXPECT_TRUE(lines[7].startsWith(u"02.03. 01 06:05 "_s) && lines[7].endsWith(u"  "_s));
    EXPECT_TRUE(lines[8].startsWith(u"02.03. 01 14:01 "_s) && lines[8].endsWith(u" #"_s));
    EXPECT_TRUE(lines[9].isEmpty());
    EXPECT_EQ(events.filterText(), u"CTM='01000000000002'"_s);
    EXPECT_EQ(events.recordCount(), 1);

    // A key's results go, the others' stay.
    ASSERT_TRUE(s.vx.tbVdch.open());
    for (const QString &ctm : {kKey, kKey, u"01000000000002"_s}) {
        ASSERT_TRUE(s.vx.tbVdch.append());
        s.vx.tbVdch.setString(u"CTM"_s, ctm);
        ASSERT_TRUE(s.vx.tbVdch.post());
    }
    EXPECT_EQ(s.vx.tbVdchEraseKlic(kKey).valueOr(-1), 2);
    EXPECT_FALSE(s.vx.tbVdchExistujeKlic(kKey).valueOr(true));
    EXPECT_TRUE(s.vx.tbVdchExistujeKlic(u"01000000000002"_s).valueOr(false));
}
