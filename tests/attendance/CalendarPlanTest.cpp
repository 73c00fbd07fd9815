#include "attendance/CalendarPlan.h"
#include "AttendanceSite.h"
#include "attendance/PlanNotes.h"
#include "attendance/TDMRPL.h"
#include "timecal/LongDuration.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

namespace {

const QString kKey = u"01000000000001"_s;

struct PlanSite : AttendanceSite
{
    PlanSite()
    {
        addShift(u"R"_s, u"P:06:00-14:00"_s);
        addShift(u"O"_s, u"P:14:00-22:00"_s);
        // Day 1 of the two-day cycle is 1 December 2026.
        addSchedule(u"RO"_s, QDate(2026, 12, 1), {u"R"_s, u"O"_s});
        addHolder(kKey, u"RO"_s);
        EXPECT_TRUE(vx.tbSva.open());
        EXPECT_TRUE(vx.tbSva.append());
        vx.tbSva.setDateTime(u"Datum"_s, QDateTime(QDate(2027, 1, 1), QTime(0, 0)));
        EXPECT_TRUE(vx.tbSva.post());
    }
    // Note and start of the first section of that day; "-" when none.
    QString day(const QDate &date)
    {
        Table &t = rpl.tbRpl;
        t.setIndex(u"IndexKLICDATUM"_s);
        if (!t.findKey({date, kKey}))
            return u"-"_s;
        const DayShift shift = DayShiftFromBytes(t.asBytes(u"DATA"_s));
        return t.asString(u"POZN"_s) + u'/' + FormatSection(shift.first);
    }

    TDMRPL rpl{dir.path()};
    CalendarPlan plan{vx, db, rpl};
};

const QString kMorning = u"/P:06:00-14:00"_s;
const QString kAfternoon = u"/P:14:00-22:00"_s;

} // namespace

TEST(CalendarPlan, GenerationAsksWhetherToOverwrite)
{
    struct Case
    {
        Answer answer;
        QString kept; // 30 December, which held a vacation
        int written;
    } const cases[] = {
        {Answer::Yes, kAfternoon, 5},
        {Answer::No, u"DOVOL./"_s, 4},
        {Answer::Cancel, u"DOVOL./"_s, 0},
    };
    for (const Case &c : cases) {
        PlanSite s;
        ASSERT_TRUE(
            s.plan.SelektivneUlozit(kKey, false, u"DOVOL."_s, DayShift{}, QDate(2026, 12, 30)));
        s.messages.answer(c.answer);
        const std::optional<bool> overwrite = CalendarPlan::askOverwrite(s.messages);
        int written = 0;
        if (overwrite) {
            const Result<int> n = s.plan.GenerujPredepsanyRozpis(kKey, QDate(2026, 12, 29),
                                                                 QDate(2027, 1, 2), *overwrite);
            ASSERT_TRUE(n) << n.error().toStdString();
            written = *n;
        }
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(s.day(QDate(2026, 12, 30)), c.kept);
        if (!overwrite)
            continue;
        // The cycle runs on across the year end; 1 January is a holiday of
        // the next year's calendar.
        EXPECT_EQ(s.day(QDate(2026, 12, 29)), kMorning);
        EXPECT_EQ(s.day(QDate(2027, 1, 1)), u"S"_s + kAfternoon);
        EXPECT_EQ(s.day(QDate(2027, 1, 2)), kMorning);
    }
}

TEST(CalendarPlan, GenerationRefusesWithoutASchedule)
{
    PlanSite s;
    s.addHolder(u"01000000000002"_s, QString());
    const struct
    {
        QString key;
        QDate from;
        QString error;
    } cases[] = {
        {kKey, QDate(2026, 11, 30), u"Rozpis nelze aplikovat zpětně!"_s},
        {u"01000000000002"_s, QDate(2026, 12, 1), u"klíč nemá rozpis"_s},
        {kKey, QDate(2026, 12, 31), u"Chybně určené období!"_s},
    };
    for (const auto &c : cases) {
        const Result<int> n =
            s.plan.GenerujPredepsanyRozpis(c.key, c.from, QDate(2026, 12, 5), true);
        EXPECT_EQ(n.error(), c.error);
    }
    EXPECT_EQ(s.rpl.tbRpl.recordCount(), 0);
}

