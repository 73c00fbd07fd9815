#pragma once

#include "base/Result.h"
#include "tables/Table.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace vardex {

class TDB0DM;

// One row of a worker's day: an attendance event, or a place between
// events where the operator may add one ("<- vložit").
struct DayRow
{
    bool insertion = true;
    QString date;     // "dd.mm."
    quint16 time = 0; // hour-minute word
    QString result;   // the event's result text
    bool added = false;
    qint64 idEve = 0;
    QString unit; // the event's unit address

    QString timeText() const;
};

// Where an event may be added: the times allowed (bounds included) and
// the units on offer. No unit: the operator chooses any unit (the day has
// no event yet); one: that unit; two: the operator picks one of them.
struct InsertionPlace
{
    quint16 lower = 0;
    quint16 upper = 0;
    QStringList units;

    quint16 clamp(quint16 time) const;
    bool holds(quint16 time) const { return lower <= time && time <= upper; }
};

// What an added event may name as its object at one unit: "NN " and the
// object's name. For an attendance unit the kinds of passage 00..05; for
// any other unit the entry and exit reader of every door (barrier) the
// unit uses, four doors at most, two on a barrier unit.
struct UnitInsertionFacts
{
    quint8 type = 0;
    quint8 used = 0;                  // POUZITI: bit n for door n
    std::array<QString, 8> readers{}; // SnimTM0..SnimTM7
};
QStringList insertionObjects(const UnitInsertionFacts &unit);

// The review of one worker's attendance events of one day: lists them,
// adds events the worker forgot to record (marked as added, ORI false)
// and removes the added ones again. Works on the access-control data
// module's event table, whose filter and order it restores when it ends.
class DayReview
{
public:
    DayReview(TDB0DM &db, const QString &workDir);
    ~DayReview();
    DayReview(const DayReview &) = delete;
    DayReview &operator=(const DayReview &) = delete;

    void setKey(const QString &ctm) { m_key = ctm; }
    const QString &key() const { return m_key; }
    void setDate(const QDate &date) { m_date = date; }
    const QDate &date() const { return m_date; }

    // Reads the day again: one row per event of the key and day that counts
    // for attendance, with an insertion row first and after each event.
    Result<void> show();
    const QList<DayRow> &rows() const { return m_rows; }

    // The place of insertion row `row` (0-based).
    InsertionPlace place(int row) const;
    // The entries offered for an event at `unit`; a unit the table lacks
    // is a failure naming it.
    Result<QStringList> objects(const QString &unit);

    // Adds an event at insertion row `row`: at `time` (within the row's
    // bounds), at `unit` (one the row offers), with the object whose code
    // begins `entry` (an entry objects() offers for that unit). The event
    // is stored as the units' events are, only marked as added; then the
    // day's order is repaired and the day read again. Gives the new
    // event's IdEve. Nothing is stored when any step fails.
    Result<qint64> insert(int row, quint16 time, const QString &unit, const QString &entry);

    // The seconds of every listed event become its row number (1-based),
    // so that ordering by date and time keeps the order shown; an event
    // that has gone is told to the operator and passed over. Then the day
    // is read again.
    Result<void> repairOrder();

    // Deletes every event the operator added to the key's day, recorded
    // events staying; gives how many were deleted. Then the day is read again.
    Result<int> clearAdded();

private:
    QString dayFilter() const;
    Result<void> applyDayFilter();
    Result<void> writeSeconds();
    Result<UnitInsertionFacts> unitFacts(const QString &unit);

    TDB0DM &m_db;
    Table m_units; // its own cursor: a lookup never moves the unit window's
    QString m_key;
    QDate m_date;
    QList<DayRow> m_rows;
    // The event table's order and filter as they were before the review.
    QString m_oldIndex;
    QString m_oldFilter;
    bool m_oldFiltered = false;
};

} // namespace vardex
