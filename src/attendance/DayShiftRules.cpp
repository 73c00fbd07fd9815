#include "attendance/DayShift.h"

#include "timecal/HourMinute.h"

#include <algorithm>

namespace vardex {

namespace {

int minutesOf(quint16 word)
{
    return HourOf(word) * 60 + MinuteOf(word);
}

quint16 wordOf(int minutes)
{
    return MakeHourMinute(minutes / 60, minutes % 60);
}

// Where two optional parts overlap but the mandatory ones do not: the
// border between them goes to the middle of the overlap, kept out of the
// mandatory parts.
void splitOptionalOverlap(ShiftSection &first, ShiftSection &second)
{
    const int from = minutesOf(second.optionalStart);
    const quint16 m = wordOf(from + (minutesOf(first.optionalEnd) - from) / 2);
    const quint16 e1 = first.mandatoryEnd;
    const quint16 s2 = second.mandatoryStart;
    quint16 border;
    if (e1 <= m && m <= s2)
        border = m;
    else if (m <= e1 && m <= s2)
        border = e1;
    else if (m >= e1 && m > s2)
        border = s2;
    else
        return;
    first.optionalEnd = border;
    second.optionalStart = border;
}

void orderAndJoin(DayShift &day)
{
    ShiftSection &first = day.first;
    ShiftSection &second = day.second;
    if (IsSectionEmpty(first)) {
        if (IsSectionEmpty(second))
            return;
        first = second;
        ClearSection(second);
    }
    if (IsSectionEmpty(second))
        return;
    if (first.mandatoryStart > second.mandatoryStart)
        std::swap(first, second);
    const bool mandatoryOverlap =
        second.mandatoryStart != 0 && second.mandatoryStart < first.mandatoryEnd;
    const bool optionalOverlap =
        second.optionalStart != 0 && second.optionalStart < first.optionalEnd;
    if (mandatoryOverlap && optionalOverlap) {
        first.mandatoryEnd = second.mandatoryEnd;
        first.optionalEnd = second.optionalEnd;
        ClearSection(second);
    } else if (mandatoryOverlap) {
        first.mandatoryEnd = second.mandatoryEnd;
        first.optionalEnd = std::max(first.optionalEnd, second.optionalEnd);
        ClearSection(second);
    } else if (optionalOverlap) {
        splitOptionalOverlap(first, second);
    }
}

} // namespace

void NormaliseDay(DayShift &day)
{
    orderAndJoin(day);
    // An empty section keeps no stray times.
    for (ShiftSection *s : {&day.first, &day.second})
        if (IsSectionEmpty(*s))
            ClearSection(*s);
}

void ComputeRequired(DayShift &day)
{
    quint16 sum = 0;
    for (const ShiftSection *s : {&day.first, &day.second})
        if (HasMandatoryPart(*s))
            sum = AddHourMinute(sum, SubHourMinute(s->mandatoryEnd, s->mandatoryStart));
    if (day.crosses())
        sum = AddHourMinute(sum, MakeHourMinute(0, 1));
    day.required = sum;
}

void ToggleCrossing(DayShift &day)
{
    if (day.crosses()) {
        day.flag = ShiftFlag::None;
    } else if (day.first.mandatoryStart == 0 && day.second.mandatoryEnd == MakeHourMinute(23, 59)) {
        ClearOptionalPart(day.first);
        ClearOptionalPart(day.second);
        NormaliseDay(day);
        day.flag = ShiftFlag::Crossing;
    }
    ComputeRequired(day);
}

} // namespace vardex
