#pragma once

#include "text/KeyNumber.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace vardex {

// The command codes a unit understands.
namespace Cmd {
inline constexpr quint8 Konfigurace = 0x80;
inline constexpr quint8 DuplicitniOpravneni = 0x81;
inline constexpr quint8 ZakazOpravneni = 0x82;
inline constexpr quint8 NastavCas = 0x83;
inline constexpr quint8 PrectiUdalosti = 0x84;
inline constexpr quint8 Nulovat = 0x85;
inline constexpr quint8 Uzamknout = 0x86;
inline constexpr quint8 Opravneni = 0x87;
inline constexpr quint8 PrectiPamet = 0x88;
inline constexpr quint8 ZapisSaldo = 0x89;
inline constexpr quint8 PrectiStavHwj = 0x8A;
inline constexpr quint8 NastavReleMask = 0x8B;
inline constexpr quint8 NastavTamperMask = 0x8C;
inline constexpr quint8 NaPocatekPameti = 0x8D;
inline constexpr quint8 PrectiJednuUdalost = 0x8E;
inline constexpr quint8 DocasnyZakaz = 0x8F;
inline constexpr quint8 DocasnyPovoleno = 0x90;
inline constexpr quint8 CasoveOknoTimer = 0xB0;
inline constexpr quint8 OpravneniTimer = 0xB1;
} // namespace Cmd

// The one-byte statuses of the line: the unit's answers to commands, and the
// PC's own marks for a time-out and for a data reply with a good or a wrong
// checksum.
namespace Status {
inline constexpr quint8 NoAnswer = 0x01;
inline constexpr quint8 Accepted = 0xAA;
inline constexpr quint8 CommandCrc = 0xB0;
inline constexpr quint8 Context = 0x0B;
inline constexpr quint8 UnknownCommand = 0x80;
inline constexpr quint8 Locked = 0x90;
inline constexpr quint8 EventsWaiting = 0x70;
inline constexpr quint8 Impossible = 0xA0;
inline constexpr quint8 Inadmissible = 0xC0;
} // namespace Status

// The byte the PC sends to acknowledge a data reply with a good checksum.
inline constexpr quint8 AcknowledgeByte = 0xAA;

// One row of the command table: the code, L (the offset of the frame's
// checksum byte), E (the expected reply length) and the command's name.
struct CommandInfo
{
    quint8 code;
    quint8 frameLength;
    quint16 replyLength;
    const char *name; // UTF-8
};

inline constexpr int CommandCount = 19;
const std::array<CommandInfo, CommandCount> &commandTable();
// The row of a code; null for a code that is not a command.
const CommandInfo *findCommand(quint8 code);
// E of a code; 0 for a code that is not a command.
quint16 replyLengthOf(quint8 code);
// Whether the unit moves on past what a reply to the code hands out (events,
// memory blocks) once it is acknowledged: such a reply is acknowledged by its
// receiver after it has kept the data, never by the port on arrival.
bool replyHandsOutData(quint8 code);
// L of a code; 0 for a code that is not a command.
quint8 frameLengthOf(quint8 code);
// The command's name; empty for a code that is not a command.
QString commandName(quint8 code);

// The sum of the bytes modulo 256.
quint8 checksum(QByteArrayView bytes);
// A frame of L + 1 bytes: address, L, code, the data, checksum. L is the
// table's; data shorter than L − 3 bytes is padded with zeros, longer is cut.
// A code that is not a command gives an empty frame.
QByteArray buildFrame(quint8 address, quint8 code, QByteArrayView data = {});

// The operator's text of a status byte; "???" for a byte the table lacks.
QString statusText(quint8 status);
// The text kept for a data reply whose checksum the PC found wrong; the
// status table shows 0xC0 as the unit's "not admissible".
QString rxCrcErrorText();

// --- encodings

// The unit's clock: second, minute, hour, day, month (BCD), day of week
// (0 = Sunday, plain), year modulo 100 (BCD).
using UnitClock = std::array<quint8, 7>;
UnitClock encodeClock(const QDateTime &at);
// The date and time a clock holds (year 2000 + yy); none when a field is not
// a valid number or the date does not exist. The day of week is not checked.
std::optional<QDateTime> decodeClock(const UnitClock &clock);

// "neděle" .. "sobota" for 0..6; empty otherwise.
QString dayOfWeekName(int fromSunday);
// The abbreviations of the days set in a day mask, Monday first ("Po Út ").
QString dayMaskText(quint8 mask);
// The day-mask bit of a day of week (0 = Sunday .. 6 = Saturday).
quint8 dayMaskBit(int fromSunday);

// Packed time of day: hour × 256 + minute.
inline quint16 packTime(int hour, int minute)
{
    return quint16(hour << 8 | minute);
}

