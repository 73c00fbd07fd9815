#include "accessdata/EventRecord.h"

#include "text/Bcd.h"
#include "text/HexText.h"
#include "timecal/DayMonth.h"
#include "timecal/HourMinute.h"

#include <algorithm>

namespace vardex {

bool EventRecord::plausible() const
{
    return hours() < 24 && minutes() < 60 && day() >= 1 && day() <= 31 && month() >= 1 &&
           month() <= 12;
}

QDate EventRecord::dateIn(int year) const
{
    return QDate(year, month(), day());
}

void EventReply::clear()
{
    m_bytes = QByteArray(BufferSize, '\0');
    m_received = 0;
}

QString EventReply::take(const QByteArray &received, const QString &currentAddress)
{
    clear();
    const qsizetype length = received.size();
    if (length > BufferSize) {
        m_bytes = received.left(BufferSize);
        m_received = BufferSize;
        return headerText() + QStringLiteral("  Nesprávná délka paketu: ") +
               QString::number(length);
    }
    m_received = int(qMax<qsizetype>(length - 1, 0));
    std::copy_n(received.constData(), m_received, m_bytes.data());
    const QString answered = byteToHex(unitAddress());
    if (length > 0 && answered.compare(currentAddress, Qt::CaseInsensitive) != 0)
        return answered + QLatin1Char('/') + currentAddress +
               QStringLiteral(" Odpovídá jiná jednotka!");
    return QString();
}

QString EventReply::headerText() const
{
    return byteToHex(unitAddress()) + QLatin1Char(' ') + byteToHex(quint8(m_bytes[3])) +
           byteToHex(quint8(m_bytes[2])) + byteToHex(quint8(m_bytes[1]));
}

bool EventReply::recordEmpty(int i) const
{
    const int start = FirstRecordOffset + RecordSize * (i - 1);
    if (start + RecordSize > m_received)
        return true;
    for (int b = start; b < start + RecordSize; ++b)
        if (m_bytes[b] != '\0')
            return false;
    return true;
}

int EventReply::recordCount() const
{
    int count = 0;
    while (count < MaxRecords && !recordEmpty(count + 1))
        ++count;
    return count;
}

EventRecord EventReply::record(int i) const
{
    Q_ASSERT(i >= 1 && i <= MaxRecords);
    const int start = FirstRecordOffset + RecordSize * (i - 1);
    auto at = [&](int offset) { return quint8(m_bytes[start + offset]); };
    EventRecord r;
    r.address = unitAddress();
    for (int b = 0; b < 7; ++b)
        r.key[size_t(b)] = at(b);
    r.time = quint16(decodeBcd(at(8)) * 256 + decodeBcd(at(7)));
    r.date = quint16(decodeBcd(at(10)) * 256 + decodeBcd(at(9)));
    r.result = at(11);
    return r;
}

QString udalost_dmToStr(const EventReply &reply, const EventRecord &record)
{
    return reply.headerText() + QLatin1Char(' ') + FormatDayMonth(record.date) + QLatin1Char(' ') +
           FormatHourMinute(record.time) + QLatin1Char(' ') + record.keyText() + QLatin1Char(' ') +
           byteToHex(record.result);
}

EventVerdict validateEvent(const EventReply &reply, const EventRecord &record, const Date &today)
{
    EventVerdict v;
    v.year = record.month() > today.month ? today.year - 1 : today.year;
    if (!record.plausible() || !record.dateIn(v.year).isValid())
        v.message = udalost_dmToStr(reply, record) + QStringLiteral(" - chybné časové údaje!");
    return v;
}

DecodedEventBlock decodeEventBlock(const QByteArray &received, const QString &currentAddress,
                                   const Date &today)
{
    DecodedEventBlock block;
    if (received.isEmpty()) {
        block.message = QStringLiteral("Žádná odpověď");
        return block;
    }
    EventReply reply;
    block.message = reply.take(received, currentAddress);
    if (!block.usable())
        return block;
    const int count = reply.recordCount();
    for (int i = 1; i <= count; ++i) {
        const EventRecord r = reply.record(i);
        block.entries.append({r, validateEvent(reply, r, today)});
    }
    return block;
}

} // namespace vardex
