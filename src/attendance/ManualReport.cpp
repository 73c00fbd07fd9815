#include "attendance/ManualReport.h"

#include "accessdata/TDB0DM.h"
#include "attendance/AttendanceProcessing.h"
#include "attendance/TVXDM.h"
#include "events/ReportFile.h"
#include "text/LineFile.h"
#include "timecal/HourMinute.h"

namespace vardex {

ManualReport::ManualReport(AttendanceProcessing &run, TDB0DM &db0, TVXDM &vx)
    : m_run(run), m_db0(db0), m_vx(vx)
{
}

Result<void> ManualReport::prepare()
{
    const ReportKind kind = m_run.options.kind;
    if (kind != ReportKind::Statement && kind != ReportKind::ExtendedStatement)
        return Failure{QStringLiteral("Ručně lze sestavit jen výkaz nebo rozšířený výkaz.")};
    const Result<EvaluatedPeriod> period = m_run.periodOfInterval();
    if (!period)
        return period.failure();
    const QString ctm = m_db0.chosenKey;
    if (ctm.isEmpty() || !m_db0.tbKeyExactCTM(ctm)) {
        if (m_db0.tbKey.readFailed())
            return m_db0.tbKey.failure();
        return Failure{QStringLiteral("Není určen klíč pracovníka.")};
    }
    if (!m_run.extracted() || m_run.period().year != period->year ||
        m_run.period().month != period->month) {
        // A period without events still makes a report of empty days.
        if (Result<void> read = m_run.ReserseDat(); !read && read.code() != NoInputData)
            return read;
    }

    m_period = *period;
    m_run.plan.plan.year = period->year;
    m_run.plan.plan.month = period->month;
    m_run.results = MonthResults{};
    const WorkFile &work = m_run.workFile();
    const KeyBytes key = keyFromText(ctm);
    for (int d = period->fromDay; d <= period->toDay; ++d) {
        DayResult &day = m_run.results.days[size_t(d)];
        for (qsizetype i = work.dayStart(d); i < work.size(); ++i) {
            const EventRecord &r = work.records()[size_t(i)];
            if (work.slotOf(r.date) != d)
                break;
            if (r.key != key)
                continue;
            const DayMoment at{work.dateOfSlot(d), r.time};
            const int kind = r.result & 0x07;
            if (kind == EventKind::Arrival && !day.arrived) {
                day.arrived = true;
                day.firstArrival = at;
            } else if (kind >= EventKind::Business && kind <= EventKind::Other) {
                day.lastDeparture = at;
            }
        }
    }
    return m_vx.tbVdchEmptyTable();
}

Result<void> ManualReport::write()
{
    if (!m_db0.tbKeyExactCTM(m_db0.chosenKey))
        return Failure{QStringLiteral("Není určen klíč pracovníka.")};
    const Table &key = m_db0.tbKey;
    const ReportWorker worker{m_db0.tbKeyJmenoTituly(0), key.asString(QStringLiteral("JMENO")),
                              key.asString(QStringLiteral("OSCIS")),
                              key.asString(QStringLiteral("PRACOVISTE"))};
    const QStringList lines =
        reportLines(m_run.options.kind, {worker, m_period, m_run.plan.source, &m_run.results},
                    m_run.options.explanations);
    const FileWritten written = appendLineFile(reportFilePath(m_vx.config.outputDir), lines);
    if (!written.ok)
        return Failure{written.error};
    return {};
}

} // namespace vardex
