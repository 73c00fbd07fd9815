#include "admin/ui/TFrmKey.h"
#include "../AdminSite.h"
#include "admin/ui/PickListDelegate.h"
#include "admin/ui/RecordNavigator.h"
#include "app/Application.h"
#include "app/ui/AppWindows.h"
#include "app/ui/MainWindow.h"
#include "support/WindowDriving.h"
#include "tables/TableGridModel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using namespace vardex;
using namespace vardex::testing;

namespace {

QStringList gridNames(TFrmKey &w)
{
    QStringList names;
    const int column = int(TFrmKey::columnFields().indexOf(QStringLiteral("JMENO")));
    for (int r = 0; r < w.model()->rowCount(); ++r)
        names << w.model()->data(w.model()->index(r, column)).toString();
    return names;
}

void press(TFrmKey &w, RecordNavigator::Button b)
{
    w.navigator()->button(b)->click();
}

void type(TFrmKey &w, const char *field, const QString &text)
{
    const int column = int(TFrmKey::columnFields().indexOf(QLatin1String(field)));
    ASSERT_TRUE(w.model()->setData(w.model()->index(w.model()->currentRow(), column), text));
}

} // namespace

TEST(TFrmKey, ThePickListKeepsATypedWorkplace)
{
    KeyHolderSite s;
    KeyHolderSite::fill(s.vx.tbPrs, QStringLiteral("PRACOVISTE"), {QStringLiteral("Dílna")});
    TFrmKey w(s.db, s.vx, s.files);
    auto *delegate = dynamic_cast<PickListDelegate *>(w.grid()->itemDelegateForColumn(5));
    ASSERT_NE(delegate, nullptr);
    EXPECT_EQ(delegate->values(), QStringList{QStringLiteral("Dílna")});
    // The list offers values; a typed text outside it is kept as typed.
    QWidget *editor = delegate->createEditor(w.grid(), {}, w.model()->index(0, 5));
    auto *box = qobject_cast<QComboBox *>(editor);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->count(), 1);
    box->setEditText(QStringLiteral("Sklad"));
    delegate->setModelData(box, w.model(), w.model()->index(0, 5));
    delete editor;
    EXPECT_EQ(s.db.tbKey.asString(QStringLiteral("PRACOVISTE")), QStringLiteral("Sklad"));
    EXPECT_EQ(s.db.tbKey.state(), TableState::Edit);
}

TEST(TFrmKey, TypingASearchTextSortsByNameAndTheOrderStaysAfterClearingIt)
{
    KeyHolderSite s;
    TFrmKey w(s.db, s.vx, s.files);
    EXPECT_EQ(gridNames(w).first(), QStringLiteral("Čermák Jan")) << "key-number order at first";
    w.searchBox()->setText(QStringLiteral("Ch"));
    EXPECT_EQ(s.current(), QStringLiteral("Chalupa Ivo"));
    EXPECT_EQ(w.model()->currentRow(), 4);
    w.searchBox()->clear();
    EXPECT_EQ(gridNames(w), (QStringList{"Adámek Aleš", "Cibulka Eva", "Čermák Jan", "Hrubý Petr",
                                         "Chalupa Ivo"}));
}

TEST(TFrmKey, ReadKeyPanelDependsOnWhetherTheRecordIsEdited)
{
    struct Case
    {
        const char *name;
        bool editing;
        KeyBytes key;
        const char *button; // caption of the second button
        bool storeShown;
        const char *landsOn;
        QStringList messages;
        bool escape; // the panel is closed with Escape, else its second button
    };
    const Case cases[] = {
        {"browse, known key", false, {0x01, 0x04}, "OK", false, "Chalupa Ivo", {}, false},
        {"browse, unknown key",
         false,
         {0x01, 0x77},
         "OK",
         false,
         "Hrubý Petr",
         {"Neznámý klíč!"},
         true},
        {"editing", true, {0x01, 0x77}, "Přerušit", true, "Hrubý Petr", {}, true},
    };
    for (const Case &c : cases) {
        KeyHolderSite s;
        TFrmKey w(s.db, s.vx, s.files);
        w.show();
        w.searchBox()->setText(QStringLiteral("H"));
        const QString order = s.db.tbKey.orderFields();
        if (c.editing)
            press(w, RecordNavigator::Edit);
        s.nextKey = c.key;
        // The read key is on the screen before any message about it.
        s.messages.onShown = [&](const auto &) {
            EXPECT_TRUE(w.resultPanel()->isVisibleTo(&w)) << c.name;
        };
        w.readKeyButton()->click();
        s.messages.onShown = nullptr;
        ASSERT_TRUE(w.resultPanel()->isVisibleTo(&w)) << c.name;
        EXPECT_EQ(w.resultText()->text(), keyToText(c.key)) << c.name;
        EXPECT_EQ(w.closePanelButton()->text(), QString::fromUtf8(c.button)) << c.name;
        EXPECT_EQ(w.storeButton()->isVisibleTo(&w), c.storeShown) << c.name;
        EXPECT_EQ(s.current(), QString::fromUtf8(c.landsOn)) << c.name;
        EXPECT_EQ(s.messages.texts(), c.messages) << c.name;
        EXPECT_FALSE(w.grid()->isEnabled()) << c.name;
        EXPECT_EQ(s.db.tbKey.orderFields(), order) << c.name << ": the order by name stays";
        if (c.escape)
            pressKey(w.resultText(), Qt::Key_Escape);
        else
            w.closePanelButton()->click();
        EXPECT_FALSE(w.resultPanel()->isVisibleTo(&w)) << c.name;
        EXPECT_TRUE(w.grid()->isEnabled()) << c.name;
        EXPECT_TRUE(w.isVisible()) << c.name;
        EXPECT_EQ(s.db.tbKey.state(), c.editing ? TableState::Edit : TableState::Browse) << c.name;
        EXPECT_EQ(s.db.tbKeyNameOfKey(QStringLiteral("01000000000077")),
                  QStringLiteral("Klíč: 01000000000077"))
            << c.name << ": nothing stored";
    }
}