TEST(CalendarPlan, EmptyNormAndEraseWorkOnThePeriodOnly)
{
    PlanSite s;
    ASSERT_TRUE(
        s.plan.GenerujPredepsanyRozpis(kKey, QDate(2026, 12, 1), QDate(2026, 12, 31), true));
    const Result<quint32> norm = s.plan.norm(kKey, QDate(2026, 12, 1), QDate(2026, 12, 31));
    ASSERT_TRUE(norm);
    EXPECT_EQ(FormatLongDuration(*norm), u"248:00"_s);

    ASSERT_TRUE(s.plan.emptyPeriod(kKey, QDate(2026, 12, 31), QDate(2027, 1, 1)));
    EXPECT_EQ(s.day(QDate(2026, 12, 31)), u"/"_s);
    EXPECT_EQ(s.day(QDate(2027, 1, 1)), u"S/"_s);
    EXPECT_EQ(FormatLongDuration(*s.plan.norm(kKey, QDate(2026, 12, 1), QDate(2027, 1, 1))),
              u"240:00"_s);

    const Result<int> erased = s.plan.erasePeriod(kKey, QDate(2026, 12, 10), QDate(2026, 12, 19));
    ASSERT_TRUE(erased);
    EXPECT_EQ(*erased, 10);
    EXPECT_EQ(s.day(QDate(2026, 12, 9)), kMorning);
    EXPECT_EQ(s.day(QDate(2026, 12, 10)), u"-"_s);

    const Result<QList<PlanHolder>> holders = s.plan.holders();
    ASSERT_TRUE(holders);
    ASSERT_EQ(holders->size(), 1);
    EXPECT_EQ(holders->at(0).name, u"Holder 01"_s);
    EXPECT_EQ(*s.plan.eraseKey(kKey), 22);
    EXPECT_EQ(s.rpl.tbRpl.recordCount(), 0);
}

TEST(CalendarPlan, PatternFileHasTheFixedLayout)
{
    PlanPattern p;
    VymazatVzor(p);
    p.year = 2026;
    p.month = 3;
    p.days[4] = ShiftFromTemplate(ShiftTemplate::Morning);
    p.notes[4] = u"NÁHR.V."_s;
    p.notes[30] = u"SL.CESTA"_s;
    const QByteArray bytes = patternToBytes(p);
    ASSERT_EQ(bytes.size(), 874);
    const struct
    {
        int offset;
        QByteArray expected;
    } fields[] = {
        {0, QByteArray("\xEA\x07\x03\x00\x00\x00", 6)},
        // Day 5: mandatory 06:00-14:00, flag ' ', required 08:00.
        {6 + 4 * 19, QByteArray("\x00\x06\x00\x0E", 4)},
        {6 + 4 * 19 + 16, QByteArray("\x20\x00\x08", 3)},
        {595 + 4 * 9, QByteArray("\x07N\xC1HR.V.", 8)}, // cp1250
        {595 + 30 * 9, QByteArray("\x08SL.CESTA", 9)},
    };
    for (const auto &f : fields) {
        EXPECT_EQ(bytes.mid(f.offset, f.expected.size()).toHex(), f.expected.toHex()) << f.offset;
    }
    const Result<PlanPattern> back = patternFromBytes(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->days, p.days);
    EXPECT_EQ(back->notes, p.notes);
    EXPECT_FALSE(patternFromBytes(bytes.left(873)));
}

