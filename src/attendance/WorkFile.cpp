#include "attendance/WorkFile.h"

#include "text/LineFile.h"
#include "timecal/Calendar.h"
#include "timecal/DayMonth.h"

#include <QDate>

namespace vardex {

QByteArray workRecordBytes(const EventRecord &r)
{
    QByteArray b(WorkRecordSize, '\0');
    b[0] = char(r.address);
    for (int i = 0; i < 7; ++i)
        b[1 + i] = char(r.key[size_t(i)]);
    b[8] = char(r.time & 0xFF);
    b[9] = char(r.time >> 8);
    b[10] = char(r.date & 0xFF);
    b[11] = char(r.date >> 8);
    b[12] = char(r.result);
    return b;
}

EventRecord workRecordFromBytes(const char *bytes)
{
    const auto *b = reinterpret_cast<const quint8 *>(bytes);
    EventRecord r;
    r.address = b[0];
    for (int i = 0; i < 7; ++i)
        r.key[size_t(i)] = b[1 + i];
    r.time = quint16(b[8] | (b[9] << 8));
    r.date = quint16(b[10] | (b[11] << 8));
    r.result = b[12];
    return r;
}

void WorkFile::reset(int year, int month)
{
    m_year = year;
    m_month = month;
    m_records.clear();
    m_dayIndex.fill(-1);
}

int WorkFile::slotOf(quint16 dateWord) const
{
    const int month = MonthOfDayMonth(dateWord);
    const int day = DayOfDayMonth(dateWord);
    if (month == m_month)
        return day;
    const Date prev = PrevDay(Date{m_year, m_month, 1});
    if (month == prev.month && day == prev.day)
        return 0;
    if (month == m_month % 12 + 1 && day == 1)
        return NextMonthSlot;
    return -1;
}

QDate WorkFile::dateOfSlot(int slot) const
{
    return QDate(m_year, m_month, 1).addDays(slot - 1);
}

void WorkFile::append(const EventRecord &record)
{
    const int slot = slotOf(record.date);
    if (slot >= 0 && m_dayIndex[size_t(slot)] < 0)
        m_dayIndex[size_t(slot)] = qsizetype(m_records.size());
    m_records.push_back(record);
}

void WorkFile::finish()
{
    // A day without records starts where the next day with records does,
    // so a walk from it meets only later days.
    qsizetype next = size();
    for (int slot = DaySlots - 1; slot >= 0; --slot) {
        if (m_dayIndex[size_t(slot)] < 0)
            m_dayIndex[size_t(slot)] = next;
        else
            next = m_dayIndex[size_t(slot)];
    }
}

QByteArray WorkFile::bytes() const
{
    QByteArray all;
    all.reserve(size() * WorkRecordSize);
    for (const EventRecord &r : m_records)
        all += workRecordBytes(r);
    return all;
}

Result<void> WorkFile::save(const QString &path) const
{
    const FileWritten written = writeWholeFile(path, bytes());
    if (!written.ok)
        return Failure{written.error};
    return {};
}

QString workFilePath(const QString &workDir)
{
    QString dir = workDir;
    if (!dir.isEmpty() && !dir.endsWith(u'/'))
        dir += u'/';
    return dir + QStringLiteral("MVD.WRK");
}

} // namespace vardex
