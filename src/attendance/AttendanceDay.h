#pragma once

#include "attendance/DayShift.h"

#include <QDate>
#include <QString>

namespace vardex {

// What an attendance event says the worker did: the low three bits of its
// result code as it counts for attendance; 6 and 7 mean nothing.
namespace EventKind {
inline constexpr int Arrival = 0;   // příchod
inline constexpr int Business = 1;  // služebně
inline constexpr int Doctor = 2;    // lékař
inline constexpr int Lunch = 3;     // oběd
inline constexpr int Departure = 4; // odchod
inline constexpr int Other = 5;     // jiný snímač
} // namespace EventKind

// Where the worker is during a day.
namespace DayPlace {
inline constexpr char Out = 'N';
inline constexpr char Present = 'P';
inline constexpr char Business = 'S';
inline constexpr char Doctor = 'L';
inline constexpr char Lunch = 'O';
inline constexpr char Other = 'X';
} // namespace DayPlace

// A moment of an evaluated day: a date (invalid for none) and an
// hour-minute word.
struct DayMoment
{
    QDate date;
    quint16 time = 0;
    bool isSet() const { return date.isValid(); }
    friend bool operator==(const DayMoment &, const DayMoment &) = default;
};

// The state of one day's evaluation: where the worker is, when the day's
// presence began and ended, and the credited times so far.
struct DayState
{
    bool arrived = false;
    DayMoment firstArrival;
    DayMoment lastDeparture;
    char place = DayPlace::Out;
    quint16 lastArrival = 0;
    quint16 work = 0;
    quint16 businessLeave = 0;
    quint16 business = 0;
    quint16 doctorLeave = 0;
    quint16 doctor = 0;
    quint16 lunchLeave = 0;
    quint16 lunch = 0;
    quint16 otherLeave = 0;
    quint16 other = 0;
};

// The time of [a, t] that the day's shift credits: the overlap with each
// section's allowed window (the mandatory part, the optional part, or from
// the earlier start to the later end when it has both). A night shift
// (crossing, mandatory parts only) credits an interval that passes midnight
// (t < a) as its evening part up to 23:59, one minute, and its morning part.
quint16 ZapocetDoby(quint16 a, quint16 t, const DayShift &shift);

// What one event did to the day: the remark of its error record (empty
// when it fitted) and the marks it adds ("#Z" late arrival, "#K" early
// departure).
struct DayEventOutcome
{
    QString error;
    QString marks;
};

// Takes one event of `kind` at `t` on `date` into the day whose shift is
// `shift`: moves the worker between the places and credits the time spent.
DayEventOutcome DochazkovaUdalostDne(DayState &day, const DayShift &shift, int kind, quint16 t,
                                     const QDate &date);

// The event times that belong to a day, given as day slots of the month
// (see WorkFile) and hour-minute words, both ends included. After a night
// shift the window starts just after the minute the night's window ended,
// so an event at that minute belongs to the night only.
struct DayWindow
{
    int fromSlot = 0;
    quint16 fromTime = 0;
    bool fromExclusive = false;
    int toSlot = 0;
    quint16 toTime = 0;

    bool before(int slot, quint16 time) const
    {
        return slot < fromSlot ||
               (slot == fromSlot && (time < fromTime || (fromExclusive && time == fromTime)));
    }
    bool after(int slot, quint16 time) const
    {
        return slot > toSlot || (slot == toSlot && time > toTime);
    }
};

// The window of day `slot`: a night shift that begins that day widens it
// into the next morning by the tolerances; the day after one starts when
// that night's window ended.
DayWindow dayWindow(const DayShift &today, const DayShift &yesterday, int slot,
                    quint16 arriveEarlier, quint16 leaveLater);

} // namespace vardex
