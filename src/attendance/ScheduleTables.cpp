#include "attendance/TVXDM.h"

#include "accessdata/TDB0DM.h"
#include "attendance/ScheduleFile.h"
#include "platform/Clock.h"
#include "platform/OperatorMessages.h"
#include "tables/Transaction.h"

namespace vardex {

namespace {

const QString kRozpis = QStringLiteral("ROZPIS");
const QString kLength = QStringLiteral("DelkaRozpisu");
const QString kStart = QStringLiteral("DatumOd");

Date dateOf(const QDate &d)
{
    return {d.year(), d.month(), d.day()};
}

bool findName(Table &table, const QString &name)
{
    table.setIndex(QString());
    return table.findKey({name});
}

void approxName(Table &table, const QString &name)
{
    table.setIndex(QString());
    table.findNearest({name});
}

// Re-anchors the current record of `schedules` on 1 January of `year`.
Result<void> reanchor(Table &schedules, int year)
{
    const int length = std::min(schedules.asInt(kLength), ScheduleCycleDays);
    if (length <= 0)
        return {};
    QStringList names;
    for (int i = 1; i <= length; ++i)
        names << schedules.asString(scheduleShiftField(i));
    const Date newStart{year, 1, 1};
    const QDate oldStart = schedules.asDate(kStart);
    // A schedule without a start is taken to start on the new one.
    if (oldStart.isValid())
        names = reanchoredNames(names, dateOf(oldStart), newStart);
    if (!schedules.edit())
        return schedules.failure();
    for (int i = 1; i <= length; ++i)
        schedules.setString(scheduleShiftField(i), names[i - 1]);
    schedules.setDate(kStart, QDate(year, 1, 1));
    if (!schedules.post()) {
        const Failure why = schedules.failure();
        schedules.cancel();
        return why;
    }
    return {};
}

} // namespace

Result<void> TVXDM::opened(Table &table)
{
    if (!table.isOpen() && !table.open())
        return table.failure();
    return {};
}

QString TVXDM::tbDchGetNazSmeny(int day) const
{
    const QString field = scheduleShiftField(day);
    return field.isEmpty() ? QString() : tbDch.asString(field);
}

bool TVXDM::tbDchPutNazSmeny(int day, const QString &name)
{
    const QString field = scheduleShiftField(day);
    return !field.isEmpty() && tbDch.setString(field, name);
}

bool TVXDM::tbDchExactName(const QString &name)
{
    return findName(tbDch, name);
}

void TVXDM::tbDchApproxName(const QString &name)
{
    approxName(tbDch, name);
}

bool TVXDM::tbSmeExactName(const QString &name)
{
    return findName(tbSme, name);
}

void TVXDM::tbSmeApproxName(const QString &name)
{
    approxName(tbSme, name);
}

bool TVXDM::tbPrsExactName(const QString &name)
{
    return findName(tbPrs, name);
}

Result<void> TVXDM::tbDchDoCyklickeho()
{
    cyclicSchedule = CyclicSchedule{};
    if (Result<void> open = opened(m_shiftLookup); !open)
        return open;
    Result<CyclicSchedule> loaded = cyclicScheduleOf(tbDch, m_shiftLookup);
    if (!loaded)
        return loaded.failure();
    cyclicSchedule = std::move(*loaded);
    return {};
}

Result<void> TVXDM::loadScheduleNamed(const QString &name)
{
    cyclicSchedule = CyclicSchedule{};
    if (name.isEmpty())
        return scheduleLoadFailure(ScheduleLoad::KeyHasNoSchedule);
    for (Table *t : {&m_scheduleLookup, &m_shiftLookup})
        if (Result<void> open = opened(*t); !open)
            return open;
    if (!findName(m_scheduleLookup, name)) {
        if (m_scheduleLookup.readFailed())
            return m_scheduleLookup.failure();
        return scheduleLoadFailure(ScheduleLoad::NoSuchSchedule);
    }
    Result<CyclicSchedule> loaded = cyclicScheduleOf(m_scheduleLookup, m_shiftLookup);
    if (!loaded)
        return loaded.failure();
    cyclicSchedule = std::move(*loaded);
    return {};
}

Result<void> TVXDM::tbKeyCtiRozpis()
{
    return loadScheduleNamed(m_db0.tbKey.asString(kRozpis));
}

Result<void> TVXDM::CtiRozpisKlice(const QString &ctm)
{
    cyclicSchedule = CyclicSchedule{};
    if (Result<void> open = opened(m_keyLookup); !open)
        return open;
    if (!findName(m_keyLookup, ctm)) {
        if (m_keyLookup.readFailed())
            return m_keyLookup.failure();
        return scheduleLoadFailure(ScheduleLoad::NoSuchKey);
    }
    return loadScheduleNamed(m_keyLookup.asString(kRozpis));
}

int TVXDM::tbDchUrciDenCyklu(const Date &date) const
{
    return CycleDay(cyclicSchedule.start, cyclicSchedule.length, date);
}

int TVXDM::processingYear() const
{
    if (m_db0.interval.startYear > 0)
        return m_db0.interval.startYear;
    if (m_db0.dnes().year > 0)
        return m_db0.dnes().year;
    return m_db0.clock().today().year();
}

Result<void> TVXDM::tbDchUprZazProRok(int year)
{
    return reanchor(tbDch, year > 0 ? year : processingYear());
}

Result<int> TVXDM::tbDchUpravaBazeProRok(int year)
{
    if (Result<void> open = opened(tbDch); !open)
        return open.failure();
    const Bookmark at = tbDch.bookmark();
    if (year <= 0)
        year = processingYear();
    int count = 0;
    {
        // Every schedule or none: a half re-anchored site would give the
        // schedules left behind the wrong shifts.
        Transaction transaction(tbDch);
        if (!transaction.active())
            return tbDch.failure();
        for (tbDch.first(); !tbDch.eof(); tbDch.next()) {
            if (Result<void> done = reanchor(tbDch, year); !done)
                return done.failure();
            ++count;
        }
        if (tbDch.readFailed())
            return tbDch.failure();
        if (!transaction.commit())
            return tbDch.failure();
    }
    if (at != 0)
        tbDch.gotoBookmark(at);
    return count;
}

Result<int> TVXDM::tbDchExportDatabaze(const QString &file)
{
    if (Result<void> open = opened(tbDch); !open)
        return open.failure();
    return exportScheduleText(tbDch, file);
}

TextImportResult TVXDM::tbDchImportDatabaze(const QString &file)
{
    TextImportResult failed;
    if (Result<void> open = opened(tbDch); !open) {
        failed.error = open.error();
        return failed;
    }
    const bool emptyFirst =
        m_messages.askYesNo(QStringLiteral("Smazat stará data?")) == Answer::Yes;
    ScheduleImportHandlers handlers;
    handlers.badLine = [this](int, const QString &line) {
        return m_messages.askYesNo(QStringLiteral("Chybná data: ") + line +
                                   QStringLiteral("\n Pokračovat?")) == Answer::Yes;
    };
    handlers.refused = [this](int, const QString &line, const QString &) {
        return m_messages.askYesNo(QStringLiteral("Odmítnuto: ") + line +
                                   QStringLiteral("\n Pokračovat?")) == Answer::Yes;
    };
    return importScheduleText(tbDch, file, emptyFirst, handlers);
}

} // namespace vardex