// --- the permission record

inline constexpr int PermissionRecordSize = 14;

// The record from which the key commands are built; also the record of the
// permission file.
struct PermissionRecord
{
    KeyBytes key{};
    quint16 windowStart = 0; // packed time of day
    quint16 windowEnd = 0;
    quint8 dayMask = 0;
    quint8 address = 0;
    quint8 attribute = 0;

    QByteArray toBytes() const;
    // Bytes missing from a short block read as 0.
    static PermissionRecord fromBytes(QByteArrayView bytes);
    friend bool operator==(const PermissionRecord &, const PermissionRecord &) = default;
};

// The section byte of a time-window command for a unit type, taken from the
// attribute byte: types 1 and 2 give 0, types 3 and 8 the low four bits,
// types 4 and 9 the low two bits, any other type 255.
quint8 SekceJednotkyPodleTypu(quint8 type, quint8 attribute);

// --- reply layouts

inline constexpr int EventBlockLength = 260;
inline constexpr int OneEventLength = 16;
inline constexpr int UnitStateLength = 260;
inline constexpr int EventSlotSize = 12;
inline constexpr int EventSlotsPerBlock = 21;

// Where slot n (1..21) of an event block starts.
constexpr int eventSlotOffset(int n)
{
    return EventSlotSize * n - 8;
}

// One recorded event as the unit keeps it: the key (all zero for an input
// change), the time as BCD bytes, and the result code.
struct EventSlot
{
    KeyBytes key{};
    quint8 minute = 0; // BCD, as on the wire
    quint8 hour = 0;
    quint8 day = 0;
    quint8 month = 0;
    quint8 result = 0;

    QByteArray toBytes() const;
    static EventSlot fromBytes(QByteArrayView twelveBytes);
    bool isEmpty() const;
    friend bool operator==(const EventSlot &, const EventSlot &) = default;
};

// An event at a time of the unit's clock.
EventSlot makeEventSlot(const KeyBytes &key, const QDateTime &at, quint8 result);

// The reply to the event-block read: the answering address, the unit's
// 24-bit value, up to 21 events. Slots past the events are zero.
QByteArray encodeEventBlock(quint8 address, quint32 value, const QList<EventSlot> &events);
// The events of a block: the slots before the first empty one. A block
// shorter than 260 bytes yields only the slots that lie wholly inside it.
QList<EventSlot> eventsInBlock(QByteArrayView block);
// Bytes 1..3 of a block or one-event reply, little-endian.
quint32 blockValue(QByteArrayView reply);
// The reply to the one-event read: address, 24-bit value, one slot.
QByteArray encodeOneEvent(quint8 address, quint32 value, const EventSlot &event);

// The state a unit reports.
struct UnitState
{
    quint8 address = 0;
    quint8 type = 0;
    quint8 state = 0;
    quint8 mode = 0;
    quint8 memorySizeCode = 0;
    quint8 alarmMask = 0;
    quint8 relayMask = 0;
    std::array<quint32, 5> positions{}; // 24-bit each
    quint8 memoryFlag = 0;
    UnitClock clock{};
    QByteArray channels; // 128 bytes for types 8 and 9, else empty

    QByteArray toBytes() const; // 260 bytes
    // Fields past the end of a short reply read as 0.
    static UnitState fromBytes(QByteArrayView reply);
    // (first position − fourth position) / 12, the positions being 24-bit
    // counters, so that a counter that has wrapped still counts right.
    int waitingEvents() const;
};

// The unit states of byte 2.
namespace UnitStateCode {
inline constexpr quint8 NotConfigured = 0;
inline constexpr quint8 Zeroed = 1;
inline constexpr quint8 Locked = 2;
inline constexpr quint8 Configured = 0xAA;
} // namespace UnitStateCode

// The event-memory flag: 1 while the memory is fine. Any other value means
// the unit has overwritten events that were never read; a unit reports 0.
inline constexpr quint8 MemoryFlagFine = 1;
inline constexpr quint8 MemoryFlagOverflow = 0;

// "KVR-8", "KVR-EXP", "KVR-ZAV", "KVR-EXP-T", "KVR-ZAV-T"; "?" otherwise.
QString unitTypeName(quint8 type);
// "není konfigurována", "vynulována", "uzamčena", "konfigurována"; "?" otherwise.
QString unitStateName(quint8 state);
// For type 1: " přístupová", " docházková" or " neznámý mód!"; empty for
// other types.
QString unitModeName(quint8 type, quint8 mode);
// The event memory in kB, (code + 1) × 32; 0 for 255 (no memory).
int memorySizeKb(quint8 code);

} // namespace vardex
