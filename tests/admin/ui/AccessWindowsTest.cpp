// The access time schedules and permission groups windows, offscreen.
#include "../AdminSite.h"
#include "admin/ui/PermissionChoosers.h"
#include "admin/ui/RecordNavigator.h"
#include "admin/ui/ScheduleChart.h"
#include "admin/ui/ScheduleComponentPanel.h"
#include "admin/ui/TFrmAtrO.h"
#include "admin/ui/TFrmCasO.h"
#include "admin/ui/TFrmOpr.h"
#include "support/WindowDriving.h"
#include "tables/TableGridModel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

using namespace vardex;
using namespace vardex::testing;

TEST(TFrmCasO, AScheduleIsBuiltComponentByComponentAndPosted)
{
    AdminSite s;
    ASSERT_TRUE(s.vx.tbCas.open());
    TFrmCasO w(s.vx, s.messages);
    w.show();
    EXPECT_EQ(w.counter()->text(), u"0/0"_s);
    EXPECT_EQ(w.line(1)->text(), u"00:00 - 00:00 "_s);
    EXPECT_FALSE(w.line(1)->isEnabled());

    w.navigator()->button(RecordNavigator::Insert)->click();
    EXPECT_TRUE(w.line(1)->isEnabled() && !w.line(2)->isEnabled());
    EXPECT_FALSE(w.navigator()->button(RecordNavigator::Post)->isVisible());
    w.line(1)->click();
    ScheduleComponentPanel *p = w.componentPanel();
    ASSERT_TRUE(p->isVisible());
    EXPECT_FALSE(w.nameRegister()->isVisible() || w.navigator()->isEnabled());
    p->startHour()->setValue(8);
    p->endHour()->setValue(6); // below the start: the counter does not go there
    EXPECT_EQ(p->toText()->text(), u"08:00"_s);
    p->endHour()->setValue(16);
    p->endMinute()->setValue(30);
    p->dayBox(0)->setChecked(true);
    EXPECT_EQ(p->chart()->bars(), (QList<ChartBar>{{0, 49, 100}}));
    p->applyButton()->click();
    EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(w.line(1)->text(), u"08:00 - 16:30 Po "_s);
    EXPECT_TRUE(w.line(2)->isEnabled());
    EXPECT_EQ(w.weekChart()->bars().size(), 1);

    // Escape closes the component editor as "Přerušit" does.
    w.line(2)->click();
    p->dayBox(6)->setChecked(true);
    p->endHour()->setValue(9);
    pressKey(p->endHour(), Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible() && !p->isVisible());
    EXPECT_EQ(w.editor().block().count(), 1);

    w.nameEdit()->setText(u"Ranní"_s);
    QToolButton *post = w.navigator()->button(RecordNavigator::Post);
    ASSERT_TRUE(post->isVisible());
    post->click();
    EXPECT_EQ(s.vx.tbCas.state(), TableState::Browse);
    EXPECT_EQ(w.counter()->text(), u"1/1"_s);
    ASSERT_EQ(w.nameRegister()->count(), 1);
    EXPECT_EQ(w.nameRegister()->item(0)->text(), u"Ranní"_s);
    EXPECT_TRUE(w.nameEdit()->isReadOnly());
    EXPECT_TRUE(s.messages.shown().isEmpty());
}

TEST(TFrmOpr, AGroupIsEditedThroughItsChoosersAndTheAttributeDialog)
{
    AdminSite s;
    ASSERT_TRUE(s.vx.tbAcc.open() && s.vx.tbCas.open());
    s.addUnit(UnitType::Attendance, u"01"_s);
    s.addUnit(UnitType::Barrier, u"04"_s);
    ASSERT_TRUE(s.vx.tbCas.insert());
    s.vx.tbCas.setString(u"NAZEVROZVRHU"_s, u"Den"_s);
    s.vx.tbCas.setBytes(u"DATAROZVRHU"_s, QByteArray::fromHex("01000800107c"));
    ASSERT_TRUE(s.vx.tbCas.post());

    TFrmOpr w(s.db, s.vx);
    w.cellClicked(0, TFrmOpr::UnitColumn);
    EXPECT_FALSE(w.unitChooser()->isVisibleTo(&w)) << "rows change only while edited";
    w.navigator()->button(RecordNavigator::Insert)->click();
    EXPECT_TRUE(w.editPanel()->isVisibleTo(&w) && !w.navigator()->isVisibleTo(&w));
    EXPECT_EQ(w.rows()->item(0, 0)->text(), u"04 závorová   "_s) << "the current unit";

    w.cellClicked(1, TFrmOpr::UnitColumn);
    ASSERT_TRUE(w.unitChooser()->isVisibleTo(&w));
    EXPECT_FALSE(w.confirmButton()->isEnabled());
    ASSERT_EQ(w.unitChooser()->list()->count(), 1) << "no attendance unit";
    emit w.unitChooser()->picked(w.unitChooser()->list()->item(0)->text());
    EXPECT_EQ(s.messages.texts(), QStringList{u"Jednotka již byla použita"_s});
    EXPECT_TRUE(w.unitChooser()->isVisibleTo(&w));
    w.unitChooser()->closeButton()->click();
    EXPECT_TRUE(w.confirmButton()->isEnabled());

    runDriven([&] { w.cellClicked(0, TFrmOpr::AttributeColumn); },
              [] {
                  auto *d = qobject_cast<TFrmAtrO *>(QApplication::activeModalWidget());
                  ASSERT_NE(d, nullptr);
                  EXPECT_EQ(d->inputBox(0)->text(), u"Závora 0 "_s);
                  EXPECT_FALSE(d->inputBox(2)->isVisibleTo(d));
                  d->inputBox(0)->setChecked(true);
                  d->inputBox(1)->setChecked(true);
                  d->kindButton(2)->setChecked(true);
                  d->confirmButton()->click();
              });
    EXPECT_EQ(w.rows()->item(0, 1)->text(), u"0F"_s);

    w.cellClicked(0, TFrmOpr::ScheduleColumn);
    ScheduleChooserPanel *chooser = w.scheduleChooser();
    ASSERT_TRUE(chooser->isVisibleTo(&w));
    EXPECT_TRUE(chooser->chart()->bars().isEmpty());
    chooser->list()->setCurrentRow(0);
    EXPECT_EQ(chooser->chart()->bars().size(), 5);
    chooser->confirmButton()->click();
    EXPECT_EQ(w.rows()->item(0, 2)->text(), u"Den"_s);

    w.confirmButton()->click();
    EXPECT_EQ(s.vx.tbAcc.state(), TableState::Browse);
    EXPECT_TRUE(w.navigator()->isVisibleTo(&w));
    EXPECT_EQ(s.vx.tbAcc.asString(u"P_AHW"_s).left(4), u"04--"_s);
    EXPECT_EQ(s.vx.tbAcc.asString(u"P_MSK"_s).left(4), u"0F00"_s);
    EXPECT_EQ(s.vx.tbAcc.asString(u"R1"_s), u"Den"_s);
}

