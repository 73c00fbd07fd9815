#include "attendance/AttendanceProcessing.h"
#include "AttendanceSite.h"
#include "accessdata/UnitCatalogue.h"
#include "attendance/TDMRPL.h"
#include "events/ReportFile.h"
#include "tables/Transaction.h"
#include "timecal/HourMinute.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

namespace {

const QString kKey = u"01000000000001"_s;

DayShift morning()
{
    DayShift s;
    s.first = {MakeHourMinute(6, 0), MakeHourMinute(14, 0), 0, 0};
    s.required = MakeHourMinute(8, 0);
    return s;
}

DayShift night()
{
    DayShift s;
    s.first = {0, MakeHourMinute(6, 0), 0, 0};
    s.second = {MakeHourMinute(22, 0), MakeHourMinute(23, 59), 0, 0};
    s.flag = ShiftFlag::Crossing;
    s.required = MakeHourMinute(8, 0);
    return s;
}

// A site with one attendance unit (address 01) and its processing, whose
// month plans are set by the test.
struct Processing : AttendanceSite
{
    Processing()
    {
        EXPECT_TRUE(db.tbUniDefaultByType(UnitType::Attendance));
        EXPECT_TRUE(db.tbUni.edit());
        db.tbUni.setString(u"ADRESA"_s, u"01"_s);
        db.tbUni.setString(u"POUZITI"_s, u"01"_s);
        EXPECT_TRUE(db.tbUni.post());
        run.planFor = [this](PlanChoice) -> Result<PlannedMonth> {
            if (!hasPlan)
                return Failure{u"klíč nemá rozpis"_s};
            return plan;
        };
        run.noteAdded = [this](const QString &line) { notes << line; };
        vx.config.outputDir = dir.path() + u'/';
    }
    // kind 0 arrival .. 5 other, as the unit records it.
    void event(const QDate &date, const char *time, int kind, const QString &ctm = kKey)
    {
        Table &t = db.tbEvents;
        ASSERT_TRUE(t.append());
        t.setDate(u"DATUM"_s, date);
        t.setTime(u"CAS"_s, QTime::fromString(QString::fromLatin1(time), u"hh:mm"));
        t.setString(u"AHWJ"_s, u"01"_s);
        t.setString(u"CTM"_s, ctm);
        t.setString(u"RES"_s, u"0"_s + QString::number(kind));
        t.setBool(u"ORI"_s, true);
        ASSERT_TRUE(t.post());
    }
    void setPeriod(const QDate &from, const QDate &to)
    {
        db.interval.startDate = quint16(from.month() * 256 + from.day());
        db.interval.startYear = from.year();
        db.interval.endDate = quint16(to.month() * 256 + to.day());
        db.interval.endYear = to.year();
        plan.plan.year = from.year();
        plan.plan.month = from.month();
    }
    void setDay(int d, const DayShift &shift, const QString &note = {})
    {
        plan.plan.days[size_t(d)] = shift;
        plan.required[size_t(d)] = shift.required;
        plan.notes[size_t(d)] = note;
    }
    Result<bool> computeKey(const QString &ctm = kKey)
    {
        if (Result<void> read = run.ReserseDat(); !read)
            return read.failure();
        db.chosenKey = ctm;
        return run.computeChosenKey();
    }
    QStringList report()
    {
        const Result<QStringList> lines = readReportFile(vx.config.outputDir);
        return lines ? *lines : QStringList{lines.error()};
    }

    AttendanceProcessing run{db, vx, dir.path()};
    PlannedMonth plan;
    bool hasPlan = true;
    QStringList notes;
};

// Monday 7 December: a lunch break on a morning shift; Tuesday: nothing
// recorded on a business trip; Wednesday: a night shift into Thursday.
struct WorkedExample : Processing
{
    WorkedExample()
    {
        addHolder(kKey, u"Ranní"_s, u"D1"_s);
        plan.source = u"Ranní"_s;
        setPeriod(QDate(2026, 12, 7), QDate(2026, 12, 9));
        setDay(7, morning());
        setDay(8, morning(), u"SL.CESTA"_s);
        setDay(9, night());
        event(QDate(2026, 12, 7), "05:50", 0);
        event(QDate(2026, 12, 7), "11:00", 3);
        event(QDate(2026, 12, 7), "11:30", 0);
        event(QDate(2026, 12, 7), "14:10", 4);
        event(QDate(2026, 12, 9), "21:30", 0);
        event(QDate(2026, 12, 10), "06:30", 4);
    }
};

const QStringList kHeader = {u"Jméno:  Holder 01; 0001, D1"_s, u"Období: 07.12.2026 - 09.12.2026"_s,
                             u"Rozpis: Ranní"_s};

} // namespace

