#include "accessdata/TDB0DM.h"
#include "events/PeriodPicker.h"
#include "events/TimeIntervalEditor.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "timecal/DayMonth.h"
#include "timecal/HourMinute.h"

#include <gtest/gtest.h>

using namespace vardex;

namespace {

// Day n counted from 1 March 2024 (0 is 29 February).
QDate d(int n)
{
    return QDate(2024, 3, 1).addDays(n - 1);
}

// Today is 5 March 2024; the date dialog is a script that notes what it was
// asked and gives `answer`.
struct Site : ::testing::Test
{
    vardex::testing::TempDir dir;
    vardex::testing::ScriptedMessages messages;
    FixedClock clock{QDateTime(d(5), QTime(9, 0))};
    TDB0DM db{dir.path(), messages, clock};
    std::optional<DatePeriodRequest> asked;
    std::optional<DatePeriod> answer;

    void SetUp() override
    {
        db.showDateDialog = [this](const DatePeriodRequest &r) {
            asked = r;
            return answer;
        };
    }
    void store(const std::optional<DatePeriod> &p)
    {
        db.PrazdnyInterval();
        if (!p)
            return;
        db.interval = {PackDayMonth(p->first.day(), p->first.month()), p->first.year(),
                       PackDayMonth(p->last.day(), p->last.month()), p->last.year()};
    }
    DatePeriod stored() const
    {
        const ProcessingInterval &i = db.interval;
        return {QDate(i.startYear, MonthOfDayMonth(i.startDate), DayOfDayMonth(i.startDate)),
                QDate(i.endYear, MonthOfDayMonth(i.endDate), DayOfDayMonth(i.endDate))};
    }
};

struct ChoiceCase
{
    const char *name;
    std::optional<DatePeriod> before;
    std::optional<DatePeriod> answer;
    DatePeriod preset;
    bool confirmed;
    DatePeriod after;
};

} // namespace

TEST_F(Site, APeriodStartsFromTheStoredOneOrTheCurrentMonth)
{
    const DatePeriod february{d(-23), d(-18)};
    const ChoiceCase cases[] = {
        {"empty, cancelled", {}, {}, {d(1), d(31)}, false, {d(1), d(31)}},
        {"set, confirmed", february, DatePeriod{d(0), d(2)}, february, true, {d(0), d(2)}},
        {"set, cancelled", february, {}, february, false, february},
    };
    for (const ChoiceCase &c : cases) {
        SCOPED_TRACE(c.name);
        store(c.before);
        answer = c.answer;
        EXPECT_EQ(db.UrceniIntervaluZpracovani(31), c.confirmed);
        ASSERT_TRUE(asked);
        EXPECT_FALSE(asked->singleDay);
        EXPECT_EQ(asked->maxDays, 31);
        EXPECT_EQ(asked->preset, c.preset);
        EXPECT_EQ(stored(), c.after);
    }
}

TEST_F(Site, ASingleDayIsTodayUnlessAStartIsSet)
{
    const ChoiceCase cases[] = {
        {"empty, confirmed", {}, DatePeriod{d(5), d(5)}, {d(5), d(5)}, true, {d(5), d(5)}},
        {"set, cancelled", DatePeriod{d(-28), d(0)}, {}, {d(-28), d(-28)}, false, {d(-28), d(-28)}},
        {"set, another day",
         DatePeriod{d(1), d(2)},
         DatePeriod{d(7), d(7)},
         {d(1), d(1)},
         true,
         {d(7), d(7)}},
    };
    for (const ChoiceCase &c : cases) {
        SCOPED_TRACE(c.name);
        store(c.before);
        answer = c.answer;
        EXPECT_EQ(db.UrceniDne(), c.confirmed);
        ASSERT_TRUE(asked);
        EXPECT_TRUE(asked->singleDay);
        EXPECT_EQ(asked->preset, c.preset);
        EXPECT_EQ(stored(), c.after);
    }
    db.showDateDialog = nullptr;
    EXPECT_FALSE(db.UrceniDne());
}

TEST(PeriodPicker, ClicksAndKeysPickAtMostTheLongestPeriod)
{
    struct Step
    {
        int day;
        bool shift = false;
        bool key = false;
    };
    const struct
    {
        const char *name;
        DatePeriodRequest request;
        std::vector<Step> steps;
        DatePeriod picked;
    } cases[] = {
        {"preset cut to 7 days", {false, 7, {d(1), d(31)}}, {}, {d(1), d(7)}},
        {"second click before the first", {false, 7, {d(1), d(1)}}, {{10}, {5}}, {d(5), d(10)}},
        {"second click too far back", {false, 7, {d(1), d(1)}}, {{10}, {2}}, {d(4), d(10)}},
        {"Shift+click too far, then back",
         {false, 7, {d(1), d(1)}},
         {{3}, {20, true}, {1, true}},
         {d(1), d(3)}},
        {"third click starts anew", {false, 7, {d(1), d(1)}}, {{3}, {5}, {8}}, {d(8), d(8)}},
        {"Shift+arrow stretches",
         {false, 7, {d(1), d(1)}},
         {{12, false, true}, {14, true, true}},
         {d(12), d(14)}},
        {"arrow starts anew",
         {false, 7, {d(1), d(1)}},
         {{12, false, true}, {14, false, true}},
         {d(14), d(14)}},
        {"single day", {true, 1, {d(5), d(9)}}, {{3}, {9, true}}, {d(9), d(9)}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        PeriodPicker picker(c.request);
        for (const Step &s : c.steps)
            s.key ? picker.move(d(s.day), s.shift) : picker.click(d(s.day), s.shift);
        EXPECT_EQ(picker.period(), c.picked);
    }
}

TEST_F(Site, TheTimeIntervalEndNeverPrecedesItsStart)
{
    struct Set
    {
        bool start;
        int hour;
        int minute;
    };
    const struct
    {
        const char *name;
        quint16 from, to;
        std::vector<Set> changes;
        const char *shown;
    } cases[] = {
        {"stored", 0x0800, 0x0C00, {}, "08:00-12:00"},
        {"stored end before start", 0x0A32, 0x0A14, {}, "10:50-10:50"},
        {"start past the end", 0x0800, 0x0C00, {{true, 13, 5}}, "13:05-13:05"},
        {"start before the end", 0x0800, 0x0C00, {{true, 9, 30}}, "09:30-12:00"},
        {"end before the start", 0x0800, 0x0C00, {{false, 7, 0}}, "08:00-08:00"},
        {"beyond the counters", 0, 0, {{false, 24, 60}, {true, -1, 0}}, "00:00-23:59"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        db.interval.startTime = c.from;
        db.interval.endTime = c.to;
        TimeIntervalEditor editor(db.interval);
        EXPECT_TRUE(db.FiltrTime().isEmpty()); // 00:00 to 00:00: closed now, none is left
        for (const Set &s : c.changes)
            s.start ? editor.setStart(s.hour, s.minute) : editor.setEnd(s.hour, s.minute);
        EXPECT_EQ(editor.startText() + "-" + editor.endText(), c.shown);
        editor.apply();
        EXPECT_EQ(FormatHourMinute(db.interval.startTime) + "-" +
                      FormatHourMinute(db.interval.endTime),
                  c.shown);
    }
}