TEST(TFrmKey, NoKeyReadLeavesTheWindowAsItWas)
{
    KeyHolderSite s;
    TFrmKey w(s.db, s.vx, s.files);
    w.readKeyButton()->click();
    EXPECT_FALSE(w.resultPanel()->isVisibleTo(&w));
    EXPECT_TRUE(s.messages.texts().isEmpty());
}

TEST(TFrmKey, ANewHolderIsTypedIntoItsOwnRowWithTheKeyReadAtTheUnit)
{
    KeyHolderSite s;
    TFrmKey w(s.db, s.vx, s.files);
    press(w, RecordNavigator::Insert);
    ASSERT_EQ(s.db.tbKey.state(), TableState::Insert);
    EXPECT_EQ(w.model()->rowCount(), 6);
    EXPECT_EQ(w.grid()->currentIndex().row(), 5);

    s.nextKey = {0x01, 0x06};
    w.readKeyButton()->click();
    w.storeButton()->click();
    EXPECT_FALSE(w.resultPanel()->isVisibleTo(&w));
    type(w, "JMENO", QStringLiteral("Šťastný Jiří"));
    press(w, RecordNavigator::Post);
    EXPECT_EQ(s.messages.texts(), QStringList{QStringLiteral("Chybí povinný údaj: OSCIS")})
        << "the engine's own text for the empty personal number";
    EXPECT_EQ(s.db.tbKey.state(), TableState::Insert);

    type(w, "OSCIS", QStringLiteral("106"));
    press(w, RecordNavigator::Post);
    EXPECT_EQ(s.db.tbKey.state(), TableState::Browse);
    EXPECT_EQ(s.db.tbKeyNameOfKey(QStringLiteral("01000000000006")),
              QStringLiteral("Šťastný Jiří"));
    EXPECT_EQ(w.model()->rowCount(), 6);
}

TEST(TFrmKey, ExportAndImportButtonsOfferKlice)
{
    KeyHolderSite s;
    TFrmKey w(s.db, s.vx, s.files);
    const QString path = s.dir.path() + QStringLiteral("/KLICE.SDF");
    s.files.choose(path).choose(path);
    w.exportButton()->click();
    s.messages.answer(Answer::Yes);
    w.importButton()->click();
    ASSERT_EQ(s.files.saveRequests().size(), 1);
    ASSERT_EQ(s.files.openRequests().size(), 1);
    EXPECT_EQ(s.files.openRequests()[0].initialName, QStringLiteral("KLICE.SDF"));
    EXPECT_EQ(s.messages.texts(), QStringList{QStringLiteral("Smazat stará data?")});
    EXPECT_EQ(w.model()->rowCount(), 5);
    EXPECT_EQ(s.db.tbKeyNameOfKey(QStringLiteral("01000000000002")), QStringLiteral("Adámek Aleš"));
}

TEST(TFrmKey, TheMainWindowOpensItAndReevaluatesItsMenuAfterwards)
{
    TempDir dir;
    ScriptedMessages messages;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    Application app{dir.path(), dir.path() + QLatin1Char('/'), messages, files, clock};
    MainWindow window{app};
    registerAppWindows(window, app);
    ASSERT_TRUE(app.db0.OpenMinimalDatabases(nullptr));
    ASSERT_TRUE(app.db0.tbUniDefaultByType(1));
    ASSERT_TRUE(app.db0.tbUni.edit());
    app.db0.tbUni.setString(QStringLiteral("ADRESA"), QStringLiteral("01"));
    ASSERT_TRUE(app.db0.tbUni.post());
    // A permission group opens the key holders' entry for an access unit.
    ASSERT_TRUE(app.vx.tbAcc.open());
    KeyHolderSite::fill(app.vx.tbAcc, QStringLiteral("OPRAVNENI"), {QStringLiteral("Vrátní")},
                        {{QStringLiteral("P_AHW"), QStringLiteral("01")},
                         {QStringLiteral("P_MSK"), QStringLiteral("FF")}});
    window.startButton()->click();
    ASSERT_TRUE(app.started());
    EXPECT_FALSE(window.action(QStringLiteral("SberDat"))->isEnabled()) << "no key holder yet";

    bool driven = false;
    runDriven([&] { window.action(QStringLiteral("DatabazeKlicu"))->trigger(); },
              [&] {
                  auto *keys = qobject_cast<TFrmKey *>(QApplication::activeModalWidget());
                  ASSERT_NE(keys, nullptr);
                  driven = true;
                  press(*keys, RecordNavigator::Insert);
                  type(*keys, "CTM", QStringLiteral("01000000000001"));
                  type(*keys, "JMENO", QStringLiteral("Novák Jan"));
                  type(*keys, "OSCIS", QStringLiteral("1"));
                  keys->reject(); // posts the new holder and closes
              });
    EXPECT_TRUE(driven);
    EXPECT_EQ(app.db0.tbKey.recordCount(), 1);
    EXPECT_TRUE(window.action(QStringLiteral("SberDat"))->isEnabled());
}