TEST(AttendanceReports, EveryKindOfTheWorkedExample)
{
    const QString rule63(63, u'-');
    const QString rule78(78, u'-');
    const QString inner = u"|-----------|-------|-------|-------|-------|--------|--------|"_s;
    const QString inner1 =
        u"|-----------|-------|-------|-------|-------|-------|-------|-------|--------|"_s;
    const QStringList statement =
        QStringList{u"      VÝKAZ DOCHÁZKY"_s, QString()} + kHeader +
        QStringList{rule63,
                    u"| Datum     | Přích.| Odch. | Norma | Výkon | Saldo  | Pozn.  |"_s,
                    inner,
                    u"| 07.12. po | 05:50 | 14:10 | 08:00 | 07:30 | -00:30 |        |"_s,
                    u"| 08.12. út |   -   |   -   | 08:00 |   -   | -08:00 | SL.CES |"_s,
                    u"| 09.12. st | 21:30 | 06:30 | 08:00 | 08:00 |  00:00 |  noc   |"_s,
                    inner,
                    u"| Celkem:   |       |       |024:00 |015:30 |-008:30 |        |"_s,
                    rule63,
                    QString()};
    const QStringList extended =
        QStringList{u"      ROZŠÍŘENÝ VÝKAZ"_s, QString()} + kHeader +
        QStringList{
            rule78,
            u"| Datum     | Norma | Výkon |Pracov.|Služeb.| Přest.| Lékař | Volný | Pozn.  |"_s,
            inner1,
            u"| 07.12. po | 08:00 | 07:30 | 07:30 |   -   | 00:30 |   -   |   -   |        |"_s,
            u"| 08.12. út | 08:00 |   -   |   -   |   -   |   -   |   -   |   -   | SL.CES |"_s,
            u"| 09.12. st | 08:00 | 08:00 | 08:00 |   -   |   -   |   -   |   -   |  noc   |"_s,
            inner1,
            u"| Celkem:   |024:00 |015:30 |015:30 |000:00 |000:30 |000:00 |000:00 |        |"_s,
            rule78,
            QString()};
    const QStringList summary = {
        u"      SOUHRN DOCHÁZKY"_s,
        QString(),
        u"Pro období 07.12.2026 - 09.12.2026"_s,
        QString(),
        QString(106, u'-'),
        u"| Jméno a příjmení        |Osob.čís.    | Saldo  | Norma | Výkon |Pracov.|Služeb.| "
        u"Přest.| Lékař | Volný |"_s,
        u"|---------------------------------------|--------|-------|-------|-------|-------|---"
        u"----|-------|-------|"_s,
        u"| Holder 01                0001         |-008:30 |024:00 |015:30 |015:30 |000:00 "
        u"|000:30 |000:00 |000:00 |"_s,
        QString(106, u'-')};
    const QStringList exported = {
        u"Holder 01                0001        07.12.09.12.2026024:00015:30-008:30"_s};

    struct Case
    {
        ReportKind kind;
        bool explanations;
        QStringList lines;
    } cases[] = {
        {ReportKind::Statement, false, statement},
        {ReportKind::ExtendedStatement, false, extended},
        {ReportKind::Summary, true, summary},
        {ReportKind::Export, true, exported},
    };
    for (const Case &c : cases) {
        WorkedExample s;
        s.run.options.kind = c.kind;
        s.run.options.explanations = c.explanations;
        const Result<bool> done = s.computeKey();
        ASSERT_TRUE(done) << done.error().toStdString();
        EXPECT_TRUE(*done);
        EXPECT_EQ(s.report(), c.lines) << int(c.kind);
        EXPECT_EQ(s.notes, QStringList{u"07.12.2026 - 09.12.2026 Holder 01"_s});
    }
}

