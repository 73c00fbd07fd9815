#include "admin/UnitEditors.h"

#include "accessdata/UnitCatalogue.h"

#include <algorithm>

namespace vardex {

namespace {

constexpr int kKonfigBytes = 16;
constexpr quint8 kHighestKnownType = 9;

quint8 byteAt(const QByteArray &bytes, int i)
{
    return i < bytes.size() ? quint8(bytes[i]) : 0;
}

void putByte(QByteArray &bytes, int i, int value)
{
    if (bytes.size() < kKonfigBytes)
        bytes.append(QByteArray(kKonfigBytes - bytes.size(), '\0'));
    bytes[i] = char(quint8(value));
}

// A counter's value as the byte stored, kept within the counter's range.
int counterByte(int value)
{
    return std::clamp(value, kCounterMin, kCounterMax);
}

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return 0;
}

} // namespace

UnitEditor editorFor(const QString &field, quint8 type)
{
    if (type > kHighestKnownType)
        return UnitEditor::None;
    if (field == QLatin1String("ALARM"))
        return isBarrierType(type) ? UnitEditor::None : UnitEditor::AlarmMask;
    if (field == QLatin1String("RELE"))
        return type == UnitType::Attendance ? UnitEditor::RelayMask : UnitEditor::None;
    if (field == QLatin1String("POUZITI"))
        return UnitEditor::UseMask;
    if (field == QLatin1String("KONFIG")) {
        if (type == UnitType::Access || type == UnitType::Attendance)
            return UnitEditor::DoorTime;
        if (type == UnitType::Expander || type == UnitType::ExpanderT)
            return UnitEditor::DoorParameters;
        if (isBarrierType(type))
            return UnitEditor::BarrierParameters;
    }
    return UnitEditor::None;
}

std::array<bool, 8> maskBits(quint8 mask)
{
    std::array<bool, 8> bits{};
    for (int i = 0; i < 8; ++i)
        bits[size_t(i)] = mask & (1u << i);
    return bits;
}

quint8 maskFromBits(const std::array<bool, 8> &bits)
{
    quint8 mask = 0;
    for (int i = 0; i < 8; ++i)
        if (bits[size_t(i)])
            mask |= quint8(1u << i);
    return mask;
}

UseMaskLayout useMaskLayout(quint8 type)
{
    if (type == UnitType::Attendance)
        return {QStringLiteral("Funkce jednotky"), 1, true};
    return {QStringLiteral("Vnější vstupy do objektu"), isBarrierType(type) ? 2 : 4, false};
}

quint8 useMaskFromBoxes(quint8 stored, const std::array<bool, 4> &boxes)
{
    quint8 mask = stored & 0xF0;
    for (int i = 0; i < 4; ++i)
        if (boxes[size_t(i)])
            mask |= quint8(1u << i);
    return mask;
}

int doorTimeOf(const QString &konfig)
{
    const int digit = konfig.isEmpty() ? 0 : hexDigitValue(konfig[0]);
    return std::clamp(digit, kDoorTimeMin, kDoorTimeMax);
}

QString withDoorTime(const QString &konfig, int seconds)
{
    QString text = konfig;
    if (text.size() < 2 * kKonfigBytes)
        text += QString(2 * kKonfigBytes - text.size(), QLatin1Char('0'));
    const int value = std::clamp(seconds, kDoorTimeMin, kDoorTimeMax);
    text[0] = QLatin1Char("0123456789ABCDEF"[value]);
    return text;
}

int counterOf(quint8 byte)
{
    return std::clamp(int(byte), kCounterMin, kCounterMax);
}

DoorParameters doorParametersOf(const QByteArray &konfig)
{
    DoorParameters p;
    for (int i = 0; i < 4; ++i) {
        p.opening[size_t(i)] = counterOf(byteAt(konfig, 1 + 2 * i));
        p.waiting[size_t(i)] = counterOf(byteAt(konfig, 2 + 2 * i));
    }
    return p;
}

void putDoorParameters(QByteArray &konfig, const DoorParameters &parameters)
{
    for (int i = 0; i < 4; ++i) {
        putByte(konfig, 1 + 2 * i, counterByte(parameters.opening[size_t(i)]));
        putByte(konfig, 2 + 2 * i, counterByte(parameters.waiting[size_t(i)]));
    }
}

const std::array<BarrierTypeChoice, 4> &barrierTypes()
{
    static const std::array<BarrierTypeChoice, 4> types = {{
        {QStringLiteral("relé"), 0x00},
        {QStringLiteral("relé s bariérou"), 0x01},
        {QStringLiteral("inteligentní - START"), 0x10},
        {QStringLiteral("inteligentní - START/STOP"), 0x11},
    }};
    return types;
}

int barrierTypeIndex(quint8 code)
{
    const auto &types = barrierTypes();
    for (size_t i = 0; i < types.size(); ++i)
        if (types[i].code == code)
            return int(i);
    return -1;
}

QString barrierTypeText(quint8 code)
{
    const int i = barrierTypeIndex(code);
    return i < 0 ? QStringLiteral("???") : barrierTypes()[size_t(i)].text;
}

BarrierParameters barrierParametersOf(const QByteArray &konfig)
{
    BarrierParameters p;
    for (int i = 0; i < 2; ++i) {
        BarrierInput &in = p.inputs[size_t(i)];
        in.typeIndex = barrierTypeIndex(byteAt(konfig, 1 + i));
        in.opening = counterOf(byteAt(konfig, 3 + i));
        in.waiting = counterOf(byteAt(konfig, 5 + i));
    }
    return p;
}

void putBarrierParameters(QByteArray &konfig, const BarrierParameters &parameters)
{
    const auto &types = barrierTypes();
    for (int i = 0; i < 2; ++i) {
        const BarrierInput &in = parameters.inputs[size_t(i)];
        if (in.typeIndex >= 0 && in.typeIndex < int(types.size()))
            putByte(konfig, 1 + i, types[size_t(in.typeIndex)].code);
        putByte(konfig, 3 + i, counterByte(in.opening));
        putByte(konfig, 5 + i, counterByte(in.waiting));
    }
}

} // namespace vardex
