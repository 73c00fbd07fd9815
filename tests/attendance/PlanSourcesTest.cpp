#include "attendance/PlanSources.h"
#include "AttendanceSite.h"
#include "attendance/TDMRPL.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

namespace {

const QString kKey = u"01000000000001"_s;

// A cycle whose day i requires i minutes, so a slot tells its cycle day.
CyclicSchedule numberedCycle(int length, const Date &start)
{
    CyclicSchedule c;
    c.name = u"C"_s + QString::number(length);
    c.length = length;
    c.start = start;
    for (int i = 1; i <= length; ++i) {
        c.days[size_t(i - 1)].required = quint16(i);
        c.days[size_t(i - 1)].flag = ShiftFlag::Plain;
    }
    return c;
}

} // namespace

TEST(PlanSources, CycleDayOfADate)
{
    struct Case
    {
        Date start;
        int length;
        Date date;
        int day;
    } const cases[] = {
        {{2024, 1, 1}, 7, {2024, 1, 1}, 1},   {{2024, 1, 1}, 7, {2024, 1, 8}, 1},
        {{2024, 1, 1}, 7, {2024, 12, 31}, 2}, {{2026, 3, 5}, 1, {2026, 12, 31}, 1},
        {{2026, 1, 1}, 5, {2026, 1, 11}, 1},  {{2026, 1, 1}, 14, {2026, 2, 1}, 4},
        {{2026, 1, 1}, 21, {2027, 1, 1}, 9},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CycleDay(c.start, c.length, c.date), c.day)
            << c.length << " " << c.date.day << "." << c.date.month;
}

TEST(PlanSources, MonthPlanFromCycleStartsWithTheDayBefore)
{
    struct Case
    {
        int length, year, month;
        int slot0, slot1, slot31;
    } const cases[] = {
        // 1 January 2026 is cycle day 1: slot 0 (31 December) the last day.
        {7, 2026, 1, 7, 1, 3},
        // 1 March 2026 is day 60 of the cycle: 60 mod 7 = 4.
        {7, 2026, 3, 3, 4, 6},
        {1, 2026, 2, 1, 1, 1},
        {21, 2026, 2, 10, 11, 20},
    };
    for (const Case &c : cases) {
        const MonthPlan plan =
            MonthPlanFromCycle(numberedCycle(c.length, {2026, 1, 1}), c.year, c.month);
        EXPECT_EQ(plan.year, c.year);
        EXPECT_EQ(plan.month, c.month);
        EXPECT_EQ(plan.days[0].required, c.slot0) << c.length << "/" << c.month;
        EXPECT_EQ(plan.days[1].required, c.slot1) << c.length << "/" << c.month;
        EXPECT_EQ(plan.days[31].required, c.slot31) << c.length << "/" << c.month;
    }
}

TEST(PlanSources, YearCalendarMarksWeekendsHolidaysAndMonthEnds)
{
    AttendanceSite s;
    ASSERT_TRUE(s.vx.tbSva.open());
    for (const QDate &d : {QDate(2026, 12, 24), QDate(2026, 12, 26), QDate(2027, 1, 1)}) {
        ASSERT_TRUE(s.vx.tbSva.append());
        s.vx.tbSva.setDateTime(u"Datum"_s, QDateTime(d, QTime(0, 0)));
        ASSERT_TRUE(s.vx.tbSva.post());
    }
    // Built at start for the current year, before the holidays existed.
    EXPECT_EQ(s.vx.kalendar.year, 2026);
    EXPECT_EQ(s.vx.kalendar.kind(12, 24), 'P');
    ASSERT_TRUE(s.vx.StandardniKalendar(2026));
    EXPECT_EQ(s.vx.kalendar.months[11], u"PPPPNNPPPPPNNPPPPPNNPPPSPSNPPPP"_s);
    EXPECT_EQ(s.vx.kalendar.months[1], u"NPPPPPNNPPPPPNNPPPPPNNPPPPPN   "_s);
    const Result<YearCalendar> next = s.vx.kalendarRoku(2027);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->kind({2027, 1, 1}), 'S');
    EXPECT_EQ(next->kind({2026, 12, 24}), ' ');
}

