#include "attendance/HolidayDatabase.h"

#include "accessdata/TDB0DM.h"
#include "attendance/TVXDM.h"
#include "platform/Clock.h"
#include "platform/OperatorMessages.h"

#include <QFileInfo>

namespace vardex {

namespace {

const QString kDatum = QStringLiteral("Datum");

} // namespace

HolidayDatabase::HolidayDatabase(TVXDM &vx, TDB0DM &db, const QString &workDir)
    : m_vx(vx), m_db(db), m_workDir(workDir)
{
}

Table &HolidayDatabase::holidays()
{
    return m_vx.tbSva;
}

OperatorMessages &HolidayDatabase::messages()
{
    return m_db.messages();
}

Result<void> HolidayDatabase::open()
{
    Table &t = holidays();
    if (!t.isOpen() && !t.open())
        return t.failure();
    t.setIndex(QString());
    return {};
}

void HolidayDatabase::close()
{
    holidays().close();
    m_db.DatumDnes();
    // The days the operator changed count from now on.
    if (const Result<void> calendar = m_vx.StandardniKalendar(m_db.dnes().year); !calendar)
        messages().error(calendar.error());
}

QDate HolidayDatabase::today() const
{
    return m_db.clock().today();
}

bool HolidayDatabase::listExists() const
{
    return QFileInfo::exists(holidayListPath(m_workDir));
}

QString HolidayDatabase::missingListText()
{
    return QStringLiteral("Chybí soubor svátků ") + QLatin1String(HolidayListName);
}

Result<HolidayFill> HolidayDatabase::fillYear(int year)
{
    Result<HolidayFill> fill =
        fillStandardHolidays(holidays(), holidayListPath(m_workDir), year, messages());
    if (!fill)
        messages().error(fill.error());
    return fill;
}

QDate HolidayDatabase::calendarDate(const QDate &fallback) const
{
    const Table &t = m_vx.tbSva;
    const QDate date = t.asDateTime(kDatum).date();
    return date.isValid() ? date : fallback;
}

bool HolidayDatabase::storeDate(const QDate &date)
{
    Table &t = holidays();
    if (t.state() != TableState::Edit && t.state() != TableState::Insert)
        return false;
    t.setDateTime(kDatum, QDateTime(date, QTime(0, 0)));
    if (t.post())
        return true;
    if (!t.errorMessage().isEmpty())
        messages().error(t.errorMessage());
    return false;
}

} // namespace vardex
