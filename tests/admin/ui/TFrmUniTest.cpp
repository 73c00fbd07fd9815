#include "admin/ui/TFrmUni.h"
#include "accessdata/TDB0DM.h"
#include "admin/ui/RecordNavigator.h"
#include "admin/ui/UnitEditorPanels.h"
#include "app/Application.h"
#include "app/ui/AppWindows.h"
#include "app/ui/MainWindow.h"
#include "platform/Clock.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "tables/TableGridModel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

using namespace vardex;
using vardex::testing::ScriptedFileChooser;
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

TEST(TFrmUni, GridColumnsHintsAndNavigator)
{
    Site s;
    TFrmUni w(s.db);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Databáze hardwarových jednotek"));
    QStringList titles;
    for (int c = 0; c < w.model()->columnCount(); ++c)
        titles << w.model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles.mid(0, 9), (QStringList{"Adresa", "Název", "Typ", "Použití", "Poplach", "Relé",
                                             "Konfigurační data", "SnimTM0", "SnimTM1"}));
    EXPECT_EQ(titles.size(), 7 + 16 + 4);
    EXPECT_EQ(titles.last(), QStringLiteral("VysUda3"));

    addUnit(w, 1, QStringLiteral("01"));
    QStringList readOnly;
    for (int c = 0; c < w.model()->columnCount(); ++c)
        if (!(w.model()->flags(w.model()->index(0, c)) & Qt::ItemIsEditable))
            readOnly << titles[c];
    EXPECT_EQ(readOnly, (QStringList{"Typ", "Použití", "Poplach", "Relé", "Konfigurační data"}));

    EXPECT_EQ(w.grid()->toolTip(),
              QStringLiteral("Dvojité poklepání v režimu opravit - změna parametrů"));
    EXPECT_EQ(w.newButton()->toolTip(), QStringLiteral("nový záznam"));
    QStringList hints;
    for (int b = 0; b < RecordNavigator::ButtonCount; ++b)
        if (!w.navigator()->button(RecordNavigator::Button(b))->isHidden())
            hints << w.navigator()->button(RecordNavigator::Button(b))->toolTip();
    EXPECT_EQ(hints, (QStringList{"na první ", "na předchozí", "na další", "na poslední", "smazat",
                                  "opravit", "hotovo", "zrušit"}));
}

