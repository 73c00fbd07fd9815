#pragma once

#include "accessdata/EventRecord.h"
#include "base/Result.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <array>
#include <vector>

namespace vardex {

// The keys that have attendance events in the extracted period. Holds every
// key: a site with more workers than any fixed number loses none of them.
class KeySet
{
public:
    void clear() { m_keys.clear(); }
    bool contains(const KeyBytes &key) const { return m_keys.contains(keyId(key)); }
    // Adds the key when it is not there yet; whether it was added.
    bool add(const KeyBytes &key)
    {
        const auto before = m_keys.size();
        m_keys.insert(keyId(key));
        return m_keys.size() != before;
    }
    qsizetype count() const { return m_keys.size(); }

private:
    static quint64 keyId(const KeyBytes &key)
    {
        quint64 id = 0;
        for (quint8 b : key)
            id = (id << 8) | b;
        return id;
    }
    QSet<quint64> m_keys;
};

// The size of one record of the work file: unit address, 7 key bytes, time
// word and date word (little-endian) and the result code as it counts for
// attendance.
inline constexpr int WorkRecordSize = 13;

QByteArray workRecordBytes(const EventRecord &record);
EventRecord workRecordFromBytes(const char *bytes);

// Slots of the work file's day index: slot 0 is the day before the month's
// first day, 1..31 the days of the month, 32 the first day of the next
// month. The extraction reads from the day before the period's start to the
// day after its end, so an event of another month has a slot of its own and
// is never taken for the day of this month with the same number.
inline constexpr int DaySlots = 33;
inline constexpr int NextMonthSlot = 32;

// The period's events that count for attendance, sorted by date and time,
// as "MVD.WRK" holds them, with the index of each day's first record.
class WorkFile
{
public:
    // Empties the file for a period in `month` of `year`.
    void reset(int year, int month);

    int year() const { return m_year; }
    int month() const { return m_month; }
    const std::vector<EventRecord> &records() const { return m_records; }
    qsizetype size() const { return qsizetype(m_records.size()); }
    bool isEmpty() const { return m_records.empty(); }

    // The slot of a record's date word for this month; -1 for a date that
    // is neither in the month nor next to it.
    int slotOf(quint16 dateWord) const;
    // The date of a slot.
    QDate dateOfSlot(int slot) const;

    // Appends a record that comes after every record held (date and time
    // order); the day index follows.
    void append(const EventRecord &record);
    // Day-index entries still unset get the number of records; call once
    // every record is appended.
    void finish();

    // The record number of the first record of the slot's day, or size()
    // when the day has none.
    qsizetype dayStart(int slot) const { return m_dayIndex[size_t(slot)]; }

    // The file's bytes: 13 bytes a record in order.
    QByteArray bytes() const;
    // Written through a temporary file that replaces the old one.
    Result<void> save(const QString &path) const;

private:
    int m_year = 0;
    int m_month = 0;
    std::vector<EventRecord> m_records;
    std::array<qsizetype, DaySlots> m_dayIndex{};
};

// The work file's name in the working directory.
QString workFilePath(const QString &workDir);

} // namespace vardex
