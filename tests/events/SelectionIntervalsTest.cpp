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

QString text(const DatePeriod &p)
{
    return p.first.toString(u"dd.MM.yyyy") + " - " + p.last.toString(u"dd.MM.yyyy");
}

// Today is 5 March 2024.
struct Site : ::testing::Test
{
    vardex::testing::TempDir dir;
    vardex::testing::ScriptedMessages messages;
    FixedClock clock{QDateTime(d(5), QTime(9, 0))};
    TDB0DM db{dir.path(), messages, clock};
};

} // namespace

// The date dialog is a script that notes what it was asked and answers.
TEST_F(Site, PeriodAndDayStartFromTheStoredInterval)
{
    const DatePeriod feb{d(-23), d(-18)};
    const struct
    {
        bool singleDay;
        std::optional<DatePeriod> before, answer;
        DatePeriod preset;
        bool confirmed;
        DatePeriod after;
    } cases[] = {
        {false, {}, {}, {d(1), d(31)}, false, {d(1), d(31)}}, // the current month
        {false, feb, DatePeriod{d(0), d(2)}, feb, true, {d(0), d(2)}},
        {false, feb, {}, feb, false, feb},
        {true, {}, DatePeriod{d(5), d(5)}, {d(5), d(5)}, true, {d(5), d(5)}}, // today
        {true, feb, {}, {feb.first, feb.first}, false, {feb.first, feb.first}},
        {true, feb, DatePeriod{d(7), d(7)}, {feb.first, feb.first}, true, {d(7), d(7)}},
    };
    std::optional<DatePeriodRequest> asked;
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        db.PrazdnyInterval();
        if (c.before)
            db.interval = {PackDayMonth(c.before->first.day(), c.before->first.month()),
                           c.before->first.year(),
                           PackDayMonth(c.before->last.day(), c.before->last.month()),
                           c.before->last.year()};
        db.showDateDialog = [&](const DatePeriodRequest &r) {
            asked = r;
            return c.answer;
        };
        EXPECT_EQ(c.singleDay ? db.UrceniDne() : db.UrceniIntervaluZpracovani(31), c.confirmed);
        ASSERT_TRUE(asked);
        EXPECT_EQ(asked->singleDay, c.singleDay);
        EXPECT_EQ(asked->maxDays, c.singleDay ? 1 : 31);
        EXPECT_EQ(asked->preset, c.preset);
        EXPECT_EQ(db.ObdobiZpracovani(), text(c.after));
    }
}

TEST(PeriodPicker, ClicksAndKeysPickAtMostTheLongestPeriod)
{
    // Steps: day, then "s" for Shift, "k" for a key rather than a click.
    const struct
    {
        DatePeriodRequest request;
        std::vector<std::pair<int, const char *>> steps;
        DatePeriod picked;
    } cases[] = {
        {{false, 7, {d(1), d(31)}}, {}, {d(1), d(7)}},
        {{false, 7, {d(1), d(1)}}, {{10, ""}, {5, ""}}, {d(5), d(10)}},
        {{false, 7, {d(1), d(1)}}, {{10, ""}, {2, ""}}, {d(4), d(10)}},
        {{false, 7, {d(1), d(1)}}, {{3, ""}, {20, "s"}, {1, "s"}}, {d(1), d(3)}},
        {{false, 7, {d(1), d(1)}}, {{3, ""}, {5, ""}, {8, ""}}, {d(8), d(8)}},
        {{false, 7, {d(1), d(1)}}, {{12, "k"}, {14, "k"}}, {d(14), d(14)}},
        {{true, 1, {d(5), d(9)}}, {{3, ""}, {9, "s"}}, {d(9), d(9)}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        PeriodPicker picker(c.request);
        for (const auto &[day, how] : c.steps) {
            const bool shift = QByteArray(how).contains('s');
            QByteArray(how).contains('k') ? picker.move(d(day), shift)
                                          : picker.click(d(day), shift);
        }
        EXPECT_EQ(picker.period(), c.picked);
    }
}

TEST_F(Site, TheTimeIntervalEndNeverPrecedesItsStart)
{
    // Changes: hour, minute, true for the start.
    const struct
    {
        quint16 from, to;
        std::vector<std::tuple<int, int, bool>> changes;
        const char *shown;
    } cases[] = {
        {0x0800, 0x0C00, {}, "08:00-12:00"},
        {0x0A32, 0x0A14, {}, "10:50-10:50"},
        {0x0800, 0x0C00, {{13, 5, true}}, "13:05-13:05"},
        {0x0800, 0x0C00, {{9, 30, true}}, "09:30-12:00"},
        {0x0800, 0x0C00, {{7, 0, false}}, "08:00-08:00"},
        {0, 0, {{24, 60, false}, {-1, 0, true}}, "00:00-23:59"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        db.interval.startTime = c.from;
        db.interval.endTime = c.to;
        TimeIntervalEditor editor(db.interval);
        EXPECT_TRUE(db.FiltrTime().isEmpty()); // 00:00 to 00:00: none is left open
        for (const auto &[hour, minute, start] : c.changes)
            start ? editor.setStart(hour, minute) : editor.setEnd(hour, minute);
        EXPECT_EQ(editor.startText() + "-" + editor.endText(), c.shown);
        editor.apply();
        EXPECT_EQ(FormatHourMinute(db.interval.startTime) + "-" +
                      FormatHourMinute(db.interval.endTime),
                  c.shown);
    }
}
