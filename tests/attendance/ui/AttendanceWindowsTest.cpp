#include "../AttendanceSite.h"
#include "admin/ui/RecordNavigator.h"
#include "attendance/Holidays.h"
#include "attendance/ui/TDBSVAT.h"
#include "attendance/ui/TFrmPrs.h"
#include "attendance/ui/TPARNOC.h"
#include "attendance/ui/TSELSME.h"
#include "attendance/ui/TSMENA.h"
#include "attendance/ui/TUSEKS.h"
#include "support/WindowDriving.h"
#include "tables/TableGridModel.h"
#include "text/LineFile.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

using namespace vardex;
using namespace vardex::testing;

namespace {

// The section window that `open` brings up gets its mandatory start hour
// set to `hour` and is applied.
void setStartHourIn(const std::function<void()> &open, int hour)
{
    runDriven(open, [hour] {
        auto *w = qobject_cast<TUSEKS *>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        w->counter(SectionEditor::Part::Mandatory, 0)->setValue(hour);
        w->applyButton()->click();
    });
}

QString shift(AttendanceSite &s, const char *field)
{
    return s.vx.tbSme.asString(QLatin1String(field));
}

} // namespace

TEST(TSELSME, DoubleClicksOnAnEditedShiftActOnTheirColumn)
{
    AttendanceSite s;
    s.addShift(u"Ranní"_s, u"P:06:00-14:00"_s, QString(), u" "_s, u"07:00"_s);
    TSELSME w(s.vx, s.messages, s.files);
    const auto cell = [&w](ShiftColumn c) { return w.model()->index(0, int(c)); };
    w.cellDoubleClicked(cell(ShiftColumn::Required));
    EXPECT_EQ(shift(s, "NutnoOdpracovat"), u"07:00"_s) << "browsing: nothing happens";

    w.navigator()->button(RecordNavigator::Edit)->click();
    w.cellDoubleClicked(cell(ShiftColumn::Required));
    EXPECT_EQ(shift(s, "NutnoOdpracovat"), u"08:00"_s);
    setStartHourIn([&] { w.cellDoubleClicked(cell(ShiftColumn::FirstSection)); }, 10);
    EXPECT_EQ(shift(s, "PrvniUsekSmeny"), u"P:10:00-14:00"_s);
    w.nightButton()->click();
    w.cellDoubleClicked(cell(ShiftColumn::Crossing));
    EXPECT_EQ(shift(s, "PrvniUsekSmeny") + u'|' + shift(s, "DruhyUsekSmeny") + u'|' +
                  shift(s, "Prechod") + u'|' + shift(s, "NutnoOdpracovat"),
              u"P:00:00-06:00|P:22:00-23:59| |07:59"_s);
    w.navigator()->button(RecordNavigator::Post)->click();
    EXPECT_EQ(s.vx.tbSme.state(), TableState::Browse);

    // A new shift starts with its defaults; a name already there is refused.
    w.navigator()->button(RecordNavigator::Insert)->click();
    EXPECT_EQ(shift(s, "NazevSmeny") + u'|' + shift(s, "NutnoOdpracovat"), u"nová|00:00"_s);
    ASSERT_TRUE(w.model()->setData(w.model()->index(1, 0), u"Ranní"_s));
    w.navigator()->button(RecordNavigator::Post)->click();
    EXPECT_EQ(s.messages.texts(), QStringList{u"Duplicitní název směny"_s});
    EXPECT_EQ(s.vx.tbSme.state(), TableState::Insert);
    w.navigator()->button(RecordNavigator::Cancel)->click();
}

