#include "accessdata/TDB0DM.h"
#include "events/ui/TFrmSel2T.h"
#include "events/ui/TINTERVAL.h"
#include "events/ui/TRESFLT.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

using namespace vardex;
using namespace vardex::testing;

namespace {

template <typename D> D *active()
{
    auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
    EXPECT_TRUE(dialog);
    return dialog;
}

// Clicks day `day` of the month shown. Days of the months around it fill the
// first and last rows: an early day is the first match from the top, a late
// one the last.
void clickDay(TINTERVAL *dialog, int day, Qt::KeyboardModifiers modifiers = {})
{
    auto *view = dialog->calendar()->findChild<QTableView *>();
    const QAbstractItemModel *model = view->model();
    QModelIndex cell;
    for (int row = 1; row < model->rowCount(); ++row)
        for (int column = 1; column < model->columnCount(); ++column)
            if (model->index(row, column).data().toInt() == day && (!cell.isValid() || day > 14))
                cell = model->index(row, column);
    const QPoint at = view->visualRect(cell).center();
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          modifiers);
        QApplication::sendEvent(view->viewport(), &event);
    }
}

QString shown(TINTERVAL *dialog)
{
    return dialog->firstText()->text() + "-" + dialog->lastText()->text();
}

// Today is 10 February 2028.
struct Site
{
    TempDir dir;
    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2028, 2, 10), QTime(9, 0))};
    TDB0DM db{dir.path(), messages, clock};
};

} // namespace

TEST(TRESFLT, HotovoWaitsForAKindAndAPlaceAndGivesTheirFilter)
{
    std::optional<QString> text;
    runDriven([&] { text = TRESFLT::choose(nullptr); },
              [] {
                  auto *d = active<TRESFLT>();
                  EXPECT_FALSE(d->doneButton()->isEnabled());
                  const std::pair<QCheckBox *, bool> clicks[] = {
                      {d->kindBox(ResultFilter::Povoleno), false},
                      {d->placeBox(0), true},
                      {d->placeBox(0), false},
                      {d->placeBox(0), true},
                      {d->placeBox(9), true}};
                  for (const auto &[box, enabled] : clicks) {
                      box->click();
                      EXPECT_EQ(d->doneButton()->isEnabled(), enabled);
                  }
                  d->doneButton()->click();
              });
    EXPECT_EQ(text, "RES='00' OR RES='09' OR RES='40' OR RES='49'");
}

TEST(TFrmSel2T, TheEndFollowsTheStartAndOnlyPouzitStores)
{
    Site s;
    for (bool apply : {true, false}) {
        s.db.interval.startTime = 0x0800;
        s.db.interval.endTime = 0x0C00;
        TFrmSel2T dialog(s.db);
        execDriven(dialog, [&] {
            dialog.startHour()->setValue(13);
            dialog.endMinute()->stepUp();
            dialog.startMinute()->setValue(30);
            EXPECT_EQ(dialog.startText()->text() + "-" + dialog.endText()->text(), "13:30-13:30");
            EXPECT_EQ(dialog.endMinute()->value(), 30);
            apply ? dialog.applyButton()->click() : void(dialog.close());
        });
        EXPECT_EQ(s.db.FiltrTime(), apply ? "CAS>='13:30' AND CAS<='13:30'" : "");
    }
}

TEST(TINTERVAL, ClicksPickAPeriodWithinTheLongestOrASingleDay)
{
    Site s;
    s.db.showDateDialog = [](const DatePeriodRequest &r) { return TINTERVAL::choose(r, nullptr); };
    bool confirmed = false;
    runDriven([&] { confirmed = s.db.UrceniIntervaluZpracovani(7); },
              [] {
                  auto *d = active<TINTERVAL>();
                  EXPECT_EQ(shown(d), "01.02.2028-07.02.2028"); // this month, cut to 7 days
                  clickDay(d, 10);
                  clickDay(d, 4);
                  EXPECT_EQ(shown(d), "04.02.2028-10.02.2028");
                  clickDay(d, 28, Qt::ShiftModifier); // from the 10th, 7 days at most
                  EXPECT_EQ(shown(d), "10.02.2028-16.02.2028");
                  QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier);
                  QApplication::sendEvent(d->calendar()->findChild<QTableView *>(), &left);
                  EXPECT_EQ(shown(d), "10.02.2028-15.02.2028");
                  d->doneButton()->click();
              });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(s.db.ObdobiZpracovani(), "10.02.2028 - 15.02.2028");

    runDriven([&] { confirmed = s.db.UrceniDne(); },
              [] {
                  auto *d = active<TINTERVAL>();
                  clickDay(d, 22);
                  clickDay(d, 24, Qt::ShiftModifier);
                  EXPECT_EQ(shown(d), "24.02.2028-24.02.2028");
                  d->doneButton()->click();
              });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(s.db.ObdobiZpracovani(), "24.02.2028 - 24.02.2028");
}
