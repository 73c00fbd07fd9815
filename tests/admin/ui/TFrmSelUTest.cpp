#include "admin/ui/TFrmSelU.h"
#include "accessdata/TDB0DM.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

using namespace vardex;
using vardex::testing::execDriven;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

// Units 01..05, the table left on unit 02.
struct Site
{
    Site()
    {
        EXPECT_TRUE(db.OpenMinimalDatabases(nullptr));
        for (const char *a : {"04", "01", "03", "05", "02"}) {
            EXPECT_TRUE(db.tbUniDefaultByType(1));
            db.tbUni.edit();
            db.tbUni.setString(QStringLiteral("ADRESA"), QLatin1String(a));
            EXPECT_TRUE(db.tbUni.post());
        }
        EXPECT_TRUE(db.tbUni.findKey({QStringLiteral("02")}));
        UnitSelection &set = db.selection();
        set.chosenAddress = QStringLiteral("7F");
        set.addresses = {QStringLiteral("7F")};
        set.cursor = 1;
    }

    TempDir dir;
    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db{dir.path(), messages, clock};
};

void click(QTableView *view, int row, Qt::KeyboardModifiers modifiers)
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

} // namespace

TEST(TFrmSelU, EachWayOutLeavesTheSelectionSetAsExpected)
{
    struct Case
    {
        const char *name;
        std::function<void(TFrmSelU &)> drive;
        int result;
        const char *chosen;
        QStringList addresses;
        int cursor;
    };
    const Case cases[] = {
        {"Přerušit", [](TFrmSelU &d) { d.cancelButton()->click(); }, QDialog::Rejected, "", {}, 0},
        {"Hotovo, marked 04, 01, 05 (05 current)",
         [](TFrmSelU &d) {
             click(d.grid(), 3, Qt::ControlModifier);
             click(d.grid(), 2, Qt::ControlModifier); // 03 marked ...
             click(d.grid(), 0, Qt::ControlModifier);
             click(d.grid(), 2, Qt::ControlModifier); // ... and unmarked
             click(d.grid(), 4, Qt::ControlModifier);
             d.doneButton()->click();
         },
         QDialog::Accepted,
         "05",
         {"04", "01", "05"},
         0},
        {"Hotovo, nothing marked",
         [](TFrmSelU &d) {
             click(d.grid(), 2, Qt::ControlModifier);
             click(d.grid(), 3, Qt::NoModifier); // a plain click drops the marks
             d.doneButton()->click();
         },
         QDialog::Accepted,
         "04",
         {},
         0},
        {"double-click, then the close box",
         [](TFrmSelU &d) {
             click(d.grid(), 0, Qt::ControlModifier);
             d.rowDoubleClicked(d.grid()->model()->index(2, 1));
             EXPECT_TRUE(d.isVisible());
             d.close();
         },
         QDialog::Rejected,
         "03",
         {},
         0},
        {"Všechny (current 02)",
         [](TFrmSelU &d) { d.allButton()->click(); },
         QDialog::Accepted,
         "02",
         {"01", "02", "03", "04", "05"},
         1},
    };
    for (const Case &c : cases) {
        Site s;
        int result = -1;
        {
            TFrmSelU dialog(s.db);
            EXPECT_TRUE(s.db.selection().chosenAddress.isEmpty());
            EXPECT_TRUE(s.db.selection().addresses.isEmpty());
            result = execDriven(dialog, [&] { c.drive(dialog); });
        }
        const UnitSelection &set = s.db.selection();
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(set.chosenAddress, QLatin1String(c.chosen)) << c.name;
        EXPECT_EQ(set.addresses, c.addresses) << c.name;
        EXPECT_EQ(set.count(), c.addresses.size()) << c.name;
        EXPECT_EQ(set.cursor, c.cursor) << c.name;
    }
}

TEST(TFrmSelU, ReadOnlyGridStartsOnTheCurrentUnit)
{
    Site s;
    TFrmSelU dialog(s.db);
    QAbstractItemModel *m = dialog.grid()->model();
    EXPECT_FALSE(m->flags(m->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_EQ(dialog.grid()->currentIndex().row(), 1);
}
