#include "attendance/AttendanceDay.h"

#include "timecal/HourMinute.h"

namespace vardex {

namespace {

constexpr quint16 kLastMinute = MakeHourMinute(23, 59);

// The window a section allows presence in; false for an empty section.
bool allowedWindow(const ShiftSection &s, quint16 &from, quint16 &to)
{
    switch (SectionKindOf(s)) {
    case SectionKind::Empty:
        return false;
    case SectionKind::MandatoryOnly:
        from = s.mandatoryStart;
        to = s.mandatoryEnd;
        return true;
    case SectionKind::OptionalOnly:
        from = s.optionalStart;
        to = s.optionalEnd;
        return true;
    case SectionKind::Both:
        from = qMin(s.mandatoryStart, s.optionalStart);
        to = qMax(s.mandatoryEnd, s.optionalEnd);
        return true;
    }
    return false;
}

quint16 overlapWith(quint16 a, quint16 t, const ShiftSection &s)
{
    quint16 from = 0;
    quint16 to = 0;
    return allowedWindow(s, from, to) ? OverlapLength(a, t, from, to) : 0;
}

bool isNightShift(const DayShift &shift)
{
    return shift.crosses() && SectionKindOf(shift.first) == SectionKind::MandatoryOnly &&
           SectionKindOf(shift.second) == SectionKind::MandatoryOnly;
}

bool inMandatoryPart(const DayShift &shift, quint16 t)
{
    const auto inside = [t](const ShiftSection &s) {
        return HasMandatoryPart(s) && InRange(s.mandatoryStart, s.mandatoryEnd, t);
    };
    return inside(shift.first) || inside(shift.second);
}

QString placeText(char place)
{
    return QString(QLatin1Char(place));
}

} // namespace

quint16 ZapocetDoby(quint16 a, quint16 t, const DayShift &shift)
{
    if (isNightShift(shift) && t < a) {
        const quint16 evening =
            OverlapLength(a, kLastMinute, shift.second.mandatoryStart, shift.second.mandatoryEnd);
        const quint16 morning =
            OverlapLength(0, t, shift.first.mandatoryStart, shift.first.mandatoryEnd);
        return AddHourMinute(AddHourMinute(evening, 1), morning);
    }
    if (t < a)
        return 0;
    return AddHourMinute(overlapWith(a, t, shift.first), overlapWith(a, t, shift.second));
}

DayEventOutcome DochazkovaUdalostDne(DayState &day, const DayShift &shift, int kind, quint16 t,
                                     const QDate &date)
{
    DayEventOutcome out;
    const char place = day.place;
    const auto credit = [&](quint16 since) { return ZapocetDoby(since, t, shift); };
    if (kind == EventKind::Arrival) {
        switch (place) {
        case DayPlace::Out:
            if (inMandatoryPart(shift, t))
                out.marks = QStringLiteral("#Z");
            break;
        case DayPlace::Business:
            day.business = AddHourMinute(day.business, credit(day.businessLeave));
            break;
        case DayPlace::Doctor:
            day.doctor = AddHourMinute(day.doctor, credit(day.doctorLeave));
            break;
        case DayPlace::Lunch:
            day.lunch = AddHourMinute(day.lunch, credit(day.lunchLeave));
            break;
        case DayPlace::Other:
            day.other = AddHourMinute(day.other, credit(day.otherLeave));
            break;
        default:
            out.error = QStringLiteral("příchod při ") + placeText(place);
            break;
        }
        day.place = DayPlace::Present;
        day.lastArrival = t;
        if (!day.arrived) {
            day.arrived = true;
            day.firstArrival = {date, t};
        }
        return out;
    }

    struct Leave
    {
        const char *name;
        char place;
        quint16 DayState::*since;
    };
    static const Leave kLeaves[] = {
        {"", DayPlace::Present, nullptr},
        {"služebně při ", DayPlace::Business, &DayState::businessLeave},
        {"lékař při ", DayPlace::Doctor, &DayState::doctorLeave},
        {"oběd při ", DayPlace::Lunch, &DayState::lunchLeave},
        {"odchod při ", DayPlace::Out, nullptr},
        {"jiný při ", DayPlace::Other, &DayState::otherLeave},
    };
    if (kind < EventKind::Business || kind > EventKind::Other)
        return out;
    const Leave &leave = kLeaves[kind];
    if (place == DayPlace::Present) {
        if (kind == EventKind::Departure && inMandatoryPart(shift, t))
            out.marks = QStringLiteral("#K");
        day.work = AddHourMinute(day.work, credit(day.lastArrival));
    } else {
        out.error = QString::fromUtf8(leave.name) + placeText(place);
    }
    day.place = leave.place;
    if (leave.since)
        day.*leave.since = t;
    day.lastDeparture = {date, t};
    return out;
}

DayWindow dayWindow(const DayShift &today, const DayShift &yesterday, int slot,
                    quint16 arriveEarlier, quint16 leaveLater)
{
    if (today.crosses())
        return {slot, SubHourMinute(ShiftStart(today), arriveEarlier), false, slot + 1,
                AddHourMinute(ShiftEnd(today), leaveLater)};
    if (yesterday.crosses())
        return {slot, AddHourMinute(ShiftEnd(yesterday), leaveLater), true, slot, kLastMinute};
    return {slot, 0, false, slot, kLastMinute};
}

} // namespace vardex
