#pragma once

#include "attendance/AttendanceDay.h"
#include "attendance/PlanSources.h"

#include <QString>

#include <array>

namespace vardex {

// The days of the evaluated month a period covers: from-day to to-day.
struct EvaluatedPeriod
{
    int year = 0;
    int month = 0;
    int fromDay = 0;
    int toDay = 0;

    QDate from() const { return QDate(year, month, fromDay); }
    QDate to() const { return QDate(year, month, toDay); }
};

// The computed values of one day, as the reports and the corrections show
// them; times are hour-minute words.
struct DayResult
{
    char place = DayPlace::Out; // where the worker was when the day ended
    bool arrived = false;
    DayMoment firstArrival;
    DayMoment lastDeparture;
    quint16 norm = 0;
    quint16 work = 0;
    quint16 business = 0;
    quint16 doctor = 0;
    quint16 lunch = 0;
    quint16 other = 0;
    quint16 total = 0; // "výkon": everything but lunch
    QString balance;   // "saldo"
    QString marks;     // "#Z" late arrival, "#K" early departure
    QString note;
    bool night = false; // the day's plan begins a night shift
};

// The period's sums as long durations.
struct PeriodTotals
{
    quint32 norm = 0;
    quint32 total = 0;
    quint32 work = 0;
    quint32 business = 0;
    quint32 lunch = 0;
    quint32 doctor = 0;
    quint32 other = 0;
};

// One worker's month: slot d (1..31) is day d.
struct MonthResults
{
    std::array<DayResult, 32> days{};
};

// Cleared results whose norms, notes and night marks come from the plan.
MonthResults PrazdnaSestava(const PlannedMonth &plan);

// The day's state taken into its results.
void storeDay(DayResult &result, const DayState &state);

// Each day's total (work, business, doctor and other; lunch does not count)
// and its balance against the norm.
void DopocitatDny(MonthResults &results, const EvaluatedPeriod &period);
// Recomputes one day the same way (after a correction of its values).
void recomputeDay(DayResult &day);

// The sums of the period's days.
PeriodTotals Sumarizace(const MonthResults &results, const EvaluatedPeriod &period);

} // namespace vardex
