// What the key holders and units windows share: their grids, navigator and
// keyboard.
#include "../AdminSite.h"
#include "admin/ui/RecordNavigator.h"
#include "admin/ui/TFrmKey.h"
#include "admin/ui/TFrmUni.h"
#include "support/WindowDriving.h"
#include "tables/TableGridModel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

using namespace vardex;
using namespace vardex::testing;

TEST(GridWindows, EnterInTheSearchBoxOrOnACellPressesNoButton)
{
    KeyHolderSite s;
    s.nextKey = {0x01, 0x04};
    TFrmKey keys(s.db, s.vx, s.files);
    TFrmUni units(s.db);
    const std::pair<QDialog *, QWidget *> cases[] = {
        {&keys, keys.searchBox()}, {&keys, keys.grid()}, {&units, units.grid()}};
    for (const auto &[window, widget] : cases) {
        window->show();
        pressKey(widget, Qt::Key_Return);
        pressKey(widget, Qt::Key_Enter);
        EXPECT_TRUE(window->isVisible()) << widget->metaObject()->className();
        window->hide();
    }
    EXPECT_FALSE(keys.resultPanel()->isVisibleTo(&keys)) << "no key was read";
    EXPECT_EQ(units.openSubDialog(), nullptr) << "no new unit was begun";
    EXPECT_EQ(s.db.tbUni.recordCount(), 0);
}

TEST(GridWindows, EveryStoredTextAndTitleFitsItsColumn)
{
    KeyHolderSite s;
    for (quint8 type : UnitDatabase::newUnitTypes())
        s.addUnit(type, u"0%1"_s.arg(type));
    TFrmKey keys(s.db, s.vx, s.files);
    TFrmUni units(s.db);
    for (QTableView *grid : {keys.grid(), units.grid()}) {
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            SCOPED_TRACE(grid->model()->headerData(c, Qt::Horizontal).toString().toStdString());
            // the widest text of the rows, as the view draws it
            EXPECT_LE(static_cast<QAbstractItemView *>(grid)->sizeHintForColumn(c),
                      grid->columnWidth(c));
            EXPECT_LE(grid->horizontalHeader()->sectionSizeHint(c), grid->columnWidth(c));
        }
    }
}

// First and prior are out of use on the first record, next and last on the
// last, however the cursor came there.
TEST(GridWindows, TheNavigatorMovesOnlyWhereThereIsARecord)
{
    using B = RecordNavigator::Button;
    // name, presses, the row chosen in the grid afterwards (-1 none), back and forward in use
    const std::tuple<const char *, QList<B>, int, bool, bool> cases[] = {
        {"first", {B::First}, -1, false, true},
        {"first, next, prior", {B::First, B::Next, B::Prior}, -1, false, true},
        {"first row chosen in the grid", {B::Last}, 0, false, true},
        {"editing the first", {B::First, B::Edit}, -1, false, true},
        {"second", {B::First, B::Next}, -1, true, true},
        {"last", {B::Last}, -1, true, false},
        {"last, prior, next", {B::Last, B::Prior, B::Next}, -1, true, false},
        {"last row chosen in the grid", {}, 4, true, false},
        {"inserting after the last", {B::Insert}, -1, true, false},
    };
    for (const auto &[name, presses, gridRow, back, forward] : cases) {
        SCOPED_TRACE(name);
        KeyHolderSite s;
        TFrmKey w(s.db, s.vx, s.files);
        RecordNavigator *n = w.navigator();
        for (B b : presses)
            n->button(b)->click();
        if (gridRow >= 0)
            w.grid()->setCurrentIndex(w.model()->index(gridRow, 0));
        EXPECT_EQ(n->button(B::First)->isEnabled(), back);
        EXPECT_EQ(n->button(B::Prior)->isEnabled(), back);
        EXPECT_EQ(n->button(B::Next)->isEnabled(), forward);
        EXPECT_EQ(n->button(B::Last)->isEnabled(), forward);
    }
}
