#include "admin/ui/TFrmUni.h"
#include "accessdata/TDB0DM.h"
#include "admin/ui/RecordNavigator.h"
#include "admin/ui/UnitEditorPanels.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"
#include "tables/TableGridModel.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

using namespace vardex;
using vardex::testing::pressKey;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

struct Site
{
    Site() { EXPECT_TRUE(db.OpenMinimalDatabases(nullptr)); }

    TempDir dir;
    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db{dir.path(), messages, clock};
};

QString field(TDB0DM &db, const char *name)
{
    return db.tbUni.asString(QLatin1String(name));
}

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

void edit(TFrmUni &w)
{
    w.navigator()->button(RecordNavigator::Edit)->click();
}

} // namespace

TEST(TFrmUni, NewUnitPicksATypeWhileTheRestOfTheWindowIsOutOfUse)
{
    Site s;
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
    EXPECT_EQ(field(s.db, "TYP"), QStringLiteral("04"));
    EXPECT_TRUE(field(s.db, "ADRESA").isEmpty());
    EXPECT_EQ(w.model()->data(w.grid()->currentIndex()).isValid(), true);

    // "Nová" is out of use while the record is edited, whether through the
    // navigator or by typing into a cell, until it is posted or cancelled.
    const QModelIndex name = w.model()->index(w.model()->currentRow(), TFrmUni::columnOf("NAZEV"));
    for (const bool typing : {false, true}) {
        if (typing)
            w.model()->setData(name, QStringLiteral("Brána"));
        else
            edit(w);
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
    struct Case
    {
        const char *name;
        bool editor; // the alarm mask, else the type selector of "Nová"
        bool escape; // else "Přerušit"
    };
    const Case cases[] = {{"type selector, Escape", false, true},
                          {"type selector, Přerušit", false, false},
                          {"alarm mask, Escape", true, true},
                          {"alarm mask, Přerušit", true, false}};
    for (const Case &c : cases) {
        Site s;
        TFrmUni w(s.db);
        addUnit(w, 1, QStringLiteral("01"));
        w.show();
        if (c.editor) {
            edit(w);
            doubleClick(w, "ALARM");
            w.alarmPanel()->box(0)->setChecked(false);
        } else {
            w.newButton()->click();
        }
        QWidget *panel = w.openSubDialog();
        ASSERT_NE(panel, nullptr) << c.name;
        if (c.escape)
            pressKey(panel, Qt::Key_Escape);
        else if (c.editor)
            w.alarmPanel()->cancelButton()->click();
        else
            w.typeSelector()->cancelButton()->click();
        EXPECT_EQ(w.openSubDialog(), nullptr) << c.name;
        EXPECT_FALSE(panel->isVisibleTo(&w)) << c.name;
        EXPECT_TRUE(w.grid()->isEnabled()) << c.name;
        EXPECT_TRUE(w.isVisible()) << c.name;
        EXPECT_EQ(s.db.tbUni.recordCount(), 1) << c.name;
        EXPECT_EQ(s.db.tbUni.state(), c.editor ? TableState::Edit : TableState::Browse) << c.name;
        EXPECT_EQ(field(s.db, "ALARM"), QStringLiteral("FF")) << c.name;

        pressKey(w.grid(), Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible()) << c.name;
        EXPECT_EQ(s.db.tbUni.state(), TableState::Browse) << c.name;
    }
}

TEST(TFrmUni, TypedAddressIsPostedAndADuplicateIsRefused)
{
    Site s;
    TFrmUni w(s.db);
    addUnit(w, 1, QStringLiteral("01"));
    EXPECT_EQ(field(s.db, "ADRESA"), QStringLiteral("01"));
    EXPECT_EQ(s.db.tbUni.state(), TableState::Browse);

    addUnit(w, 2, QStringLiteral("01"));
    EXPECT_EQ(s.messages.texts(), QStringList{QStringLiteral("Duplicitní adresa jednotky")});
    EXPECT_EQ(s.db.tbUni.state(), TableState::Edit);
    EXPECT_TRUE(w.navigator()->button(RecordNavigator::Post)->isEnabled());
    // Closing the window first tries the post again, and stays open.
    s.messages.clear();
    w.reject();
    EXPECT_EQ(s.messages.texts(), QStringList{QStringLiteral("Duplicitní adresa jednotky")});

    w.model()->setData(w.model()->index(w.model()->currentRow(), 0), QStringLiteral("02"));
    w.navigator()->button(RecordNavigator::Post)->click();
    EXPECT_EQ(s.db.tbUni.state(), TableState::Browse);
    EXPECT_EQ(field(s.db, "ADRESA"), QStringLiteral("02"));
    EXPECT_EQ(field(s.db, "TYP"), QStringLiteral("02"));
}

// Which type opens which panel is the core's table; PanelsWriteTheirFields
// opens each panel once.
TEST(TFrmUni, ADoubleClickOpensAPanelOnlyWhileEditingAndTheGridWaitsForIt)
{
    Site s;
    TFrmUni w(s.db);
    addUnit(w, 4, QStringLiteral("01"));
    const QVariantList before = s.db.tbUni.storedValues();
    doubleClick(w, "KONFIG");
    EXPECT_EQ(w.openSubDialog(), nullptr) << "browse";
    EXPECT_EQ(s.db.tbUni.state(), TableState::Browse);
    EXPECT_EQ(s.db.tbUni.storedValues(), before);

    edit(w);
    doubleClick(w, "ALARM"); // a barrier has no alarm mask
    EXPECT_EQ(w.openSubDialog(), nullptr);
    doubleClick(w, "KONFIG");
    ASSERT_EQ(w.openSubDialog(), w.barrierPanel());
    EXPECT_FALSE(w.grid()->isEnabled());
    EXPECT_TRUE(w.barrierPanel()->isVisibleTo(&w));
    w.barrierPanel()->doneButton()->click();
    EXPECT_EQ(w.openSubDialog(), nullptr);
    EXPECT_TRUE(w.grid()->isEnabled());
    EXPECT_FALSE(w.barrierPanel()->isVisibleTo(&w));
    EXPECT_EQ(s.db.tbUni.state(), TableState::Browse) << "posted";
    EXPECT_TRUE(s.messages.shown().isEmpty());
}

// Each panel writes its field when done; what the bytes mean is the core's
// and is tested there.
TEST(TFrmUni, PanelsWriteTheirFields)
{
    Site s;
    TFrmUni w(s.db);
    const auto open = [&](quint8 type, const char *field, QWidget *panel) {
        addUnit(w, type, QStringLiteral("0%1").arg(type));
        edit(w);
        doubleClick(w, field);
        EXPECT_EQ(w.openSubDialog(), panel) << field;
    };

    open(1, "KONFIG", w.doorTimePanel());
    EXPECT_EQ(w.doorTimePanel()->slider()->value(), 5);
    w.doorTimePanel()->slider()->setValue(12);
    EXPECT_EQ(w.doorTimePanel()->number()->text(), QStringLiteral("12"));
    w.doorTimePanel()->doneButton()->click();
    EXPECT_EQ(field(s.db, "KONFIG"), QStringLiteral("C1000000000000000000000000000000"));

    open(2, "RELE", w.relayPanel());
    EXPECT_EQ(w.relayPanel()->box(0)->text(), QStringLiteral("Příchod")); // the unit's object
    w.relayPanel()->box(0)->setChecked(true);
    w.relayPanel()->box(7)->setChecked(true);
    w.relayPanel()->doneButton()->click();
    EXPECT_EQ(field(s.db, "RELE"), QStringLiteral("81"));
    edit(w);
    doubleClick(w, "ALARM");
    ASSERT_EQ(w.openSubDialog(), w.alarmPanel());
    EXPECT_TRUE(w.alarmPanel()->box(5)->isChecked()); // FF by default
    w.alarmPanel()->box(5)->setChecked(false);
    w.alarmPanel()->doneButton()->click();
    EXPECT_EQ(field(s.db, "ALARM"), QStringLiteral("DF"));

    open(3, "KONFIG", w.doorPanel());
    w.doorPanel()->opening(1)->setValue(20);
    w.doorPanel()->waiting(3)->setValue(100);
    w.doorPanel()->doneButton()->click();
    EXPECT_EQ(field(s.db, "KONFIG"), QStringLiteral("01010114010101016400000000000000"));

    // In1 holds a code no entry stands for, and it stays.
    addUnit(w, 4, QStringLiteral("04"));
    edit(w);
    s.db.tbUni.setString(QStringLiteral("KONFIG"),
                         QStringLiteral("03002201010101000000000000000000"));
    doubleClick(w, "KONFIG");
    ASSERT_EQ(w.openSubDialog(), w.barrierPanel());
    BarrierParametersPanel *p = w.barrierPanel();
    EXPECT_EQ(p->barrierType(1)->currentIndex(), -1);
    p->barrierType(0)->setCurrentIndex(2);
    p->opening(1)->setValue(7);
    p->waiting(0)->setValue(9);
    p->doneButton()->click();
    EXPECT_EQ(field(s.db, "KONFIG"), QStringLiteral("03102201070901000000000000000000"));

    // A barrier unit shows two of the four use bits; the hidden ones stay.
    addUnit(w, 9, QStringLiteral("09"));
    edit(w);
    s.db.tbUni.setString(QStringLiteral("POUZITI"), QStringLiteral("0C"));
    doubleClick(w, "POUZITI");
    ASSERT_EQ(w.openSubDialog(), w.usePanel());
    EXPECT_FALSE(w.usePanel()->box(2)->isVisibleTo(&w));
    w.usePanel()->box(0)->setChecked(true);
    w.usePanel()->doneButton()->click();
    EXPECT_EQ(field(s.db, "POUZITI"), QStringLiteral("0D"));
    EXPECT_TRUE(s.messages.shown().isEmpty());
}
