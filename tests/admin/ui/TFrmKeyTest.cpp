#include "admin/ui/TFrmKey.h"
#include "../AdminSite.h"
#include "admin/ui/PickListDelegate.h"
#include "admin/ui/RecordNavigator.h"
#include "support/WindowDriving.h"
#include "tables/TableGridModel.h"

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
    const int column = int(TFrmKey::columnFields().indexOf(u"JMENO"_s));
    for (int r = 0; r < w.model()->rowCount(); ++r)
        names << w.model()->data(w.model()->index(r, column)).toString();
    return names;
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
    AdminSite::fill(s.vx.tbPrs, u"PRACOVISTE"_s, {u"Dílna"_s});
    TFrmKey w(s.db, s.vx, s.files);
    auto *delegate = dynamic_cast<PickListDelegate *>(w.grid()->itemDelegateForColumn(5));
    ASSERT_NE(delegate, nullptr);
    EXPECT_EQ(delegate->values(), QStringList{u"Dílna"_s});
    // The list offers values; a typed text outside it is kept as typed.
    QWidget *editor = delegate->createEditor(w.grid(), {}, w.model()->index(0, 5));
    auto *box = qobject_cast<QComboBox *>(editor);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->count(), 1);
    box->setEditText(u"Sklad"_s);
    delegate->setModelData(box, w.model(), w.model()->index(0, 5));
    delete editor;
    EXPECT_EQ(s.current("PRACOVISTE"), u"Sklad"_s);
    EXPECT_EQ(s.db.tbKey.state(), TableState::Edit);
}

TEST(TFrmKey, TypingASearchTextSortsByNameAndTheOrderStaysAfterClearingIt)
{
    KeyHolderSite s;
    TFrmKey w(s.db, s.vx, s.files);
    EXPECT_EQ(gridNames(w).first(), u"Čermák Jan"_s) << "key-number order at first";
    w.searchBox()->setText(u"Ch"_s);
    EXPECT_EQ(s.current(), u"Chalupa Ivo"_s);
    EXPECT_EQ(w.model()->currentRow(), 4);
    w.searchBox()->clear();
    EXPECT_EQ(gridNames(w), (QStringList{"Adámek Aleš", "Cibulka Eva", "Čermák Jan", "Hrubý Petr",
                                         "Chalupa Ivo"}));
}

TEST(TFrmKey, ReadKeyPanelDependsOnWhetherTheRecordIsEdited)
{
    // name, editing, key read, where the cursor lands, messages, closed with
    // Escape (else with the panel's second button)
    const std::tuple<const char *, bool, KeyBytes, const char *, QStringList, bool> cases[] = {
        {"browse, known key", false, {0x01, 0x04}, "Chalupa Ivo", {}, false},
        {"browse, unknown key", false, {0x01, 0x77}, "Hrubý Petr", {"Neznámý klíč!"}, true},
        {"editing", true, {0x01, 0x77}, "Hrubý Petr", {}, true}};
    for (const auto &[name, editing, key, landsOn, messages, escape] : cases) {
        SCOPED_TRACE(name);
        KeyHolderSite s;
        TFrmKey w(s.db, s.vx, s.files);
        w.show();
        w.searchBox()->setText(u"H"_s);
        const QString order = s.db.tbKey.orderFields();
        if (editing)
            w.navigator()->button(RecordNavigator::Edit)->click();
        s.nextKey = key;
        // The read key is on the screen before any message about it.
        s.messages.onShown = [&](const auto &) { EXPECT_TRUE(w.resultPanel()->isVisibleTo(&w)); };
        w.readKeyButton()->click();
        s.messages.onShown = nullptr;
        ASSERT_TRUE(w.resultPanel()->isVisibleTo(&w));
        EXPECT_EQ(w.resultText()->text(), keyToText(key));
        EXPECT_EQ(w.closePanelButton()->text(), editing ? u"Přerušit"_s : u"OK"_s);
        EXPECT_EQ(w.storeButton()->isVisibleTo(&w), editing);
        EXPECT_EQ(s.current(), QString::fromUtf8(landsOn));
        EXPECT_EQ(s.messages.texts(), messages);
        EXPECT_FALSE(w.grid()->isEnabled());
        EXPECT_EQ(s.db.tbKey.orderFields(), order) << "the order by name stays";
        if (escape)
            pressKey(w.resultText(), Qt::Key_Escape);
        else
            w.closePanelButton()->click();
        EXPECT_FALSE(w.resultPanel()->isVisibleTo(&w));
        EXPECT_TRUE(w.grid()->isEnabled());
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(s.db.tbKey.state(), editing ? TableState::Edit : TableState::Browse);
        EXPECT_EQ(s.db.tbKeyNameOfKey(u"01000000000077"_s), u"Klíč: 01000000000077"_s)
            << "nothing stored";
    }
}

// Closing the window posts the new holder, as the main window's menu
// expects when it is re-evaluated afterwards.
TEST(TFrmKey, ANewHolderIsTypedIntoItsOwnRowWithTheKeyReadAtTheUnit)
{
    KeyHolderSite s;
    TFrmKey w(s.db, s.vx, s.files);
    w.navigator()->button(RecordNavigator::Insert)->click();
    ASSERT_EQ(s.db.tbKey.state(), TableState::Insert);
    EXPECT_EQ(w.model()->rowCount(), 6);
    EXPECT_EQ(w.grid()->currentIndex().row(), 5);

    w.readKeyButton()->click();
    EXPECT_FALSE(w.resultPanel()->isVisibleTo(&w)) << "no key was read";
    EXPECT_TRUE(s.messages.texts().isEmpty());
    s.nextKey = {0x01, 0x06};
    w.readKeyButton()->click();
    w.storeButton()->click();
    EXPECT_FALSE(w.resultPanel()->isVisibleTo(&w));
    type(w, "JMENO", u"Šťastný Jiří"_s);
    w.navigator()->button(RecordNavigator::Post)->click();
    EXPECT_EQ(s.messages.texts(), QStringList{u"Chybí povinný údaj: OSCIS"_s})
        << "the engine's own text for the empty personal number";
    EXPECT_EQ(s.db.tbKey.state(), TableState::Insert);

    type(w, "OSCIS", u"106"_s);
    w.reject();
    EXPECT_EQ(s.db.tbKey.state(), TableState::Browse);
    EXPECT_EQ(s.db.tbKeyNameOfKey(u"01000000000006"_s), u"Šťastný Jiří"_s);
    EXPECT_EQ(w.model()->rowCount(), 6);
}

TEST(TFrmKey, ExportAndImportButtonsOfferKlice)
{
    KeyHolderSite s;
    TFrmKey w(s.db, s.vx, s.files);
    s.files.choose(s.dir.file(u"KLICE.SDF"_s)).choose(s.dir.file(u"KLICE.SDF"_s));
    w.exportButton()->click();
    s.messages.answer(Answer::Yes);
    w.importButton()->click();
    ASSERT_EQ(s.files.saveRequests().size(), 1);
    ASSERT_EQ(s.files.openRequests().size(), 1);
    EXPECT_EQ(s.files.openRequests()[0].initialName, u"KLICE.SDF"_s);
    EXPECT_EQ(s.messages.texts(), QStringList{u"Smazat stará data?"_s});
    EXPECT_EQ(w.model()->rowCount(), 5);
    EXPECT_EQ(s.db.tbKeyNameOfKey(u"01000000000002"_s), u"Adámek Aleš"_s);
}
