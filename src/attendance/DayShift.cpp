#include "attendance/DayShift.h"

#include "timecal/HourMinute.h"

#include <QtEndian>

namespace vardex {

namespace {

void putWord(QByteArray &bytes, int offset, quint16 word)
{
    qToLittleEndian(word, bytes.data() + offset);
}

quint16 wordAt(QByteArrayView bytes, int offset)
{
    if (bytes.size() < offset + 2)
        return 0;
    return qFromLittleEndian<quint16>(bytes.data() + offset);
}

void putSection(QByteArray &bytes, int offset, const ShiftSection &s)
{
    putWord(bytes, offset, s.mandatoryStart);
    putWord(bytes, offset + 2, s.mandatoryEnd);
    putWord(bytes, offset + 4, s.optionalStart);
    putWord(bytes, offset + 6, s.optionalEnd);
}

ShiftSection sectionAt(QByteArrayView bytes, int offset)
{
    return {wordAt(bytes, offset), wordAt(bytes, offset + 2), wordAt(bytes, offset + 4),
            wordAt(bytes, offset + 6)};
}

} // namespace

QByteArray DayShiftToBytes(const DayShift &day)
{
    QByteArray bytes(19, '\0');
    putSection(bytes, 0, day.first);
    putSection(bytes, 8, day.second);
    bytes[16] = day.flag;
    putWord(bytes, 17, day.required);
    return bytes;
}

DayShift DayShiftFromBytes(QByteArrayView bytes)
{
    DayShift day;
    day.first = sectionAt(bytes, 0);
    day.second = sectionAt(bytes, 8);
    day.flag = bytes.size() > 16 ? bytes[16] : ShiftFlag::None;
    day.required = wordAt(bytes, 17);
    return day;
}

void ClearDay(DayShift &day)
{
    day = DayShift{};
}

bool IsDayEmpty(const DayShift &day)
{
    return IsSectionEmpty(day.first) && IsSectionEmpty(day.second);
}

quint16 ShiftStart(const DayShift &day)
{
    return IsSectionEmpty(day.second) ? day.first.mandatoryStart : day.second.mandatoryStart;
}

quint16 ShiftEnd(const DayShift &day)
{
    return day.first.mandatoryEnd;
}

DayShift ShiftFromTemplate(ShiftTemplate which)
{
    DayShift day;
    const quint16 eight = MakeHourMinute(8, 0);
    switch (which) {
    case ShiftTemplate::Clear:
        break;
    case ShiftTemplate::Free:
        day.first.optionalEnd = MakeHourMinute(23, 59);
        day.required = eight;
        break;
    case ShiftTemplate::Night:
        day.first.mandatoryEnd = MakeHourMinute(6, 0);
        day.second.mandatoryStart = MakeHourMinute(22, 0);
        day.second.mandatoryEnd = MakeHourMinute(23, 59);
        day.flag = ShiftFlag::Crossing;
        day.required = eight;
        break;
    case ShiftTemplate::Morning:
        day.first.mandatoryStart = MakeHourMinute(6, 0);
        day.first.mandatoryEnd = MakeHourMinute(14, 0);
        day.required = eight;
        break;
    case ShiftTemplate::Afternoon:
        day.first.mandatoryStart = MakeHourMinute(14, 0);
        day.first.mandatoryEnd = MakeHourMinute(22, 0);
        day.required = eight;
        break;
    }
    return day;
}

} // namespace vardex
