#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

namespace vardex {

struct UnitEvaluationData;

// What a result code says. The low nibble is the object: 0..7 the
// reader-side objects, 8..15 the inputs. For a reader event bits 4..5 pick
// one of the unit's four result texts; for an input the high nibble is the
// input's state.
constexpr int eventObject(quint8 res)
{
    return res & 0x0F;
}
constexpr bool isInputEvent(quint8 res)
{
    return (res & 0x08) != 0;
}
constexpr int eventOutcome(quint8 res)
{
    return (res >> 4) & 0x03;
}

// The state of an input as the high nibble of the result code shows it:
// "klidový stav", "AKTIVOVÁNO", or the nibble as two hex digits ("01").
QString inputStateText(quint8 res);

// The fields of a stored event that its texts are made from.
struct StoredEvent
{
    QDate date;
    QTime time;
    QString addr; // AHWJ
    QString ctm;  // CTM
    QString res;  // RES
};

// The four texts of a stored event.
struct EventTexts
{
    QString dateTime;   // "06.12.2026 08:15"
    QString key;        // empty, the holder's name, or "Klíč: " and the number
    QString unitObject; // "Hlavní vchod,Dveře 0 / příchod"; "?" for an unknown unit
    QString result;     // result text or input state; empty for an unknown unit
};

// Whether an event counts for attendance, and the result code it counts
// with: for doors and barriers 0 (arrival) or 4 (departure) by the
// direction of the reader; for an attendance unit the recorded code. The
// caller has checked that the event is a reader event of an existing unit.
std::optional<quint8> attendanceResult(const UnitEvaluationData &unit, quint8 res);

} // namespace vardex