TEST(TFrmUni, NewUnitPicksATypeWhileTheRestOfTheWindowIsOutOfUse)
{
    Site s;
    TFrmUni w(s.db);
    w.newButton()->click();
    ASSERT_EQ(w.openSubDialog(), w.typeSelector());
    EXPECT_EQ(w.typeSelector()->title(), QStringLiteral("Určení typu jednotky"));
    QStringList names;
    for (int i = 0; i < w.typeSelector()->list()->count(); ++i)
        names << w.typeSelector()->list()->item(i)->text();
    EXPECT_EQ(names, (QStringList{"přístupová ", "docházková ", "expander   ", "závorová   ",
                                  "expander T ", "závorová T "}));
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

    // "Nová" does nothing while a record is edited.
    edit(w);
    w.newButton()->click();
    EXPECT_EQ(w.openSubDialog(), nullptr);
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

TEST(TFrmUni, ADoubleClickOpensTheEditorOfItsColumnAndTypeOnlyWhileEditing)
{
    Site s;
    TFrmUni w(s.db);
    struct Case
    {
        quint8 type;
        const char *field;
        QWidget *panel; // null: nothing opens
    };
    const Case cases[] = {
        {1, "ALARM", w.alarmPanel()},
        {2, "ALARM", w.alarmPanel()},
        {3, "ALARM", w.alarmPanel()},
        {8, "ALARM", w.alarmPanel()},
        {4, "ALARM", nullptr},
        {9, "ALARM", nullptr},
        {2, "RELE", w.relayPanel()},
        {1, "RELE", nullptr},
        {3, "RELE", nullptr},
        {4, "RELE", nullptr},
        {1, "POUZITI", w.usePanel()},
        {2, "POUZITI", w.usePanel()},
        {9, "POUZITI", w.usePanel()},
        {1, "KONFIG", w.doorTimePanel()},
        {2, "KONFIG", w.doorTimePanel()},
        {3, "KONFIG", w.doorPanel()},
        {8, "KONFIG", w.doorPanel()},
        {4, "KONFIG", w.barrierPanel()},
        {9, "KONFIG", w.barrierPanel()},
        {1, "NAZEV", nullptr},
        {2, "TYP", nullptr},
    };
    int address = 0;
    for (const Case &c : cases) {
        addUnit(w, c.type, QStringLiteral("%1").arg(++address, 2, 16, QLatin1Char('0')));
        ASSERT_EQ(s.db.tbUni.state(), TableState::Browse);
        const QVariantList before = s.db.tbUni.storedValues();
        doubleClick(w, c.field);
        EXPECT_EQ(w.openSubDialog(), nullptr) << "browse " << c.field << " " << int(c.type);
        EXPECT_EQ(s.db.tbUni.state(), TableState::Browse);
        EXPECT_EQ(s.db.tbUni.storedValues(), before);

        edit(w);
        doubleClick(w, c.field);
        EXPECT_EQ(w.openSubDialog(), c.panel) << c.field << " type " << int(c.type);
        if (!w.openSubDialog()) {
            w.navigator()->button(RecordNavigator::Cancel)->click();
            continue;
        }
        EXPECT_FALSE(w.grid()->isEnabled());
        EXPECT_TRUE(c.panel->isVisibleTo(&w));
        static_cast<EditorPanel *>(c.panel)->doneButton()->click();
        EXPECT_EQ(w.openSubDialog(), nullptr);
        EXPECT_TRUE(w.grid()->isEnabled());
        EXPECT_FALSE(c.panel->isVisibleTo(&w));
        EXPECT_EQ(s.db.tbUni.state(), TableState::Browse) << "posted";
    }
    EXPECT_TRUE(s.messages.shown().isEmpty());
}

TEST(TFrmUni, DoorTimeSliderChangesOnlyTheFirstDigit)
{
    Site s;
    TFrmUni w(s.db);
    addUnit(w, 1, QStringLiteral("01"));
    edit(w);
    doubleClick(w, "KONFIG");
    ASSERT_EQ(w.openSubDialog(), w.doorTimePanel());
    EXPECT_EQ(w.doorTimePanel()->slider()->value(), 5);
    EXPECT_EQ(w.doorTimePanel()->number()->text(), QStringLiteral("5"));
    w.doorTimePanel()->slider()->setValue(12);
    EXPECT_EQ(w.doorTimePanel()->number()->text(), QStringLiteral("12"));
    w.doorTimePanel()->doneButton()->click();
    EXPECT_EQ(field(s.db, "KONFIG"), QStringLiteral("C1000000000000000000000000000000"));
}

TEST(TFrmUni, MaskEditorsShowTheObjectNamesAndWriteTheBits)
{
    Site s;
    TFrmUni w(s.db);
    addUnit(w, 2, QStringLiteral("01"));
    edit(w);
    doubleClick(w, "RELE");
    ASSERT_EQ(w.openSubDialog(), w.relayPanel());
    EXPECT_EQ(w.relayPanel()->title(), QStringLiteral("Maska otevření dveří"));
    EXPECT_EQ(w.relayPanel()->box(0)->text(), QStringLiteral("Příchod"));
    w.relayPanel()->box(0)->setChecked(true);
    w.relayPanel()->box(7)->setChecked(true);
    w.relayPanel()->doneButton()->click();
    EXPECT_EQ(field(s.db, "RELE"), QStringLiteral("81"));

    edit(w);
    doubleClick(w, "ALARM");
    ASSERT_EQ(w.openSubDialog(), w.alarmPanel());
    EXPECT_EQ(w.alarmPanel()->box(0)->text(), QStringLiteral("Dveře 0"));
    EXPECT_TRUE(w.alarmPanel()->box(5)->isChecked()); // FF by default
    w.alarmPanel()->box(5)->setChecked(false);
    w.alarmPanel()->doneButton()->click();
    EXPECT_EQ(field(s.db, "ALARM"), QStringLiteral("DF"));

    // The attendance unit's use panel is one "Aktivní" box.
    edit(w);
    doubleClick(w, "POUZITI");
    ASSERT_EQ(w.openSubDialog(), w.usePanel());
    EXPECT_EQ(w.usePanel()->title(), QStringLiteral("Funkce jednotky"));
    EXPECT_EQ(w.usePanel()->box(0)->text(), QStringLiteral("Aktivní"));
    EXPECT_FALSE(w.usePanel()->box(1)->isVisibleTo(&w));
    w.usePanel()->box(0)->setChecked(true);
    w.usePanel()->doneButton()->click();
    EXPECT_EQ(field(s.db, "POUZITI"), QStringLiteral("01"));
}

TEST(TFrmUni, UseMaskOfABarrierUnitKeepsItsHiddenBits)
{
    Site s;
    TFrmUni w(s.db);
    addUnit(w, 9, QStringLiteral("01"));
    edit(w);
    s.db.tbUni.setString(QStringLiteral("POUZITI"), QStringLiteral("0C"));
    doubleClick(w, "POUZITI");
    ASSERT_EQ(w.openSubDialog(), w.usePanel());
    EXPECT_EQ(w.usePanel()->title(), QStringLiteral("Vnější vstupy do objektu"));
    EXPECT_EQ(w.usePanel()->box(1)->text(), QStringLiteral("Závora 1 "));
    EXPECT_TRUE(w.usePanel()->box(1)->isVisibleTo(&w));
    EXPECT_FALSE(w.usePanel()->box(2)->isVisibleTo(&w));
    w.usePanel()->box(0)->setChecked(true);
    w.usePanel()->doneButton()->click();
    EXPECT_EQ(field(s.db, "POUZITI"), QStringLiteral("0D"));
}

TEST(TFrmUni, DoorAndBarrierParametersWriteTheirBytes)
{
    Site s;
    TFrmUni w(s.db);
    addUnit(w, 3, QStringLiteral("01"));
    edit(w);
    doubleClick(w, "KONFIG");
    ASSERT_EQ(w.openSubDialog(), w.doorPanel());
    EXPECT_EQ(w.doorPanel()->caption(3)->text(), QStringLiteral("Dveře 3"));
    EXPECT_EQ(w.doorPanel()->opening(0)->minimum(), 1);
    EXPECT_EQ(w.doorPanel()->opening(0)->maximum(), 100);
    w.doorPanel()->opening(1)->setValue(20);
    w.doorPanel()->waiting(3)->setValue(100);
    w.doorPanel()->doneButton()->click();
    EXPECT_EQ(field(s.db, "KONFIG"), QStringLiteral("01010114010101016400000000000000"));

    addUnit(w, 4, QStringLiteral("02"));
    edit(w);
    // In1 holds a code no entry stands for.
    s.db.tbUni.setString(QStringLiteral("KONFIG"),
                         QStringLiteral("03002201010101000000000000000000"));
    doubleClick(w, "KONFIG");
    ASSERT_EQ(w.openSubDialog(), w.barrierPanel());
    BarrierParametersPanel *p = w.barrierPanel();
    EXPECT_EQ(p->caption(0)->text(), QStringLiteral("Závora 0 "));
    EXPECT_EQ(p->barrierType(0)->currentText(), QStringLiteral("relé"));
    EXPECT_EQ(p->barrierType(1)->currentIndex(), -1);
    EXPECT_EQ(p->barrierType(1)->placeholderText(), QStringLiteral("???"));
    p->barrierType(0)->setCurrentIndex(2);
    p->opening(1)->setValue(7);
    p->waiting(0)->setValue(9);
    p->doneButton()->click();
    EXPECT_EQ(field(s.db, "KONFIG"), QStringLiteral("03102201070901000000000000000000"));
}

TEST(TFrmUni, TheMainWindowReevaluatesItsMenuAfterTheUnitsWindow)
{
    TempDir dir;
    ScriptedMessages messages;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    Application app{dir.path(), dir.path() + QLatin1Char('/'), messages, files, clock};
    MainWindow window{app};
    registerAppWindows(window, app);
    window.startButton()->click();
    ASSERT_TRUE(app.started());
    EXPECT_FALSE(window.action(QStringLiteral("StavJednotek"))->isEnabled());

    bool driven = false;
    QTimer::singleShot(0, &window, [&] {
        auto *units = qobject_cast<TFrmUni *>(QApplication::activeModalWidget());
        ASSERT_NE(units, nullptr);
        driven = true;
        addUnit(*units, 1, QStringLiteral("05"));
        units->reject();
    });
    QTimer::singleShot(10000, &window, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    window.action(QStringLiteral("DatabazeJednotek"))->trigger();
    EXPECT_TRUE(driven);
    EXPECT_EQ(app.db0.tbUni.recordCount(), 1);
    EXPECT_TRUE(window.action(QStringLiteral("StavJednotek"))->isEnabled());
}
