#include "app/Application.h"
#include "attendance/ui/TDOCHAZ.h"
#include "attendance/ui/TOPRAVY.h"
#include "platform/Clock.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"
#include "timecal/HourMinute.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

namespace {

QString cell(const TOPRAVY &w, int row, CorrectionColumn column)
{
    return w.grid()->item(row, int(column))->text();
}

} // namespace

TEST(TOPRAVY, CorrectedTimesRecomputeTheDayAndClosingTheMonth)
{
    MonthResults results;
    DayResult &monday = results.days[7];
    monday.firstArrival = {QDate(2026, 12, 7), MakeHourMinute(5, 50)};
    monday.norm = MakeHourMinute(8, 0);
    results.days[8].work = MakeHourMinute(3, 0); // not yet totalled
    TOPRAVY w(results, 2026, 12, u"Výstupní data pro Novák Jan"_qs);
    ASSERT_EQ(w.grid()->rowCount(), 31);
    EXPECT_EQ(cell(w, 7, CorrectionColumn::Start), u"8.12. út"_qs);

    w.cellClicked(6, int(CorrectionColumn::Total)); // computed, not corrected
    EXPECT_TRUE(w.editPanel()->isHidden());
    w.cellClicked(6, int(CorrectionColumn::Work));
    EXPECT_EQ(w.editPanel()->title(), u"Oprava údaje 7.12. 05:50 po"_qs);
    w.editField()->setText(u"7:30"_qs);
    EXPECT_FALSE(w.storeButton()->isEnabled());
    w.editField()->setText(u"07:30"_qs);
    ASSERT_TRUE(w.storeButton()->isEnabled());
    w.store();
    EXPECT_EQ(cell(w, 6, CorrectionColumn::Total), u"07:30"_qs);
    EXPECT_EQ(cell(w, 6, CorrectionColumn::Balance), u"-00:30"_qs);

    w.cellClicked(6, int(CorrectionColumn::Note));
    w.editField()->setText(u"zapomněl odchod"_qs);
    w.store();
    EXPECT_EQ(monday.note, u"zapomněl odchod"_qs);

    w.accept();
    EXPECT_EQ(results.days[8].total, MakeHourMinute(3, 0));
}

// The attendance window's buttons open the day review and the work-file
// listing.
TEST(TDOCHAZ, ServiceButtonsOpenTheirWindows)
{
    TempDir dir;
    ScriptedMessages messages;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    Application app{dir.path(), dir.path() + u'/', messages, files, clock};
    ASSERT_EQ(app.start(), StartOutcome::Started);
    TDOCHAZ w(app);
    const auto press = [&](const QString &caption, const char *window) {
        QPushButton *button = nullptr;
        for (QPushButton *b : w.findChildren<QPushButton *>())
            if (b->text() == caption)
                button = b;
        ASSERT_NE(button, nullptr) << caption.toStdString();
        QString opened;
        runDriven([&] { button->click(); },
                  [&] {
                      QWidget *modal = QApplication::activeModalWidget();
                      opened = modal ? modal->objectName() : QString();
                      if (auto *dialog = qobject_cast<QDialog *>(modal))
                          dialog->reject();
                  });
        EXPECT_EQ(opened, QLatin1String(window)) << caption.toStdString();
    };
    press(u"Události"_qs, "TFrmDopUd");
    press(u"Udál."_qs, "TLADUDA");
}
