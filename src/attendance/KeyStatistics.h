#pragma once

namespace vardex {

// The counters of one class in the counter table: how many there are and
// the total of their values.
struct CounterSum
{
    int count = 0;
    int sum = 0;
};

// How the key holders use one kind of assignment (workplace, permission
// group, shift schedule): how many distinct values, how many holders have
// one and how many have none.
struct AssignmentUse
{
    int distinct = 0;
    int holders = 0;
    int without = 0;
    friend bool operator==(const AssignmentUse &, const AssignmentUse &) = default;
};

struct KeyStatistics
{
    AssignmentUse workplaces;       // PRACOVISTE, counters "P…"
    AssignmentUse permissionGroups; // OPRAVNENI, counters "O…"
    AssignmentUse schedules;        // ROZPIS, counters "R…"
};

} // namespace vardex
