#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace vardex {

// The parameter editors of the units window, and how each turns the stored
// texts and bytes of a unit record into the values it shows and back.

enum class UnitEditor {
    None,
    AlarmMask,        // "Maska poplachu" (ALARM)
    RelayMask,        // "Maska otevření dveří" (RELE)
    UseMask,          // the use-mask panel (POUZITI)
    DoorTime,         // "Doba otevření dveří" (KONFIG of types 1, 2)
    DoorParameters,   // "Parametry dveří" (KONFIG of types 3, 8)
    BarrierParameters // "Parametry závor" (KONFIG of types 4, 9)
};

// The editor a double-click on the column of `field` opens for a unit of
// `type`; None for any other column and for a type code above 9, which no
// editor knows.
UnitEditor editorFor(const QString &field, quint8 type);

// --- masks: bit i of a mask is box i

std::array<bool, 8> maskBits(quint8 mask);
quint8 maskFromBits(const std::array<bool, 8> &bits);

// The use-mask panel of a type: its caption and the boxes it shows. Box i
// stands for bit i of POUZITI; an attendance unit shows one box "Aktivní",
// the others show boxes captioned by the names of inputs 0..3 (barrier units
// only inputs 0 and 1).
struct UseMaskLayout
{
    QString caption;
    int shownBoxes = 4;
    bool activeBox = false; // the single box reads "Aktivní"
};
UseMaskLayout useMaskLayout(quint8 type);

// The use mask after the panel: bits 0..3 from the four boxes (those the
// panel hides still hold what they were loaded with), bits 4..7 as stored.
quint8 useMaskFromBoxes(quint8 stored, const std::array<bool, 4> &boxes);

// --- door opening time: the first hex digit of KONFIG, 1..15 seconds

inline constexpr int kDoorTimeMin = 1;
inline constexpr int kDoorTimeMax = 15;

// The first hex digit of the text, brought into 1..15 for the slider.
int doorTimeOf(const QString &konfig);
// The text with its first digit replaced by `seconds` (1..15) as one hex
// digit; every other digit stays. A text shorter than 32 digits is first
// filled up with zeros, as the unit reads 16 bytes.
QString withDoorTime(const QString &konfig, int seconds);

// --- door and barrier parameters: counters over KONFIG bytes

inline constexpr int kCounterMin = 1;
inline constexpr int kCounterMax = 100;

// A stored byte as the counter shows it (brought into 1..100).
int counterOf(quint8 byte);

// Expander units: opening time of input i in byte 1 + 2i, waiting time in
// byte 2 + 2i, inputs 0..3.
struct DoorParameters
{
    std::array<int, 4> opening{};
    std::array<int, 4> waiting{};
};
DoorParameters doorParametersOf(const QByteArray &konfig);
// Writes the counters into their bytes of a 16-byte block.
void putDoorParameters(QByteArray &konfig, const DoorParameters &parameters);

// Barrier types in selector order, with the code stored in KONFIG.
struct BarrierTypeChoice
{
    QString text;
    quint8 code;
};
const std::array<BarrierTypeChoice, 4> &barrierTypes();
// The selector entry of a stored code; -1 for a code not in the list.
int barrierTypeIndex(quint8 code);
// The entry's text, "???" for a code not in the list.
QString barrierTypeText(quint8 code);

// Barrier units, inputs 0 and 1: barrier type in byte 1 + i, opening time in
// byte 3 + i, waiting time in byte 5 + i.
struct BarrierInput
{
    int typeIndex = -1; // selector entry; -1 = none selected (keep the stored byte)
    int opening = kCounterMin;
    int waiting = kCounterMin;
};
struct BarrierParameters
{
    std::array<BarrierInput, 2> inputs{};
};
BarrierParameters barrierParametersOf(const QByteArray &konfig);
void putBarrierParameters(QByteArray &konfig, const BarrierParameters &parameters);

} // namespace vardex