// A night shift on the month's last day takes its morning from the next
// month; events of the neighbouring months never count for a day of this
// month with the same number; the minute a night's window ends belongs to
// the night only.
TEST(AttendanceProcessing, NightShiftsAtTheMonthsEdges)
{
    Processing s;
    s.addHolder(kKey, u"Noční"_s);
    s.setPeriod(QDate(2026, 12, 1), QDate(2026, 12, 31));
    for (int d = 0; d <= 31; ++d)
        s.setDay(d, DayShift{});
    s.setDay(10, night());
    s.setDay(31, night());
    s.event(QDate(2026, 11, 30), "10:00", 0); // the month before: a day 30 of its own
    s.event(QDate(2026, 12, 10), "21:30", 0);
    s.event(QDate(2026, 12, 11), "07:00", 4); // the night's last minute
    s.event(QDate(2026, 12, 31), "21:30", 0);
    s.event(QDate(2027, 1, 1), "06:30", 4);
    s.event(QDate(2027, 1, 1), "08:00", 0); // the month after: not day 1
    const Result<bool> done = s.computeKey();
    ASSERT_TRUE(done) << done.error().toStdString();
    EXPECT_TRUE(s.vx.tbVder.recordCount() == 0) << s.report().join(u'\n').toStdString();
    const MonthResults &r = s.run.results;
    EXPECT_EQ(FormatHourMinute(r.days[10].work), u"08:00"_s);
    EXPECT_EQ(r.days[10].lastDeparture, (DayMoment{QDate(2026, 12, 11), MakeHourMinute(7, 0)}));
    EXPECT_FALSE(r.days[11].arrived);
    EXPECT_EQ(FormatHourMinute(r.days[31].work), u"08:00"_s);
    EXPECT_EQ(r.days[31].lastDeparture, (DayMoment{QDate(2027, 1, 1), MakeHourMinute(6, 30)}));
    EXPECT_FALSE(r.days[1].arrived);
    EXPECT_FALSE(r.days[30].arrived);
}

// Inconsistent events and a day left unfinished give the error protocol
// instead of a report; the other failures leave a line in the notes.
TEST(AttendanceProcessing, ErrorsAndWorkersWithoutAReport)
{
    Processing s;
    const QString other = u"01000000000002"_s;
    s.addHolder(kKey, u"Ranní"_s, u"D1"_s);
    s.addHolder(other, u"Ranní"_s, u"D1"_s);
    s.addHolder(u"01000000000003"_s, u"Ranní"_s, u"D1"_s);
    s.setPeriod(QDate(2026, 12, 7), QDate(2026, 12, 8));
    s.setDay(7, morning());
    s.setDay(8, morning());
    s.event(QDate(2026, 12, 7), "06:10", 0);
    s.event(QDate(2026, 12, 7), "07:00", 0);
    s.event(QDate(2026, 12, 7), "14:00", 4);
    s.event(QDate(2026, 12, 8), "05:55", 0);
    s.event(QDate(2026, 12, 8), "06:00", 0, other);

    const Result<bool> done = s.computeKey();
    ASSERT_TRUE(done) << done.error().toStdString();
    EXPECT_TRUE(*done);
    const QStringList protocol = s.report();
    ASSERT_GE(protocol.size(), 7);
    EXPECT_EQ(protocol[1], u"PROTOKOL O CHYBÁCH"_s);
    EXPECT_TRUE(protocol.contains(u"01000000000001 07.12. 07:00 příchod při P"_s))
        << protocol.join(u'\n').toStdString();
    EXPECT_TRUE(protocol.contains(u"01000000000001 08.12. 23:59 neukončená směna "_s));
    EXPECT_FALSE(protocol.join(u'\n').contains(u"VÝKAZ"_s));

    s.notes.clear();
    ASSERT_TRUE(s.run.clearReport());
    s.db.chosenKey = u"01000000000003"_s;
    EXPECT_FALSE(s.run.computeChosenKey().valueOr(true));
    s.hasPlan = false;
    s.db.chosenKey = other;
    EXPECT_FALSE(s.run.computeChosenKey().valueOr(true));
    EXPECT_EQ(s.notes,
              (QStringList{u"Pro období 07.12.2026 - 08.12.2026 a pracovníka Holder 03 nejsou "
                           u"žádná vstupní data!"_s,
                           u"Pro období 07.12.2026 - 08.12.2026 a pracovníka Holder 02 nebyl "
                           u"určen rozpis!"_s}));
    EXPECT_EQ(s.report(), QStringList{});
}