TEST(PlanSources, AutomaticPlanHasZeroNormOnWeekendsAndHolidays)
{
    AttendanceSite s;
    ASSERT_TRUE(s.vx.tbSva.open());
    ASSERT_TRUE(s.vx.tbSva.append());
    s.vx.tbSva.setDateTime(u"Datum"_s, QDateTime(QDate(2026, 12, 24), QTime(0, 0)));
    ASSERT_TRUE(s.vx.tbSva.post());
    // As the holidays window does when it closes.
    ASSERT_TRUE(s.vx.StandardniKalendar(2026));
    s.addShift(u"R"_s, u"P:06:00-14:00"_s);
    s.addSchedule(u"Denní"_s, QDate(2026, 1, 1), {u"R"_s});
    s.addHolder(kKey, u"Denní"_s);
    s.addHolder(u"01000000000002"_s, QString());

    const Result<PlannedMonth> month = StandardniRozpisPracovnika(s.vx, kKey, {2026, 12, 1});
    ASSERT_TRUE(month) << month.error().toStdString();
    EXPECT_EQ(month->source, u"Denní"_s);
    struct Day
    {
        int day;
        quint16 norm;
        const char *note;
    } const days[] = {{23, 0x0800, ""}, {24, 0, "S"}, {26, 0, "N"}, {27, 0, "N"}, {28, 0x0800, ""}};
    for (const Day &d : days) {
        EXPECT_EQ(month->required[size_t(d.day)], d.norm) << d.day;
        EXPECT_EQ(month->notes[size_t(d.day)], QString::fromUtf8(d.note)) << d.day;
        // The shift stays, so presence still counts.
        EXPECT_EQ(month->plan.days[size_t(d.day)].first.mandatoryStart, 0x0600) << d.day;
    }

    struct Failing
    {
        QString key;
        Date start;
        int code;
    } const failing[] = {
        {kKey, {2025, 12, 1}, RetroactiveScheduleCode},
        {u"01000000000002"_s, {2026, 12, 1}, ScheduleLoad::KeyHasNoSchedule},
        {u"01000000000009"_s, {2026, 12, 1}, ScheduleLoad::NoSuchKey},
    };
    for (const Failing &f : failing) {
        const Result<PlannedMonth> refused = StandardniRozpisPracovnika(s.vx, f.key, f.start);
        EXPECT_EQ(refused.code(), f.code);
    }
    EXPECT_EQ(StandardniRozpisPracovnika(s.vx, kKey, {2025, 12, 1}).error(),
              u"Rozpis nelze aplikovat zpětně!"_s);
}

TEST(PlanSources, ManualPlanTakesTheCalendarPlanAcrossTheYearEnd)
{
    AttendanceSite s;
    TDMRPL rpl(s.dir.path());
    DayShift night = ShiftFromTemplate(ShiftTemplate::Night);
    const struct
    {
        QString key;
        QDate date;
        QString note;
    } rows[] = {{kKey, QDate(2025, 12, 31), u"DOVOL."_s},
                {kKey, QDate(2026, 1, 2), QString()},
                {u"01000000000002"_s, QDate(2026, 1, 3), QString()},
                {kKey, QDate(2026, 2, 1), QString()}};
    for (const auto &r : rows) {
        ASSERT_TRUE(rpl.tbRpl.append());
        rpl.tbRpl.setString(u"KLIC"_s, r.key);
        rpl.tbRpl.setDate(u"DATUM"_s, r.date);
        rpl.tbRpl.setBytes(u"DATA"_s, DayShiftToBytes(night));
        rpl.tbRpl.setString(u"POZN"_s, r.note);
        ASSERT_TRUE(rpl.tbRpl.post());
    }
    const Result<PlannedMonth> month = MR_Podle_RPlanu(rpl, kKey, 2026, 1);
    ASSERT_TRUE(month);
    EXPECT_EQ(month->source, kKey);
    EXPECT_EQ(month->notes[0], u"DOVOL."_s);
    EXPECT_EQ(month->plan.days[0], night);
    EXPECT_EQ(month->required[2], 0x0800);
    EXPECT_TRUE(IsDayEmpty(month->plan.days[3])); // another holder's day
    EXPECT_TRUE(IsDayEmpty(month->plan.days[1]));
    EXPECT_TRUE(IsDayEmpty(month->plan.days[31]));

    EXPECT_EQ(RozpisPro(s.db, kKey, 2026, 1), u"Měsíční rozpis leden 2026"_s);
    s.addHolder(kKey, QString());
    EXPECT_EQ(RozpisPro(s.db, kKey, 2026, 12), u"Měsíční rozpis prosinec 2026 pro Holder 01"_s);
}
