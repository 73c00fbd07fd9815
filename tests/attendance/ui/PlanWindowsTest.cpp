#include "admin/ui/RecordNavigator.h"
#include "app/Application.h"
#include "attendance/ShiftRecord.h"
#include "attendance/ui/TFrmRozDch.h"
#include "attendance/ui/TROCPLN.h"
#include "attendance/ui/TTABROZ.h"
#include "platform/Clock.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"
#include "tables/TableGridModel.h"
#include "timecal/DayMonth.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;
using namespace Qt::StringLiterals;

namespace {

const QString kKey = u"01000000000001"_s;

// A started site with a morning shift every day from 1 December 2026.
struct PlanApp
{
    PlanApp()
    {
        EXPECT_EQ(app.start(), StartOutcome::Started);
        Table &shifts = app.vx.tbSme;
        EXPECT_TRUE(shifts.append());
        shifts.setString(u"NazevSmeny"_s, u"R"_s);
        writeShiftRecord(shifts, ShiftFromTemplate(ShiftTemplate::Morning));
        EXPECT_TRUE(shifts.post());
        Table &schedules = app.vx.tbDch;
        EXPECT_TRUE(schedules.append());
        schedules.setString(u"ROZPIS"_s, u"Denní"_s);
        schedules.setInt(u"DelkaRozpisu"_s, 1);
        schedules.setDate(u"DatumOd"_s, QDate(2026, 12, 1));
        app.vx.tbDchPutNazSmeny(1, u"R"_s);
        EXPECT_TRUE(schedules.post());
        Table &keys = app.db0.tbKey;
        EXPECT_TRUE(keys.append());
        keys.setString(u"CTM"_s, kKey);
        keys.setString(u"JMENO"_s, u"Nová Eva"_s);
        keys.setString(u"OSCIS"_s, u"0001"_s);
        keys.setString(u"ROZPIS"_s, u"Denní"_s);
        EXPECT_TRUE(keys.post()) << keys.errorMessage().toStdString();
    }

    TempDir dir;
    ScriptedMessages messages;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    Application app{dir.path(), dir.path() + u'/', messages, files, clock};
};

QString cell(QAbstractItemModel *model, int row, int column)
{
    return model->data(model->index(row, column)).toString();
}

} // namespace

TEST(TROCPLN, GeneratesPrintsAndEmptiesThePlanOfThePeriod)
{
    PlanApp s;
    s.app.db0.chosenKey = kKey;
    s.app.db0.interval = {PackDayMonth(30, 12), 2026, PackDayMonth(2, 1), 2027, 0, 0};
    TROCPLN w(s.app);
    EXPECT_EQ(w.holderLabel()->text(), u"Pracovník: Nová Eva"_s);

    s.messages.answer(Answer::Yes);
    w.button(u"Předepsaný rozpis"_s)->click();
    ASSERT_EQ(w.model()->rowCount(), 4);
    EXPECT_EQ(cell(w.model(), 0, 0), u"30.12.2026 st"_s);
    EXPECT_EQ(cell(w.model(), 3, 3), u"08:00     P:06:00-14:00 "_s);

    w.button(u"Norma za období"_s)->click();
    EXPECT_EQ(s.messages.texts(ScriptedMessages::Kind::Information).value(1),
              u"Norma za období: 032:00"_s);

    QString opened;
    runDriven([&] { w.button(u"Vytisknout"_s)->click(); },
              [&] {
                  QWidget *modal = QApplication::activeModalWidget();
                  opened = modal ? modal->objectName() : QString();
                  if (auto *dialog = qobject_cast<QDialog *>(modal))
                      dialog->reject();
              });
    EXPECT_EQ(opened, u"TOUTTXT"_s);

    w.button(u"Obsah databáze"_s)->click();
    EXPECT_TRUE(w.contentsPanel()->isVisibleTo(&w));
    ASSERT_EQ(w.contentsList()->count(), 1);
    EXPECT_EQ(w.contentsList()->item(0)->text(), u"Nová Eva"_s);
    s.messages.answer(Answer::Yes);
    for (QPushButton *b : w.contentsPanel()->findChildren<QPushButton *>())
        if (b->text() == u"Vymazat vše"_s)
            b->click();
    EXPECT_EQ(w.contentsList()->count(), 0);
    EXPECT_EQ(w.model()->rowCount(), 0);
}

TEST(TFrmRozDch, DayTitlesCounterAndShiftList)
{
    PlanApp s;
    TFrmRozDch w(s.app);
    // 1 January 2026 is a Thursday; the one-day cycle titles only day 1.
    EXPECT_EQ(w.grid()->model()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
              u"čt"_s);
    EXPECT_EQ(w.grid()->model()->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), u"#"_s);
    EXPECT_FALSE(w.lengthCounter()->isVisibleTo(&w));

    w.navigator()->press(RecordNavigator::Insert);
    EXPECT_TRUE(w.lengthCounter()->isVisibleTo(&w));
    EXPECT_EQ(w.lengthCounter()->value(), 7);
    EXPECT_EQ(w.grid()->model()->headerData(9, Qt::Horizontal, Qt::DisplayRole).toString(),
              u"st"_s);
    w.lengthCounter()->setValue(3);
    s.app.vx.tbDch.setString(u"ROZPIS"_s, u"Nový"_s);
    w.grid()->setCurrentIndex(w.grid()->model()->index(w.grid()->model()->rowCount() - 1, 4));
    ASSERT_TRUE(w.shiftList()->isVisibleTo(&w));
    ASSERT_EQ(w.shiftList()->count(), 2); // "R" and "*VYMAZAT*"
    w.shiftChosen(u"R"_s);
    EXPECT_EQ(s.app.vx.tbDchGetNazSmeny(2), u"R"_s);
    w.shiftChosen(u"*VYMAZAT*"_s);
    EXPECT_EQ(s.app.vx.tbDchGetNazSmeny(2), QString());
    w.navigator()->press(RecordNavigator::Post);
    EXPECT_FALSE(w.lengthCounter()->isVisibleTo(&w));
    ASSERT_TRUE(s.app.vx.tbDchExactName(u"Nový"_s));
    EXPECT_EQ(s.app.vx.tbDch.asInt(u"DelkaRozpisu"_s), 3);
}

TEST(TTABROZ, OneRowPerDayOfTheMonth)
{
    PlanApp s;
    const Result<PlannedMonth> month = StandardniRozpisPracovnika(s.app.vx, kKey, {2026, 12, 1});
    ASSERT_TRUE(month);
    TTABROZ w(*month, u"Rozpis: Nová Eva"_s);
    ASSERT_EQ(w.grid()->rowCount(), 31);
    EXPECT_EQ(w.grid()->item(0, 0)->text(), u"01.12.2026 út"_s);
    EXPECT_EQ(w.grid()->item(0, 1)->text(), u"08:00"_s);
    EXPECT_EQ(w.grid()->item(5, 1)->text(), u"00:00"_s); // Saturday
}
