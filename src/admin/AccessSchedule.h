#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

namespace vardex {

// An access time schedule: up to seven components, each a time window
// within one day valid on a set of weekdays. Stored as the 36-byte block of
// DATAROZVRHU: the count, then per component the start and end words
// (hour × 256 + minute, little-endian) and the weekday mask.

inline constexpr int ScheduleComponentCount = 7;
inline constexpr int WeekDayCount = 7;

// Weekday masks: bit 6 Monday … bit 0 Sunday; bit 7 is never set (their
// text is dayMaskText of the unit protocol). Days are counted from 0 = Monday.
quint8 dayBit(int day);
quint8 dayMask(const std::array<bool, WeekDayCount> &days);
std::array<bool, WeekDayCount> dayFlags(quint8 mask);
// "HH:MM".
QString scheduleTimeText(quint16 word);

struct ScheduleComponent
{
    quint16 start = 0;
    quint16 end = 0;
    quint8 days = 0;

    // Allows nothing: its window is empty or it holds on no day.
    bool isEmpty() const { return start == end || days == 0; }
    friend bool operator==(const ScheduleComponent &, const ScheduleComponent &) = default;
};

// "08:00 - 16:30 Po Út St Čt Pá "; an all-zero component "00:00 - 00:00 ".
QString componentText(const ScheduleComponent &component);

class ScheduleBlock
{
public:
    // A block read as stored; a count beyond seven is taken as seven, a
    // short block is filled with zeros.
    static ScheduleBlock fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;

    int count() const { return m_count; }
    // Component i, 1..7; all zero for any other i.
    ScheduleComponent component(int i) const;
    void put(int i, const ScheduleComponent &component);
    void clearComponent(int i);
    void clear();

    // Deletes component k of 1..n: the later ones move down by one, the
    // last is cleared and the count decreases.
    void remove(int k);
    // Deletes component k when another of 1..n equals it.
    void removeDuplicateOf(int k);
    // Deletes the empty components among 1..n.
    void compact();
    // An edited component confirmed at position k: stored there (the count
    // grows to k), dropped again when it repeats another, and the block
    // compacted, so components 1..n stay non-empty and distinct.
    void apply(int k, const ScheduleComponent &component);

    friend bool operator==(const ScheduleBlock &, const ScheduleBlock &) = default;

private:
    int m_count = 0;
    std::array<ScheduleComponent, ScheduleComponentCount> m_components{};
};

// A bar of the week chart: on `day` (0 = Monday) from unit `from` to unit
// `to`, one unit per 10 minutes of the day, counted from 1.
struct ChartBar
{
    int day = 0;
    int from = 0;
    int to = 0;
    friend bool operator==(const ChartBar &, const ChartBar &) = default;
};
inline constexpr int ChartUnitsPerDay = 144;

// The bars of one component: one per day of its mask, none when its end is
// not after its start.
QList<ChartBar> chartBars(const ScheduleComponent &component);
// The bars of components 1..n.
QList<ChartBar> chartBars(const ScheduleBlock &block);

} // namespace vardex