// Escape with a new schedule that cannot be stored drops it and closes; with
// one that can, it is posted first. The register moves to a picked name.
TEST(TFrmCasO, ClosingDropsAnUnstorableScheduleAndPostsAStorableOne)
{
    AdminSite s;
    ASSERT_TRUE(s.vx.tbCas.open());
    for (const bool storable : {false, true}) {
        SCOPED_TRACE(storable);
        TFrmCasO w(s.vx, s.messages);
        w.show();
        w.navigator()->button(RecordNavigator::Insert)->click();
        w.nameEdit()->setText(storable ? u"Noc"_s : u"Bez složky"_s);
        if (storable) {
            w.line(1)->click();
            w.componentPanel()->endHour()->setValue(6);
            w.componentPanel()->dayBox(6)->setChecked(true);
            w.componentPanel()->applyButton()->click();
        }
        pressKey(w.nameEdit(), Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(s.vx.tbCas.state(), TableState::Browse);
    }
    ASSERT_TRUE(s.vx.tbCas.insert());
    s.vx.tbCas.setString(u"NAZEVROZVRHU"_s, u"Den"_s);
    ASSERT_TRUE(s.vx.tbCas.post());
    TFrmCasO w(s.vx, s.messages);
    ASSERT_EQ(w.nameRegister()->count(), 2);
    w.registerPicked(1);
    EXPECT_EQ(w.nameEdit()->text(), u"Noc"_s);
    EXPECT_EQ(w.line(1)->text(), u"00:00 - 06:00 Ne "_s);
    EXPECT_EQ(w.counter()->text(), u"2/2"_s);
}

// A group clicked in the list is shown; Delete empties a row of an edited
// group and the panel's cancel leaves the group as it was.
TEST(TFrmOpr, TheListShowsTheClickedGroupAndCancelKeepsItsRows)
{
    AdminSite s;
    ASSERT_TRUE(s.vx.tbAcc.open() && s.vx.tbCas.open());
    s.addUnit(UnitType::Access, u"02"_s);
    s.addUnit(UnitType::Access, u"03"_s);
    for (const QString &address : {u"02"_s, u"03"_s}) {
        ASSERT_TRUE(s.vx.tbAcc.insert());
        s.vx.tbAcc.setString(u"OPRAVNENI"_s, u"Skupina "_s + address);
        s.vx.tbAcc.setString(u"P_AHW"_s, address + QString(62, u'-'));
        s.vx.tbAcc.setString(u"P_MSK"_s, QString(64, u'0'));
        ASSERT_TRUE(s.vx.tbAcc.post());
    }
    TFrmOpr w(s.db, s.vx);
    w.show();
    w.groupList()->setCurrentIndex(w.groupModel()->index(1, 0));
    EXPECT_EQ(w.rows()->item(0, 0)->text(), u"03 přístupová "_s);
    w.groupList()->setCurrentIndex(w.groupModel()->index(0, 0));
    EXPECT_EQ(w.rows()->item(0, 0)->text(), u"02 přístupová "_s);

    w.navigator()->button(RecordNavigator::Edit)->click();
    w.rows()->setCurrentCell(0, 0);
    pressKey(w.rows(), Qt::Key_Delete);
    EXPECT_TRUE(w.rows()->item(0, 0)->text().isEmpty());
    w.cancelButton()->click();
    EXPECT_EQ(s.vx.tbAcc.state(), TableState::Browse);
    EXPECT_EQ(w.rows()->item(0, 0)->text(), u"02 přístupová "_s);
    EXPECT_TRUE(w.navigator()->isVisible());
}
