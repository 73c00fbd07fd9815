#include "admin/ui/TFrmUni.h"
#include "../AdminSite.h"
#include "admin/ui/RecordNavigator.h"
#include "admin/ui/UnitEditorPanels.h"
#include "support/WindowDriving.h"
#include "tables/TableGridModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

using namespace vardex;
using namespace vardex::testing;

namespace {

// Adds a unit through "Nová" and the type selector, types its address into
// the grid and posts it with the navigator.
void addUnit(TFrmUni &w, quint8 type, const QString &address)
{
    w.newButton()->click();
    const auto &types = UnitDatabase::newUnitTypes();
    const int row = int(std::find(types.begin(), types.end(), type) - types.begin());
    w.typeSelector()->pick(row);
    const QModelIndex cell = w.model()->index(w.model()->currentRow(), 0);
    ASSERT_TRUE(w.model()->setData(cell, address));
    w.navigator()->button(RecordNavigator::Post)->click();
}

void doubleClick(TFrmUni &w, const char *field)
{
    w.cellDoubleClicked(w.model()->index(w.model()->currentRow(), TFrmUni::columnOf(field)));
}

} // namespace

TEST(TFrmUni, NewUnitPicksATypeWhileTheRestOfTheWindowIsOutOfUse)
{
    AdminSite s;
    TFrmUni w(s.db);
    w.newButton()->click();
    ASSERT_EQ(w.openSubDialog(), w.typeSelector());
    EXPECT_FALSE(w.grid()->isEnabled());
    EXPECT_FALSE(w.newButton()->isEnabled());
    EXPECT_FALSE(w.navigator()->isEnabled());

    w.typeSelector()->pick(3);
    EXPECT_EQ(w.openSubDialog(), nullptr);
    EXPECT_TRUE(w.grid()->isEnabled());
    EXPECT_EQ(s.db.tbUni.recordCount(), 1);
    EXPECT_EQ(s.db.tbUni.state(), TableState::Browse);
    EXPECT_EQ(s.unit("TYP"), u"04"_s);
    EXPECT_TRUE(s.unit("ADRESA").isEmpty());
    EXPECT_EQ(w.model()->data(w.grid()->currentIndex()).isValid(), true);

    // "Nová" is out of use while the record is edited, whether through the
    // navigator or by typing into a cell, until it is posted or cancelled.
    const QModelIndex name = w.model()->index(w.model()->currentRow(), TFrmUni::columnOf("NAZEV"));
    for (const bool typing : {false, true}) {
        if (typing)
            w.model()->setData(name, u"Brána"_s);
        else
            w.navigator()->button(RecordNavigator::Edit)->click();
        EXPECT_FALSE(w.newButton()->isEnabled()) << typing;
        w.navigator()->button(typing ? RecordNavigator::Post : RecordNavigator::Cancel)->click();
        EXPECT_TRUE(w.newButton()->isEnabled()) << typing;
    }
}

// Escape closes the open panel as its "Přerušit" does: nothing is stored or
// written and the window stays; only with no panel open does Escape close
// the window.
TEST(TFrmUni, EscapeClosesTheOpenPanelLikeItsPrerusitAndOnlyThenTheWindow)
{
    // The alarm mask or the type selector of "Nová", each closed both ways.
    for (const bool editor : {false, true}) {
        for (const bool escape : {true, false}) {
            SCOPED_TRACE(::testing::Message() << "alarm mask " << editor << ", Escape " << escape);
            AdminSite s;
            TFrmUni w(s.db);
            addUnit(w, 1, u"01"_s);
            w.show();
            if (editor) {
                w.navigator()->button(RecordNavigator::Edit)->click();
                doubleClick(w, "ALARM");
                w.alarmPanel()->box(0)->setChecked(false);
            } else {
                w.newButton()->click();
            }
            QWidget *panel = w.openSubDialog();
            ASSERT_NE(panel, nullptr);
            if (escape)
                pressKey(panel, Qt::Key_Escape);
            else if (editor)
                w.alarmPanel()->cancelButton()->click();
            else
                w.typeSelector()->cancelButton()->click();
            EXPECT_EQ(w.openSubDialog(), nullptr);
            EXPECT_FALSE(panel->isVisibleTo(&w));
            EXPECT_TRUE(w.grid()->isEnabled());
            EXPECT_TRUE(w.isVisible());
            EXPECT_EQ(s.db.tbUni.recordCount(), 1);
            EXPECT_EQ(s.db.tbUni.state(), editor ? TableState::Edit : TableState::Browse);
            EXPECT_EQ(s.unit("ALARM"), u"FF"_s);

            pressKey(w.grid(), Qt::Key_Escape);
            EXPECT_FALSE(w.isVisible());
            EXPECT_EQ(s.db.tbUni.state(), TableState::Browse);
        }
    }
}

