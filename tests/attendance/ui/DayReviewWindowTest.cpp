#include "../AttendanceSite.h"
#include "attendance/ui/TFrmDopUd.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

using namespace vardex;
using namespace vardex::testing;

namespace {

const QString kKey = u"01000000000AB1"_s;

struct ReviewSite : AttendanceSite
{
    ReviewSite()
    {
        for (const auto &[addr, type] : {std::pair{u"05"_s, 2}, {u"06"_s, 1}}) {
            EXPECT_TRUE(db.tbUniDefaultByType(quint8(type)));
            db.tbUni.edit();
            db.tbUni.setString(u"ADRESA"_s, addr);
            db.tbUni.setString(u"POUZITI"_s, u"01"_s);
            EXPECT_TRUE(db.tbUni.post());
        }
        addHolder(kKey, QString());
        db.chosenKey = kKey;
    }
    void addEvent(const QTime &time, const QString &unit, const QString &res)
    {
        Table &t = db.tbEvents;
        ASSERT_TRUE(t.append());
        t.setDate(u"DATUM"_s, QDate(2026, 12, 3));
        t.setTime(u"CAS"_s, time);
        t.setString(u"AHWJ"_s, unit);
        t.setString(u"CTM"_s, kKey);
        t.setString(u"RES"_s, res);
        t.setBool(u"ORI"_s, true);
        ASSERT_TRUE(t.post());
    }
};

QString cell(const TFrmDopUd &w, int row, int column)
{
    const QTableWidgetItem *item = w.grid()->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

TEST(TFrmDopUd, InsertsBetweenEventsOfTwoUnitsWithinTheirTimes)
{
    ReviewSite s;
    s.addEvent(QTime(7, 58), u"05"_s, u"00"_s);
    s.addEvent(QTime(12, 0), u"06"_s, u"01"_s);
    TFrmDopUd w(s.db, s.dir.path(), QDate(2026, 12, 3), false);
    ASSERT_EQ(w.grid()->rowCount(), 5);
    EXPECT_EQ(cell(w, 2, 2), u"<- vložit"_s);

    w.rowDoubleClicked(1); // an event row: nothing to insert
    EXPECT_TRUE(w.insertPanel()->isHidden());
    w.rowDoubleClicked(2);
    ASSERT_FALSE(w.unitPanel()->isHidden());
    EXPECT_EQ(w.unitButton(1)->text(), u"06"_s);
    EXPECT_EQ(w.hourBox()->value(), 7);
    EXPECT_EQ(w.minuteBox()->value(), 58);
    w.hourBox()->setValue(13);
    EXPECT_EQ(w.hourBox()->value(), 12);
    EXPECT_EQ(w.minuteBox()->value(), 0);
    w.hourBox()->setValue(11);
    w.minuteBox()->setValue(30);

    w.unitButton(1)->click();
    ASSERT_EQ(w.objectList()->count(), 2);
    w.objectChosen(w.objectList()->item(1));
    ASSERT_EQ(w.grid()->rowCount(), 7);
    EXPECT_EQ(cell(w, 3, 1), u"11:30"_s);
    EXPECT_EQ(cell(w, 3, 3), u"#"_s);
    EXPECT_TRUE(w.insertPanel()->isHidden());
}
