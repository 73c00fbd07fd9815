#include "admin/AccessSchedule.h"

#include "admin/AdminSchemas.h"
#include "comm/Protocol.h"
#include "timecal/HourMinute.h"

namespace vardex {

namespace {

constexpr int kComponentSize = 5;

bool inRange(int i)
{
    return i >= 1 && i <= ScheduleComponentCount;
}

quint16 wordAt(const QByteArray &bytes, int at)
{
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

void putWord(QByteArray &bytes, int at, quint16 word)
{
    bytes[at] = char(word & 0xFF);
    bytes[at + 1] = char(word >> 8);
}

int minuteOfDay(quint16 word)
{
    return HourOf(word) * 60 + MinuteOf(word);
}

} // namespace

quint8 dayBit(int day)
{
    return day >= 0 && day < WeekDayCount ? quint8(0x40 >> day) : 0;
}

quint8 dayMask(const std::array<bool, WeekDayCount> &days)
{
    quint8 mask = 0;
    for (int d = 0; d < WeekDayCount; ++d)
        if (days[size_t(d)])
            mask |= dayBit(d);
    return mask;
}

std::array<bool, WeekDayCount> dayFlags(quint8 mask)
{
    std::array<bool, WeekDayCount> days{};
    for (int d = 0; d < WeekDayCount; ++d)
        days[size_t(d)] = mask & dayBit(d);
    return days;
}

QString scheduleTimeText(quint16 word)
{
    return QStringLiteral("%1:%2")
        .arg(HourOf(word), 2, 10, QLatin1Char('0'))
        .arg(MinuteOf(word), 2, 10, QLatin1Char('0'));
}

QString componentText(const ScheduleComponent &c)
{
    return scheduleTimeText(c.start) + QStringLiteral(" - ") + scheduleTimeText(c.end) +
           QLatin1Char(' ') + dayMaskText(c.days);
}

ScheduleBlock ScheduleBlock::fromBytes(const QByteArray &stored)
{
    QByteArray bytes = stored;
    bytes.resize(ScheduleBlockSize, '\0');
    ScheduleBlock block;
    block.m_count = qMin(int(quint8(bytes[0])), ScheduleComponentCount);
    for (int i = 0; i < ScheduleComponentCount; ++i) {
        const int at = 1 + kComponentSize * i;
        block.m_components[size_t(i)] = {wordAt(bytes, at), wordAt(bytes, at + 2),
                                         quint8(bytes[at + 4])};
    }
    return block;
}

QByteArray ScheduleBlock::toBytes() const
{
    QByteArray bytes(ScheduleBlockSize, '\0');
    bytes[0] = char(m_count);
    for (int i = 0; i < ScheduleComponentCount; ++i) {
        const int at = 1 + kComponentSize * i;
        const ScheduleComponent &c = m_components[size_t(i)];
        putWord(bytes, at, c.start);
        putWord(bytes, at + 2, c.end);
        bytes[at + 4] = char(c.days);
    }
    return bytes;
}

ScheduleComponent ScheduleBlock::component(int i) const
{
    return inRange(i) ? m_components[size_t(i - 1)] : ScheduleComponent{};
}

void ScheduleBlock::put(int i, const ScheduleComponent &component)
{
    if (inRange(i))
        m_components[size_t(i - 1)] = component;
}

void ScheduleBlock::clearComponent(int i)
{
    put(i, {});
}

void ScheduleBlock::clear()
{
    *this = ScheduleBlock{};
}

void ScheduleBlock::remove(int k)
{
    if (k < 1 || k > m_count)
        return;
    for (int i = k; i < m_count; ++i)
        put(i, component(i + 1));
    clearComponent(m_count);
    --m_count;
}

void ScheduleBlock::removeDuplicateOf(int k)
{
    for (int i = 1; i <= m_count; ++i) {
        if (i != k && component(i) == component(k)) {
            remove(k);
            return;
        }
    }
}

void ScheduleBlock::compact()
{
    for (int i = 1; i <= m_count;) {
        if (component(i).isEmpty())
            remove(i);
        else
            ++i;
    }
}

void ScheduleBlock::apply(int k, const ScheduleComponent &component)
{
    if (!inRange(k))
        return;
    put(k, component);
    m_count = qMax(m_count, k);
    removeDuplicateOf(k);
    compact();
}

QList<ChartBar> chartBars(const ScheduleComponent &c)
{
    QList<ChartBar> bars;
    if (c.end <= c.start)
        return bars;
    for (int d = 0; d < WeekDayCount; ++d)
        if (c.days & dayBit(d))
            bars.append({d, minuteOfDay(c.start) / 10 + 1, minuteOfDay(c.end) / 10 + 1});
    return bars;
}

QList<ChartBar> chartBars(const ScheduleBlock &block)
{
    QList<ChartBar> bars;
    for (int i = 1; i <= block.count(); ++i)
        bars += chartBars(block.component(i));
    return bars;
}

} // namespace vardex