TEST(CalendarPlan, PatternOfMarchAppliedToMay)
{
    PlanSite s;
    s.addSchedule(u"R1"_s, QDate(2026, 1, 1), {u"R"_s});
    s.addHolder(u"01000000000003"_s, u"R1"_s);
    const QString other = u"01000000000003"_s;
    ASSERT_TRUE(s.plan.GenerujPredepsanyRozpis(other, QDate(2026, 3, 1), QDate(2026, 3, 31), true));
    EXPECT_EQ(s.plan.KlicDoVzoru(other, QDate(2026, 3, 5), QDate(2026, 4, 5)).error(),
              CalendarPlan::patternPeriodText());

    const Result<PlanPattern> pattern =
        s.plan.KlicDoVzoru(other, QDate(2026, 3, 5), QDate(2026, 3, 20));
    ASSERT_TRUE(pattern);
    const QString path = s.dir.path() + u"/VZOR.VZR"_s;
    ASSERT_TRUE(savePattern(path, *pattern));
    const Result<PlanPattern> loaded = loadPattern(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->month, 3);
    EXPECT_TRUE(IsDayEmpty(loaded->days[3]));
    EXPECT_FALSE(IsDayEmpty(loaded->days[4]));
    EXPECT_FALSE(IsDayEmpty(loaded->days[19]));
    EXPECT_TRUE(IsDayEmpty(loaded->days[20]));

    const Result<int> n =
        s.plan.VzorDoKlice(*loaded, kKey, QDate(2026, 5, 1), QDate(2026, 5, 31), false);
    ASSERT_TRUE(n);
    EXPECT_EQ(*n, 31);
    EXPECT_EQ(s.day(QDate(2026, 5, 4)), u"/"_s);
    EXPECT_EQ(s.day(QDate(2026, 5, 5)), kMorning);
    EXPECT_EQ(s.day(QDate(2026, 5, 20)), kMorning);
    EXPECT_EQ(s.day(QDate(2026, 5, 21)), u"/"_s);
}

TEST(CalendarPlan, PrintedPlanAcrossTheYearEnd)
{
    PlanSite s;
    ASSERT_TRUE(s.plan.SelektivneUlozit(
        kKey, false, QString(), ShiftFromTemplate(ShiftTemplate::Morning), QDate(2026, 12, 31)));
    ASSERT_TRUE(s.plan.SelektivneUlozit(
        kKey, false, u"S"_s, ShiftFromTemplate(ShiftTemplate::Night), QDate(2027, 1, 1)));
    const Result<QStringList> lines =
        s.plan.printLines(kKey, QDate(2026, 12, 30), QDate(2027, 1, 2));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (QStringList{
                          u"Rozpis směn pro: Holder 01"_s,
                          u"Období: 30.12.2026 - 02.01.2027"_s,
                          QString(),
                          u"30.12.2026 st nedefinován"_s,
                          u"31.12.2026 čt 08:00     P:06:00-14:00 "_s,
                          u"01.01.2027 pá 08:00 noc P:00:00-06:00 P:22:00-23:59"_s,
                          u"02.01.2027 so nedefinován"_s,
                          u"Suma za období: 016:00"_s,
                      }));
}

TEST(CalendarPlan, NotesListKeepsShortDistinctEntriesThroughItsFile)
{
    TempDir dir;
    PlanNotes notes;
    for (const QString &text : {u"DOVOL."_s, u" "_s, u"ŠKOLENÍ VEDOUCÍCH"_s})
        notes.add(text);
    EXPECT_EQ(notes.entries(), PlanNotes::defaults() << u"ŠKOLENÍ"_s);
    const QString path = dir.file(u"DUVODY.TXT"_s);
    ASSERT_TRUE(notes.save(path));
    PlanNotes loaded;
    ASSERT_TRUE(loaded.load(path));
    EXPECT_EQ(loaded.entries(), notes.entries());
    EXPECT_FALSE(loaded.load(dir.file(u"CHYBI.TXT"_s)));
    EXPECT_EQ(loaded.entries(), notes.entries());
}
