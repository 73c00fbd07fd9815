#include "attendance/DayShift.h"
#include "attendance/SectionEditor.h"
#include "support/QtPrinters.h"
#include "timecal/HourMinute.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace Qt::StringLiterals;

namespace {

quint16 hm(const char *text)
{
    return ParseHourMinute(QString::fromLatin1(text));
}

ShiftSection section(const char *text)
{
    return ParseSection(QString::fromLatin1(text)).value_or(ShiftSection{1, 1, 1, 1});
}

DayShift day(const char *first, const char *second, char flag = ShiftFlag::None)
{
    DayShift d;
    d.first = section(first);
    d.second = section(second);
    d.flag = flag;
    return d;
}

QString texts(const DayShift &d)
{
    return FormatSection(d.first) + u" | "_s + FormatSection(d.second);
}

} // namespace

TEST(ShiftSection, TextsParseAndFormatBack)
{
    // text, mandatory part, optional part, the text formatted back
    const std::tuple<const char *, const char *, const char *, const char *> cases[] = {
        {"P:06:00-14:00", "06:00-14:00", "00:00-00:00", "P:06:00-14:00"},
        {"P:06:00-10:00 N:05:30-10:30", "06:00-10:00", "05:30-10:30",
         "P:06:00-10:00 N:05:30-10:30"},
        {"N:05:30-10:30", "00:00-00:00", "05:30-10:30", "N:05:30-10:30"},
        {"", "00:00-00:00", "00:00-00:00", ""},
        {"P:06:00-14:00 ", "06:00-14:00", "00:00-00:00", "P:06:00-14:00"},
        {"N:05:30-10:30 what follows", "00:00-00:00", "05:30-10:30", "N:05:30-10:30"},
        // a part that does not run forward is empty and not written
        {"P:14:00-06:00", "14:00-06:00", "00:00-00:00", ""},
    };
    for (const auto &[text, mandatory, optional, back] : cases) {
        SCOPED_TRACE(text);
        const std::optional<ShiftSection> s = ParseSection(QString::fromLatin1(text));
        ASSERT_TRUE(s);
        EXPECT_EQ(FormatHourMinute(s->mandatoryStart) + u'-' + FormatHourMinute(s->mandatoryEnd),
                  QLatin1String(mandatory));
        EXPECT_EQ(FormatHourMinute(s->optionalStart) + u'-' + FormatHourMinute(s->optionalEnd),
                  QLatin1String(optional));
        EXPECT_EQ(FormatSection(*s), QLatin1String(back));
    }
    for (const char *bad : {"P:6:00-14:00", "P:06:00-14:0", "P:06:00-24:00", "P:06:00/14:00",
                            "P:06:00-14:00 X:01:00-02:00", "X", " P:06:00-14:00"})
        EXPECT_FALSE(ParseSection(QString::fromLatin1(bad))) << bad;
}

TEST(ShiftSection, NormalisingOrdersAndJoinsTheSections)
{
    // first, second, the sections afterwards
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"P:12:00-16:00", "P:06:00-11:00", "P:06:00-11:00 | P:12:00-16:00"},
        {"", "P:06:00-11:00", "P:06:00-11:00 | "},
        {"P:06:00-12:00", "P:10:00-14:00", "P:06:00-14:00 | "},
        // mandatory overlap only: the later optional end is kept
        {"P:06:00-12:00 N:05:00-13:30", "P:10:00-14:00", "P:06:00-14:00 N:05:00-13:30 | "},
        // both overlap: the second's ends are taken
        {"P:06:00-12:00 N:05:00-12:30", "P:10:00-14:00 N:09:00-15:00",
         "P:06:00-14:00 N:05:00-15:00 | "},
        // optional overlap only: the border goes to the middle of it…
        {"P:06:00-10:00 N:05:00-12:00", "P:13:00-17:00 N:11:00-18:00",
         "P:06:00-10:00 N:05:00-11:30 | P:13:00-17:00 N:11:30-18:00"},
        // …but not into a mandatory part: the first's end…
        {"P:06:00-11:50 N:05:00-12:00", "P:13:00-17:00 N:11:00-18:00",
         "P:06:00-11:50 N:05:00-11:50 | P:13:00-17:00 N:11:50-18:00"},
        // …or the second's start
        {"P:06:00-10:00 N:05:00-14:00", "P:11:00-17:00 N:10:30-18:00",
         "P:06:00-10:00 N:05:00-11:00 | P:11:00-17:00 N:11:00-18:00"},
        {"P:06:00-10:00", "P:14:00-18:00", "P:06:00-10:00 | P:14:00-18:00"},
    };
    for (const auto &[first, second, after] : cases) {
        SCOPED_TRACE(std::string(first) + " + " + second);
        DayShift d = day(first, second);
        NormaliseDay(d);
        EXPECT_EQ(texts(d), QLatin1String(after));
    }
}

