#include "attendance/ui/TDOCHAZ.h"
#include "accessdata/UnitCatalogue.h"
#include "app/Application.h"
#include "attendance/ShiftRecord.h"
#include "platform/Clock.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;
using namespace Qt::StringLiterals;

namespace {

// A started site: an attendance unit, a morning shift every day, and
// three workers who came and went on 7 December 2026.
struct AttendanceApp
{
    AttendanceApp()
    {
        EXPECT_EQ(app.start(), StartOutcome::Started);
        messages.clear();
        TDB0DM &db = app.db0;
        EXPECT_TRUE(db.tbUniDefaultByType(UnitType::Attendance));
        db.tbUni.edit();
        db.tbUni.setString(u"ADRESA"_s, u"01"_s);
        db.tbUni.setString(u"POUZITI"_s, u"01"_s);
        EXPECT_TRUE(db.tbUni.post());
        app.vx.tbSme.append();
        app.vx.tbSme.setString(u"NazevSmeny"_s, u"R"_s);
        writeShiftRecord(app.vx.tbSme, ShiftFromTemplate(ShiftTemplate::Morning));
        EXPECT_TRUE(app.vx.tbSme.post());
        app.vx.tbDch.append();
        app.vx.tbDch.setString(u"ROZPIS"_s, u"Denní"_s);
        app.vx.tbDch.setInt(u"DelkaRozpisu"_s, 1);
        app.vx.tbDch.setDate(u"DatumOd"_s, QDate(2026, 12, 1));
        app.vx.tbDchPutNazSmeny(1, u"R"_s);
        EXPECT_TRUE(app.vx.tbDch.post());
        for (int i = 1; i <= 3; ++i) {
            const QString ctm = u"0100000000000"_s + QString::number(i);
            db.tbKey.append();
            db.tbKey.setString(u"CTM"_s, ctm);
            db.tbKey.setString(u"JMENO"_s, u"Pracovník "_s + QString::number(i));
            db.tbKey.setString(u"OSCIS"_s, QString::number(i));
            db.tbKey.setString(u"ROZPIS"_s, u"Denní"_s);
            EXPECT_TRUE(db.tbKey.post());
            for (const auto &[time, res] : {std::pair{QTime(5, 50), "00"}, {QTime(14, 10), "04"}}) {
                db.tbEvents.append();
                db.tbEvents.setDate(u"DATUM"_s, QDate(2026, 12, 7));
                db.tbEvents.setTime(u"CAS"_s, time);
                db.tbEvents.setString(u"AHWJ"_s, u"01"_s);
                db.tbEvents.setString(u"CTM"_s, ctm);
                db.tbEvents.setString(u"RES"_s, QString::fromLatin1(res));
                db.tbEvents.setBool(u"ORI"_s, true);
                EXPECT_TRUE(db.tbEvents.post());
            }
        }
    }

    TempDir dir;
    ScriptedMessages messages;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(8, 0))};
    Application app{dir.path(), dir.path() + u'/', messages, files, clock};
};

} // namespace

// A period across two months is refused and asked for again; the chosen one
// opens the key and batch buttons.
TEST(TDOCHAZ, PeriodInOneMonth)
{
    AttendanceApp s;
    QList<DatePeriod> answers = {{QDate(2026, 11, 20), QDate(2026, 12, 5)},
                                 {QDate(2026, 12, 1), QDate(2026, 12, 7)}};
    s.app.db0.showDateDialog = [&](const DatePeriodRequest &) -> std::optional<DatePeriod> {
        return answers.isEmpty() ? std::nullopt : std::optional(answers.takeFirst());
    };
    TDOCHAZ w(s.app);
    EXPECT_FALSE(w.batchButton()->isEnabled());
    w.choosePeriod();
    EXPECT_EQ(s.messages.texts(),
              QStringList{u"Docházku lze zpracovávat pouze pro stejný měsíc!"_s});
    EXPECT_EQ(w.periodLabel()->text(), u"01.12.2026 - 07.12.2026"_s);
    EXPECT_TRUE(w.batchButton()->isEnabled());
    EXPECT_TRUE(w.keyButton()->isEnabled());
    EXPECT_FALSE(w.computeButton()->isEnabled());
}

// "Přerušit" pressed while the batch runs stops it after the worker being
// computed; the report is shown once, as one output.
TEST(TDOCHAZ, BatchStopsWhenInterrupted)
{
    AttendanceApp s;
    s.app.db0.showDateDialog = [](const DatePeriodRequest &) {
        return std::optional(DatePeriod{QDate(2026, 12, 7), QDate(2026, 12, 7)});
    };
    TDOCHAZ w(s.app);
    int shown = 0;
    w.showReport = [&] { ++shown; };
    w.choosePeriod();
    w.oneOutputBox()->setChecked(true);
    QObject::connect(w.notesList()->model(), &QAbstractItemModel::rowsInserted, &w, [&] {
        ASSERT_TRUE(w.stopButton()->isEnabled());
        w.stopButton()->click();
    });
    w.computeBatch();
    EXPECT_EQ(w.notesList()->count(), 1);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(w.batchButton()->isEnabled());
    EXPECT_TRUE(w.stopButton()->isHidden());
}