TEST(AttendanceProcessing, PeriodsRefused)
{
    Processing s;
    s.setPeriod(QDate(2026, 11, 20), QDate(2026, 12, 5));
    EXPECT_EQ(s.run.ReserseDat().error(), u"Docházku lze zpracovávat pouze pro stejný měsíc!"_s);
    s.setPeriod(QDate(2026, 12, 1), QDate(2026, 12, 31));
    const Result<void> empty = s.run.ReserseDat();
    EXPECT_EQ(empty.code(), NoInputData);
    EXPECT_EQ(empty.error(), u"Pro období 01.12.2026 - 31.12.2026\n nejsou žádná vstupní data!"_s);
}

// Every eligible worker of a large site is processed: none is passed over.
TEST(AttendanceProcessing, BatchTakesEveryWorker)
{
    Processing s;
    constexpr int kWorkers = 1005;
    {
        Transaction keys(s.db.tbKey);
        Transaction events(s.db.tbEvents);
        for (int i = 1; i <= kWorkers; ++i) {
            const QString ctm = u"02"_s + QString::number(i).rightJustified(12, u'0');
            s.addHolder(ctm, i == 7 ? QString() : u"Ranní"_s, i % 100 ? u"A"_s : u"B"_s);
            s.event(QDate(2026, 12, 7), "05:55", 0, ctm);
            s.event(QDate(2026, 12, 7), "14:05", 4, ctm);
        }
        ASSERT_TRUE(keys.commit());
        ASSERT_TRUE(events.commit());
    }
    s.setPeriod(QDate(2026, 12, 7), QDate(2026, 12, 7));
    s.setDay(7, morning());
    ASSERT_TRUE(s.run.ReserseDat());
    EXPECT_EQ(s.run.keys().count(), kWorkers);
    s.run.options.kind = ReportKind::Export;
    s.run.options.oneOutput = true;
    int shown = 0;
    s.run.showReport = [&] { ++shown; };
    const Result<BatchOutcome> all = s.run.ZpracovaniDavky();
    ASSERT_TRUE(all) << all.error().toStdString();
    EXPECT_EQ(all->chosen, kWorkers - 1); // one holder has no schedule
    EXPECT_EQ(all->processed, kWorkers - 1);
    EXPECT_EQ(s.report().size(), kWorkers - 1);
    EXPECT_EQ(shown, 1);

    s.db.chosenGroup = u"B"_s;
    s.run.options.oneOutput = false;
    const Result<BatchOutcome> group = s.run.ZpracovaniDavky();
    ASSERT_TRUE(group);
    EXPECT_EQ(group->processed, 10);
    EXPECT_EQ(shown, 1 + 10);
}

// The automatic plan: the weekend keeps its shift but has no norm and the
// note "N"; presence on it still counts.
TEST(AttendanceProcessing, WeekendUnderTheAutomaticPlan)
{
    Processing s;
    s.addShift(u"R"_s, u"P:06:00-14:00"_s);
    s.addSchedule(u"Denní"_s, QDate(2026, 12, 1), {u"R"_s});
    s.addHolder(kKey, u"Denní"_s, u"D1"_s);
    TDMRPL rpl(s.dir.path());
    s.run.planFor = standardPlanSource(s.db, s.vx, rpl);
    s.run.options.explanations = false;
    s.setPeriod(QDate(2026, 12, 5), QDate(2026, 12, 7));
    s.event(QDate(2026, 12, 6), "07:00", 0);
    s.event(QDate(2026, 12, 6), "09:00", 4);
    const Result<bool> done = s.computeKey();
    ASSERT_TRUE(done) << done.error().toStdString();
    const QStringList lines = s.report();
    ASSERT_GE(lines.size(), 12);
    EXPECT_EQ(lines.mid(8, 3),
              (QStringList{u"| 05.12. so |   -   |   -   |   -   |   -   |  00:00 | N      |"_s,
                           u"| 06.12. ne | 07:00 | 09:00 |   -   | 02:00 | +02:00 | N      |"_s,
                           u"| 07.12. po |   -   |   -   | 08:00 |   -   | -08:00 |        |"_s}));
    EXPECT_EQ(lines[4], u"Rozpis: Denní"_s);
}
