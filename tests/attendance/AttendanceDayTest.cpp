#include "attendance/AttendanceDay.h"
#include "timecal/HourMinute.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace Qt::StringLiterals;

namespace {

quint16 hm(const char *text)
{
    return ParseHourMinute(QString::fromLatin1(text));
}

DayShift shiftOf(const char *mand1, const char *mand2 = nullptr, char flag = ' ',
                 const char *opt1 = nullptr)
{
    const auto part = [](const char *text, quint16 &from, quint16 &to) {
        if (!text)
            return;
        const QString t = QString::fromLatin1(text);
        from = ParseHourMinute(t.left(5));
        to = ParseHourMinute(t.mid(6));
    };
    DayShift s;
    part(mand1, s.first.mandatoryStart, s.first.mandatoryEnd);
    part(mand2, s.second.mandatoryStart, s.second.mandatoryEnd);
    part(opt1, s.first.optionalStart, s.first.optionalEnd);
    s.flag = flag;
    return s;
}

const DayShift kMorning = shiftOf("06:00-14:00");
const DayShift kNight = shiftOf("00:00-06:00", "22:00-23:59", 'A');

} // namespace

TEST(AttendanceDay, CreditedTime)
{
    const DayShift flexible = shiftOf("08:00-12:00", nullptr, ' ', "06:00-18:00");
    const DayShift split = shiftOf("06:00-10:00", "12:00-16:00");
    const DayShift optionalOnly = shiftOf(nullptr, nullptr, ' ', "07:00-15:00");
    struct Case
    {
        const char *what;
        DayShift shift;
        const char *a;
        const char *t;
        const char *credit;
    } cases[] = {
        {"inside", kMorning, "07:00", "09:30", "02:30"},
        {"around the mandatory part", kMorning, "05:50", "14:10", "08:00"},
        {"before the shift", kMorning, "04:00", "05:59", "00:00"},
        {"optional part widens the window", flexible, "06:30", "17:00", "10:30"},
        {"only an optional part", optionalOnly, "06:00", "16:00", "08:00"},
        {"both sections", split, "05:00", "17:00", "08:00"},
        {"between the sections", split, "10:30", "11:30", "00:00"},
        {"empty day", DayShift{}, "06:00", "14:00", "00:00"},
        {"night, same evening", kNight, "21:30", "23:00", "01:00"},
        {"night past midnight", kNight, "21:30", "06:30", "08:00"},
        {"night, morning only", kNight, "01:00", "05:00", "04:00"},
        {"night past midnight, early leave", kNight, "22:30", "03:00", "04:30"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FormatHourMinute(ZapocetDoby(hm(c.a), hm(c.t), c.shift)),
                  QString::fromLatin1(c.credit))
            << c.what;
}

// Every kind in every place: the error it gives, the place it leads to and
// what it credits.
TEST(AttendanceDay, StateMachine)
{
    const QDate day(2026, 12, 7);
    struct Case
    {
        char from;
        int kind;
        const char *error;
        char to;
    } cases[] = {
        {'N', 0, "", 'P'},
        {'S', 0, "", 'P'},
        {'L', 0, "", 'P'},
        {'O', 0, "", 'P'},
        {'X', 0, "", 'P'},
        {'P', 0, "příchod při P", 'P'},
        {'P', 1, "", 'S'},
        {'P', 2, "", 'L'},
        {'P', 3, "", 'O'},
        {'P', 4, "", 'N'},
        {'P', 5, "", 'X'},
        {'N', 1, "služebně při N", 'S'},
        {'O', 2, "lékař při O", 'L'},
        {'L', 3, "oběd při L", 'O'},
        {'N', 4, "odchod při N", 'N'},
        {'S', 4, "odchod při S", 'N'},
        {'X', 5, "jiný při X", 'X'},
        {'P', 6, "", 'P'},
        {'N', 7, "", 'N'},
    };
    for (const Case &c : cases) {
        DayState state;
        state.place = c.from;
        const DayEventOutcome out = DochazkovaUdalostDne(state, kMorning, c.kind, hm("09:00"), day);
        EXPECT_EQ(out.error, QString::fromUtf8(c.error)) << c.from << c.kind;
        EXPECT_EQ(state.place, c.to) << c.from << c.kind;
    }
}

// The places away from work credit their own times; lunch is kept apart.
TEST(AttendanceDay, DayOfEvents)
{
    struct Step
    {
        int kind;
        const char *time;
    };
    struct Case
    {
        const char *what;
        std::vector<Step> steps;
        const char *work, *business, *doctor, *lunch, *other, *marks;
    } cases[] = {
        {"lunch break",
         {{0, "05:50"}, {3, "11:00"}, {0, "11:30"}, {4, "14:10"}},
         "07:30",
         "00:00",
         "00:00",
         "00:30",
         "00:00",
         ""},
        {"business, doctor, other",
         {{0, "06:00"},
          {1, "07:00"},
          {0, "08:00"},
          {2, "09:00"},
          {0, "09:45"},
          {5, "10:00"},
          {0, "10:15"},
          {4, "14:00"}},
         "06:00",
         "01:00",
         "00:45",
         "00:00",
         "00:15",
         "#Z#K"},
        {"late and early at the bounds",
         {{0, "06:01"}, {4, "13:59"}},
         "07:58",
         "00:00",
         "00:00",
         "00:00",
         "00:00",
         "#Z#K"},
        {"just outside the bounds",
         {{0, "05:59"}, {4, "14:01"}},
         "08:00",
         "00:00",
         "00:00",
         "00:00",
         "00:00",
         ""},
    };
    const QDate day(2026, 12, 7);
    for (const Case &c : cases) {
        DayState s;
        QString marks;
        for (const Step &step : c.steps)
            marks += DochazkovaUdalostDne(s, kMorning, step.kind, hm(step.time), day).marks;
        EXPECT_EQ(FormatHourMinute(s.work), QString::fromLatin1(c.work)) << c.what;
        EXPECT_EQ(FormatHourMinute(s.business), QString::fromLatin1(c.business)) << c.what;
        EXPECT_EQ(FormatHourMinute(s.doctor), QString::fromLatin1(c.doctor)) << c.what;
        EXPECT_EQ(FormatHourMinute(s.lunch), QString::fromLatin1(c.lunch)) << c.what;
        EXPECT_EQ(FormatHourMinute(s.other), QString::fromLatin1(c.other)) << c.what;
        EXPECT_EQ(marks, QString::fromLatin1(c.marks)) << c.what;
        EXPECT_EQ(s.firstArrival, (DayMoment{day, hm(c.steps.front().time)})) << c.what;
        EXPECT_EQ(s.lastDeparture, (DayMoment{day, hm(c.steps.back().time)})) << c.what;
    }
}

TEST(AttendanceDay, WindowsAroundANightShift)
{
    const quint16 hour = hm("01:00");
    struct Case
    {
        const char *what;
        DayShift today, yesterday;
        DayWindow expected;
    } cases[] = {
        {"plain day", kMorning, kMorning, {10, 0, false, 10, hm("23:59")}},
        {"night begins", kNight, kMorning, {10, hm("21:00"), false, 11, hm("07:00")}},
        {"day after a night", kMorning, kNight, {10, hm("07:00"), true, 10, hm("23:59")}},
        {"nights in a row", kNight, kNight, {10, hm("21:00"), false, 11, hm("07:00")}},
    };
    for (const Case &c : cases) {
        const DayWindow w = dayWindow(c.today, c.yesterday, 10, hour, hour);
        EXPECT_EQ(w.fromSlot, c.expected.fromSlot) << c.what;
        EXPECT_EQ(w.fromTime, c.expected.fromTime) << c.what;
        EXPECT_EQ(w.fromExclusive, c.expected.fromExclusive) << c.what;
        EXPECT_EQ(w.toSlot, c.expected.toSlot) << c.what;
        EXPECT_EQ(w.toTime, c.expected.toTime) << c.what;
    }
    // The minute a night's window ends belongs to the night only.
    const DayWindow night = dayWindow(kNight, kMorning, 10, hour, hour);
    const DayWindow after = dayWindow(kMorning, kNight, 11, hour, hour);
    EXPECT_FALSE(night.after(11, hm("07:00")));
    EXPECT_TRUE(after.before(11, hm("07:00")));
    EXPECT_FALSE(after.before(11, hm("07:01")));
}