TEST(TFrmUni, TypedAddressIsPostedAndADuplicateIsRefused)
{
    AdminSite s;
    TFrmUni w(s.db);
    addUnit(w, 1, u"01"_s);
    addUnit(w, 2, u"01"_s);
    EXPECT_EQ(s.messages.texts(), QStringList{u"Duplicitní adresa jednotky"_s});
    EXPECT_EQ(s.db.tbUni.state(), TableState::Edit);
    EXPECT_TRUE(w.navigator()->button(RecordNavigator::Post)->isEnabled());
    // Closing the window first tries the post again, and stays open.
    s.messages.clear();
    w.reject();
    EXPECT_EQ(s.messages.texts(), QStringList{u"Duplicitní adresa jednotky"_s});

    w.model()->setData(w.model()->index(w.model()->currentRow(), 0), u"02"_s);
    w.navigator()->button(RecordNavigator::Post)->click();
    EXPECT_EQ(s.db.tbUni.state(), TableState::Browse);
    EXPECT_EQ(s.unit("ADRESA"), u"02"_s);
    EXPECT_EQ(s.unit("TYP"), u"02"_s);
}

// A panel opens on a double-click only while the unit is edited, holds the
// grid while it is open, and writes its field and posts when done. Which
// type opens which panel, and what the bytes mean, are the core's.
TEST(TFrmUni, PanelsOpenOnlyWhileEditingAndWriteTheirFields)
{
    AdminSite s;
    TFrmUni w(s.db);
    // A new unit of `type` with `field` set to `stored` if given, its panel opened.
    const auto open = [&](quint8 type, const char *field, QWidget *panel, QString stored = {}) {
        addUnit(w, type, u"0%1"_s.arg(type));
        doubleClick(w, field);
        EXPECT_EQ(w.openSubDialog(), nullptr) << field << " while browsing";
        w.navigator()->button(RecordNavigator::Edit)->click();
        if (!stored.isNull())
            s.db.tbUni.setString(QLatin1String(field), stored);
        doubleClick(w, field);
        EXPECT_EQ(w.openSubDialog(), panel) << field;
        EXPECT_FALSE(w.grid()->isEnabled()) << field;
    };

    open(1, "KONFIG", w.doorTimePanel());
    EXPECT_EQ(w.doorTimePanel()->slider()->value(), 5);
    w.doorTimePanel()->slider()->setValue(12);
    EXPECT_EQ(w.doorTimePanel()->number()->text(), u"12"_s);
    w.doorTimePanel()->doneButton()->click();
    EXPECT_EQ(s.unit("KONFIG"), u"C1000000000000000000000000000000"_s);
    EXPECT_EQ(w.openSubDialog(), nullptr);
    EXPECT_FALSE(w.doorTimePanel()->isVisibleTo(&w));
    EXPECT_TRUE(w.grid()->isEnabled());
    EXPECT_EQ(s.db.tbUni.state(), TableState::Browse) << "posted";

    open(2, "RELE", w.relayPanel());
    EXPECT_EQ(w.relayPanel()->box(0)->text(), u"Příchod"_s); // the unit's object
    w.relayPanel()->box(0)->setChecked(true);
    w.relayPanel()->box(7)->setChecked(true);
    w.relayPanel()->doneButton()->click();
    EXPECT_EQ(s.unit("RELE"), u"81"_s);
    w.navigator()->button(RecordNavigator::Edit)->click();
    doubleClick(w, "ALARM");
    ASSERT_EQ(w.openSubDialog(), w.alarmPanel());
    EXPECT_TRUE(w.alarmPanel()->box(5)->isChecked()); // FF by default
    w.alarmPanel()->box(5)->setChecked(false);
    w.alarmPanel()->doneButton()->click();
    EXPECT_EQ(s.unit("ALARM"), u"DF"_s);

    open(3, "KONFIG", w.doorPanel());
    w.doorPanel()->opening(1)->setValue(20);
    w.doorPanel()->waiting(3)->setValue(100);
    w.doorPanel()->doneButton()->click();
    EXPECT_EQ(s.unit("KONFIG"), u"01010114010101016400000000000000"_s);

    // In1 holds a code no entry stands for, and it stays.
    open(4, "KONFIG", w.barrierPanel(), u"03002201010101000000000000000000"_s);
    BarrierParametersPanel *p = w.barrierPanel();
    EXPECT_EQ(p->barrierType(1)->currentIndex(), -1);
    p->barrierType(0)->setCurrentIndex(2);
    p->opening(1)->setValue(7);
    p->waiting(0)->setValue(9);
    p->doneButton()->click();
    EXPECT_EQ(s.unit("KONFIG"), u"03102201070901000000000000000000"_s);

    // A barrier unit shows two of the four use bits; the hidden ones stay.
    open(9, "POUZITI", w.usePanel(), u"0C"_s);
    EXPECT_FALSE(w.usePanel()->box(2)->isVisibleTo(&w));
    w.usePanel()->box(0)->setChecked(true);
    w.usePanel()->doneButton()->click();
    EXPECT_EQ(s.unit("POUZITI"), u"0D"_s);
    EXPECT_TRUE(s.messages.shown().isEmpty());
}