TEST(ShiftSection, RequiredTimeAndCrossingMidnight)
{
    // first, second, flag, required
    const std::tuple<const char *, const char *, char, const char *> required[] = {
        {"P:06:00-10:30", "P:11:00-14:45", ' ', "08:15"},
        {"P:00:00-06:00", "P:22:00-23:59", 'A', "08:00"},
        {"P:00:00-06:00", "P:22:00-23:59", ' ', "07:59"},
        {"N:00:00-23:59", "", ' ', "00:00"},
    };
    for (const auto &[first, second, flag, hours] : required) {
        DayShift d = day(first, second, flag);
        ComputeRequired(d);
        EXPECT_EQ(FormatHourMinute(d.required), QLatin1String(hours)) << first << " " << flag;
    }
    // template, flag and required time after a toggle
    const std::tuple<ShiftTemplate, char, const char *> toggles[] = {
        {ShiftTemplate::Morning, ' ', "08:00"}, {ShiftTemplate::Afternoon, ' ', "08:00"},
        {ShiftTemplate::Night, ' ', "07:59"},   {ShiftTemplate::Free, ' ', "00:00"},
        {ShiftTemplate::Clear, ' ', "00:00"},
    };
    for (const auto &[pattern, flag, hours] : toggles) {
        DayShift d = ShiftFromTemplate(pattern);
        const DayShift before = d;
        ToggleCrossing(d);
        EXPECT_EQ(d.flag, flag) << int(pattern);
        EXPECT_EQ(FormatHourMinute(d.required), QLatin1String(hours)) << int(pattern);
        EXPECT_EQ(texts(d), texts(before)) << int(pattern);
    }
    // Toggling back on drops the optional parts.
    DayShift night = day("P:00:00-06:00 N:00:00-07:00", "P:22:00-23:59 N:21:00-23:59");
    ToggleCrossing(night);
    EXPECT_EQ(texts(night), u"P:00:00-06:00 | P:22:00-23:59"_s);
    EXPECT_EQ(night.flag, 'A');
    EXPECT_EQ(FormatHourMinute(night.required), u"08:00"_s);
}

TEST(ShiftSection, DayRecordBytes)
{
    DayShift d = day("P:06:00-10:00 N:05:30-10:30", "P:22:00-23:59", ShiftFlag::Crossing);
    d.required = hm("08:15");
    const QByteArray bytes = DayShiftToBytes(d);
    EXPECT_EQ(bytes.toHex(), QByteArray("0006000a1e051e0a"
                                        "0016"
                                        "3b17"
                                        "00000000"
                                        "41"
                                        "0f08"));
    EXPECT_EQ(DayShiftFromBytes(bytes), d);
}

TEST(ShiftSection, SectionCountersTakeTheEndAlong)
{
    using Part = SectionEditor::Part;
    SectionEditor e(section("P:06:00-08:30"));
    e.setStartHour(Part::Mandatory, 9);
    EXPECT_EQ(e.partText(Part::Mandatory), u"09:00 - 09:30"_s) << "the end's minutes kept";
    e.setStartMinute(Part::Mandatory, 45);
    EXPECT_EQ(e.partText(Part::Mandatory), u"09:45 >>>"_s);
    e.setEndHour(Part::Mandatory, 12);
    e.setStartMinute(Part::Mandatory, 50);
    EXPECT_EQ(e.partText(Part::Mandatory), u"09:50 - 12:45"_s);
    e.setStartHour(Part::Optional, 3);
    EXPECT_EQ(e.partText(Part::Optional), u"03:00 >>>"_s);
}
