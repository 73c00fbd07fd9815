#pragma once

#include "text/KeyNumber.h"
#include "timecal/Calendar.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

namespace vardex {

// One event as a unit recorded it: the unit's address, the key (all zero
// for an event without a key), the time word (hours × 256 + minutes), the
// date word (month × 256 + day; a unit keeps no year) and the result code.
struct EventRecord
{
    quint8 address = 0;
    KeyBytes key{};
    quint16 time = 0;
    quint16 date = 0;
    quint8 result = 0;

    int hours() const { return time >> 8; }
    int minutes() const { return time & 0xFF; }
    int month() const { return date >> 8; }
    int day() const { return date & 0xFF; }
    QString keyText() const { return keyToText(key); }
    // Hours, minutes, day and month within their ranges (the month's own
    // length is not looked at).
    bool plausible() const;
    // The event's date in `year`; invalid when the day is not in that month.
    QDate dateIn(int year) const;
    friend bool operator==(const EventRecord &, const EventRecord &) = default;
};

// The last reply received to a read of events: byte 0 the address of the
// unit that answered, bytes 1..3 the unit's 24-bit value, then up to 21 raw
// records of 12 bytes (key, minutes, hours, day, month in BCD, result code).
// The checksum is not kept.
class EventReply
{
public:
    static constexpr int BufferSize = 261;
    static constexpr int MaxRecords = 21;
    static constexpr int RecordSize = 12;
    static constexpr int FirstRecordOffset = 4;

    EventReply() { clear(); }

    // Zeroes the buffer.
    void clear();

    // Takes a received reply of `received.size()` bytes (checksum last) for
    // the unit `currentAddress` and returns the reason it cannot be used,
    // empty when it can. An empty `received` is not handled here (the
    // caller words the time-out).
    //   up to 261 bytes: all but the checksum are kept; a reply from another
    //     unit gives "05/06 Odpovídá jiná jednotka!";
    //   262 bytes or more: the first 261 are kept and the message is
    //     "05 ABCDEF  Nesprávná délka paketu: 300".
    QString take(const QByteArray &received, const QString &currentAddress);

    const QByteArray &bytes() const { return m_bytes; }
    quint8 unitAddress() const { return quint8(m_bytes[0]); }
    // The unit address and its 24-bit value as "05 ABCDEF" (byte 3 first).
    QString headerText() const;

    // The leading non-empty records, 0..21. A record not wholly received
    // counts as empty, so a cut-off reply never yields a half-filled event.
    int recordCount() const;
    // Raw record i (1..21) decoded; the BCD fields of a damaged byte read as
    // 255.
    EventRecord record(int i) const;

private:
    bool recordEmpty(int i) const;

    QByteArray m_bytes;
    int m_received = 0; // bytes kept from the last reply
};

// The diagnostic line of a record of the reply: "05 ABCDEF 31.12. 23:59
// 01665544332211 10".
QString udalost_dmToStr(const EventReply &reply, const EventRecord &record);

// The verdict on one record: the year it belongs to and, when it is
// rejected, the message for the log.
struct EventVerdict
{
    int year = 0;
    QString message; // empty when the record is accepted

    bool accepted() const { return message.isEmpty(); }
};

// Checks record `record` of `reply` against today's date: hours below 24,
// minutes below 60, day 1..31, month 1..12, and the day within its month in
// the year the event belongs to (a record with 31 February cannot be stored
// and is rejected like any other bad date). The year is today's year unless
// the month is after today's month: then the event is from last year (a
// December event read in January).
EventVerdict validateEvent(const EventReply &reply, const EventRecord &record, const Date &today);

// A reply decoded on its own, without any table: for the serial line's
// handlers and the unit simulator.
struct DecodedEventBlock
{
    QString message; // why the reply cannot be used; empty when it can
    struct Entry
    {
        EventRecord record;
        EventVerdict verdict;
    };
    QList<Entry> entries; // the records in order, accepted or not

    bool usable() const { return message.isEmpty(); }
};

// Decodes a reply to a read of events (or of one event) addressed to
// `currentAddress`; `received` ends with the checksum. An empty reply gives
// the message "Žádná odpověď".
DecodedEventBlock decodeEventBlock(const QByteArray &received, const QString &currentAddress,
                                   const Date &today);

} // namespace vardex