TEST(TSMENA, EditsADayAndTakesAShiftFromTheList)
{
    AttendanceSite s;
    s.addShift(u"Odpolední"_s, u"P:14:00-22:00"_s);
    DayShift day = ShiftFromTemplate(ShiftTemplate::Morning);
    QString name = u"Ranní"_s;
    runDriven(
        [&] {
            EXPECT_TRUE(TSMENA::editShift(day, name, true, s.vx, s.messages, s.files, nullptr));
        },
        [&] {
            auto *w = qobject_cast<TSMENA *>(QApplication::activeModalWidget());
            ASSERT_NE(w, nullptr);
            w->templateButton(ShiftTemplate::Clear)->click();
            EXPECT_TRUE(w->nameField()->text().isEmpty());
            EXPECT_FALSE(w->doneButton()->isEnabled()) << "a name is required";
            runDriven([&] { w->fromListButton()->click(); },
                      [] {
                          auto *list = qobject_cast<TSELSME *>(QApplication::activeModalWidget());
                          ASSERT_NE(list, nullptr);
                          EXPECT_FALSE(list->importButton()->isEnabled());
                          list->chooseButton()->click();
                      });
            EXPECT_EQ(w->nameField()->text(), u"Odpolední"_s);
            setStartHourIn([&] { w->sectionButton(1)->click(); }, 15);
            w->requiredField()->setText(u"7:00"_s);
            emit w->requiredField()->textEdited(u"7:00"_s);
            EXPECT_FALSE(w->doneButton()->isEnabled());
            emit w->requiredField()->textEdited(u"07:00"_s);
            w->doneButton()->click();
        });
    EXPECT_EQ(name, u"Odpolední"_s);
    EXPECT_EQ(FormatSection(day.first), u"P:15:00-22:00"_s);
    EXPECT_EQ(FormatHourMinute(day.required), u"07:00"_s);
}

TEST(TDBSVAT, TheCalendarStoresTheDayAndStandardFillsTheYear)
{
    AttendanceSite s;
    HolidayDatabase holidays(s.vx, s.db, s.dir.path());
    ASSERT_TRUE(holidays.open());
    {
        TDBSVAT w(holidays);
        EXPECT_TRUE(w.standardButton()->isVisibleTo(&w)) << "the site got the shipped list";
        EXPECT_EQ(w.standardYear()->value(), 2026);
        w.navigator()->button(RecordNavigator::Insert)->click();
        w.cellDoubleClicked(w.model()->index(0, 0));
        ASSERT_TRUE(w.calendarPanel()->isVisibleTo(&w));
        w.yearBackButton()->click();
        EXPECT_EQ(w.yearLabel()->text(), u"2025"_s);
        w.dayChosen(QDate(2025, 12, 31));
        EXPECT_FALSE(w.calendarPanel()->isVisibleTo(&w));
        EXPECT_EQ(s.vx.tbSva.state(), TableState::Browse);
        EXPECT_EQ(s.vx.tbSva.asString(u"ROK"_s), u"2025"_s);
        w.standardButton()->click();
        EXPECT_EQ(w.model()->rowCount(), 1 + 13);
    }
    holidays.close();
    EXPECT_FALSE(s.vx.tbSva.isOpen());

    QFile::remove(holidayListPath(s.dir.path()));
    ASSERT_TRUE(holidays.open());
    TDBSVAT w(holidays);
    EXPECT_FALSE(w.standardButton()->isVisibleTo(&w));
    EXPECT_EQ(w.missingListLabel()->text(), u"Chybí soubor svátků SVATKY.INI"_s);
}

TEST(TFrmPrs, ADoubleClickChoosesTheGroup)
{
    AttendanceSite s;
    for (const QString &code : {u"Dílna"_s, u"Sklad"_s}) {
        ASSERT_TRUE(s.vx.tbPrs.append());
        s.vx.tbPrs.setString(u"PRACOVISTE"_s, code);
        ASSERT_TRUE(s.vx.tbPrs.post());
    }
    s.db.chosenGroup = u"Dílna"_s;
    {
        TFrmPrs w(s.db, s.vx);
        w.reject();
        EXPECT_EQ(s.db.chosenGroup, u"Dílna"_s) << "closing leaves the group chosen before";
    }
    TFrmPrs w(s.db, s.vx);
    w.rowDoubleClicked(w.model()->index(1, 0));
    EXPECT_EQ(s.db.chosenGroup, u"Sklad"_s);
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST(TPARNOC, ATimeIsTakenAsSoonAsItParses)
{
    AttendanceSite s;
    TPARNOC w(s.vx);
    EXPECT_EQ(w.arriveField()->text(), u"01:00"_s);
    w.arriveField()->setText(u"0:30"_s);
    EXPECT_EQ(s.vx.nightArriveTolerance, MakeHourMinute(1, 0));
    w.arriveField()->setText(u"00:30"_s);
    w.leaveField()->setText(u"02:15"_s);
    EXPECT_EQ(s.vx.nightArriveTolerance, MakeHourMinute(0, 30));
    EXPECT_EQ(s.vx.nightLeaveTolerance, MakeHourMinute(2, 15));
}
