#include "admin/ui/TFrmSelU.h"
#include "../AdminSite.h"
#include "support/WindowDriving.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

using namespace vardex;
using namespace vardex::testing;

namespace {

// Units 01..05, the table left on unit 02, a selection left by an earlier run.
struct Site : AdminSite
{
    Site()
    {
        for (const char *a : {"04", "01", "03", "05", "02"})
            addUnit(1, QLatin1String(a));
        EXPECT_TRUE(db.tbUni.findKey({u"02"_s}));
        UnitSelection &set = db.selection();
        set.chosenAddress = u"7F"_s;
        set.addresses = {u"7F"_s};
        set.cursor = 1;
    }
};

void click(QTableView *view, int row, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    const QPointF global = view->viewport()->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      modifiers);
    QApplication::sendEvent(view->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        modifiers);
    QApplication::sendEvent(view->viewport(), &release);
}

// Runs the dialog over a fresh site with `drive` and checks what it leaves.
void expectWayOut(const char *name, int result, const char *chosen, const QStringList &addresses,
                  int cursor, const std::function<void(TFrmSelU &)> &drive)
{
    SCOPED_TRACE(name);
    Site s;
    int got = -1;
    {
        TFrmSelU dialog(s.db);
        EXPECT_TRUE(s.db.selection().chosenAddress.isEmpty());
        EXPECT_TRUE(s.db.selection().addresses.isEmpty());
        got = execDriven(dialog, [&] { drive(dialog); });
    }
    const UnitSelection &set = s.db.selection();
    EXPECT_EQ(got, result);
    EXPECT_EQ(set.chosenAddress, QLatin1String(chosen));
    EXPECT_EQ(set.addresses, addresses);
    EXPECT_EQ(set.count(), addresses.size());
    EXPECT_EQ(set.cursor, cursor);
}

} // namespace

TEST(TFrmSelU, EachWayOutLeavesTheSelectionSetAsExpected)
{
    expectWayOut("Přerušit", QDialog::Rejected, "", {}, 0,
                 [](TFrmSelU &d) { d.cancelButton()->click(); });
    expectWayOut("Hotovo, 04 01 05 marked", QDialog::Accepted, "05", {"04", "01", "05"}, 0,
                 [](TFrmSelU &d) {
                     for (int row : {3, 2, 0, 2, 4}) // 03 marked and unmarked
                         click(d.grid(), row);
                     d.doneButton()->click();
                 });
    expectWayOut("Hotovo, nothing marked", QDialog::Accepted, "04", {}, 0, [](TFrmSelU &d) {
        click(d.grid(), 2);
        click(d.grid(), 3, Qt::NoModifier); // a plain click drops the marks
        d.doneButton()->click();
    });
    expectWayOut("double-click, close box", QDialog::Rejected, "03", {}, 0, [](TFrmSelU &d) {
        click(d.grid(), 0);
        d.rowDoubleClicked(d.grid()->model()->index(2, 1));
        EXPECT_TRUE(d.isVisible());
        d.close();
    });
    expectWayOut("Všechny (current 02)", QDialog::Accepted, "02", {"01", "02", "03", "04", "05"}, 1,
                 [](TFrmSelU &d) { d.allButton()->click(); });
}

TEST(TFrmSelU, ReadOnlyGridStartsOnTheCurrentUnit)
{
    Site s;
    TFrmSelU dialog(s.db);
    QAbstractItemModel *m = dialog.grid()->model();
    EXPECT_FALSE(m->flags(m->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_EQ(dialog.grid()->currentIndex().row(), 1);
}
