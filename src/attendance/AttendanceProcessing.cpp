#include "attendance/AttendanceProcessing.h"

#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "attendance/AttendanceGroups.h"
#include "attendance/TDMRPL.h"
#include "attendance/TVXDM.h"
#include "events/EventListing.h"
#include "events/ReportFile.h"
#include "platform/OperatorMessages.h"
#include "text/HexText.h"
#include "text/LineFile.h"
#include "timecal/Calendar.h"
#include "timecal/DayMonth.h"
#include "timecal/HourMinute.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace vardex {

namespace {

// Records between two reports of progress while the events are read.
constexpr qint64 kProgressStep = 4096;

int twoDigits(const QString &s, int at)
{
    return (s.at(at).unicode() - '0') * 10 + (s.at(at + 1).unicode() - '0');
}

// An event that counts for attendance and where it stands in time order.
struct Extracted
{
    EventRecord record;
    quint32 order; // slot × 65536 + time word
};

} // namespace

std::function<Result<PlannedMonth>(PlanChoice)> standardPlanSource(TDB0DM &db0, TVXDM &vx,
                                                                   TDMRPL &rpl)
{
    return [&db0, &vx, &rpl](PlanChoice choice) -> Result<PlannedMonth> {
        const QString ctm = db0.tbKey.asString(QStringLiteral("CTM"));
        const ProcessingInterval &i = db0.interval;
        const Date start{i.startYear, MonthOfDayMonth(i.startDate), DayOfDayMonth(i.startDate)};
        if (choice == PlanChoice::Automatic) {
            Result<PlannedMonth> planned = StandardniRozpisPracovnika(vx, ctm, start);
            if (!planned)
                db0.messages().error(planned.error());
            return planned;
        }
        Result<PlannedMonth> planned = MR_Podle_RPlanu(rpl, ctm, start.year, start.month);
        if (!planned)
            db0.messages().error(planned.error());
        else if (IsMonthPlanEmpty(planned->plan))
            return Failure{QStringLiteral("Rozpis je prázdný")};
        return planned;
    };
}

AttendanceProcessing::AttendanceProcessing(TDB0DM &db0, TVXDM &vx, QString workDir)
    : m_db0(db0), m_vx(vx), m_workDir(std::move(workDir))
{
}

QString AttendanceProcessing::workFileName() const
{
    return workFilePath(m_workDir);
}

bool AttendanceProcessing::IntervalZpracovaniDochazky()
{
    for (;;) {
        const ProcessingInterval before = m_db0.interval;
        if (!m_db0.UrceniIntervaluZpracovani(31))
            return false;
        if (periodOfInterval())
            return true;
        m_db0.interval = before;
        m_db0.messages().error(QStringLiteral("Docházku lze zpracovávat pouze pro stejný měsíc!"));
    }
}

Result<EvaluatedPeriod> AttendanceProcessing::periodOfInterval() const
{
    const ProcessingInterval &i = m_db0.interval;
    if (i.isEmpty())
        return Failure{QStringLiteral("Není určeno období zpracování.")};
    if (i.startYear != i.endYear || MonthOfDayMonth(i.startDate) != MonthOfDayMonth(i.endDate))
        return Failure{QStringLiteral("Docházku lze zpracovávat pouze pro stejný měsíc!")};
    EvaluatedPeriod p{i.startYear, MonthOfDayMonth(i.startDate), DayOfDayMonth(i.startDate),
                      DayOfDayMonth(i.endDate)};
    if (p.fromDay < 1 || p.toDay > DaysInMonth(p.year, p.month) || p.fromDay > p.toDay)
        return Failure{QStringLiteral("Chybné období zpracování: ") + m_db0.ObdobiZpracovani()};
    return p;
}

Result<void> AttendanceProcessing::ReserseDat()
{
    m_extracted = false;
    m_keys.clear();
    const Result<EvaluatedPeriod> period = periodOfInterval();
    if (!period)
        return period.failure();
    m_period = *period;
    m_periodText = m_db0.ObdobiZpracovani();
    m_work.reset(m_period.year, m_period.month);

    // What every unit makes of an event, read once.
    QHash<quint8, UnitEvaluationData> units;
    {
        Table unitTable(wkvrUniSchema(), m_workDir);
        if (!unitTable.open())
            return unitTable.failure();
        for (unitTable.first(); !unitTable.eof(); unitTable.next())
            units.insert(hexToByte(unitTable.asString(QStringLiteral("ADRESA"))),
                         unitEvaluationData(unitTable));
        if (unitTable.readFailed())
            return unitTable.failure();
    }

    // From the day before the period to the day after it, in date order;
    // the events of one day are put in time order below.
    const QDate from = m_period.from().addDays(-1);
    const QDate to = m_period.to().addDays(1);
    Table events(eventsSchema(), m_workDir);
    if (!events.open())
        return events.failure();
    const QString filter = QStringLiteral("(DATUM >='") + from.toString(u"dd.MM.yyyy") +
                           QStringLiteral("') AND (DATUM <='") + to.toString(u"dd.MM.yyyy") +
                           QStringLiteral("')");
    if (!events.setIndex(QStringLiteral("DatIndex")))
        return events.failure();
    if (!events.setFilterText(filter))
        return Failure{events.filterError()};
    events.setFiltered(true);
    const Result<qint64> total = events.countRecords();
    if (!total)
        return total.failure();

    const TableSchema &schema = events.schema();
    const int fDate = schema.fieldIndex(QStringLiteral("DATUM"));
    const int fTime = schema.fieldIndex(QStringLiteral("CAS"));
    const int fUnit = schema.fieldIndex(QStringLiteral("AHWJ"));
    const int fKey = schema.fieldIndex(QStringLiteral("CTM"));
    const int fRes = schema.fieldIndex(QStringLiteral("RES"));
    std::vector<Extracted> found;
    found.reserve(size_t(*total));
    QSet<quint8> unknown;
    qint64 read = 0;
    const Result<qint64> walked = forEachRecord(events, [&](const QVariantList &v) -> Result<void> {
        if (++read % kProgressStep == 0 && progress)
            progress(read, *total);
        EventRecord r;
        r.result = hexToByte(v[fRes].toString());
        if (isInputEvent(r.result))
            return {};
        const QString unitText = v[fUnit].toString();
        r.address = hexToByte(unitText);
        const auto unit = units.constFind(r.address);
        if (unit == units.cend()) {
            // Told once per extraction: the same unit would say it for every event.
            if (!unknown.contains(r.address)) {
                unknown.insert(r.address);
                m_db0.messages().information(QStringLiteral("Neznámá jednotka: ") + unitText);
            }
            return {};
        }
        const std::optional<quint8> counted = attendanceResult(*unit, r.result);
        if (!counted)
            return {};
        r.result = *counted;
        const QString date = v[fDate].toString();
        const QString time = v[fTime].toString();
        if (date.size() < 10 || time.size() < 5)
            return {};
        r.date = PackDayMonth(twoDigits(date, 8), twoDigits(date, 5));
        r.time = MakeHourMinute(twoDigits(time, 0), twoDigits(time, 3));
        r.key = keyFromText(v[fKey].toString());
        const int slot = m_work.slotOf(r.date);
        if (slot < 0)
            return {};
        found.push_back({r, quint32(slot) << 16 | r.time});
        return {};
    });
    if (!walked)
        return walked.failure();
    std::stable_sort(found.begin(), found.end(),
                     [](const Extracted &a, const Extracted &b) { return a.order < b.order; });

    const EventRecord *previous = nullptr;
    for (const Extracted &e : found) {
        if (previous && *previous == e.record)
            continue;
        m_work.append(e.record);
        m_keys.add(e.record.key);
        previous = &e.record;
    }
    m_work.finish();
    if (Result<void> saved = m_work.save(workFileName()); !saved)
        return saved;
    if (m_work.isEmpty())
        return Failure{QStringLiteral("Pro období ") + m_periodText +
                           QStringLiteral("\n nejsou žádná vstupní data!"),
                       NoInputData};
    m_extracted = true;
    return {};
}

void AttendanceProcessing::note(const QString &line)
{
    if (noteAdded)
        noteAdded(line);
}

Result<void> AttendanceProcessing::insertError(const EventRecord &event, const QString &remark)
{
    m_db0.udalost_dm = event;
    m_errorsMayExist = true;
    return m_vx.tbVdErInsRec(remark);
}

Result<void> AttendanceProcessing::evaluateDay(const KeyBytes &key, int d)
{
    const DayShift &today = plan.plan.days[size_t(d)];
    const DayWindow window = dayWindow(today, plan.plan.days[size_t(d - 1)], d,
                                       m_vx.nightArriveTolerance, m_vx.nightLeaveTolerance);
    DayState state;
    DayResult &result = results.days[size_t(d)];
    const std::vector<EventRecord> &records = m_work.records();
    for (size_t i = size_t(m_work.dayStart(d)); i < records.size(); ++i) {
        const EventRecord &r = records[i];
        const int slot = m_work.slotOf(r.date);
        if (window.after(slot, r.time))
            break;
        if (r.key != key || window.before(slot, r.time))
            continue;
        const DayEventOutcome outcome =
            DochazkovaUdalostDne(state, today, r.result & 0x07, r.time, m_work.dateOfSlot(slot));
        result.marks += outcome.marks;
        if (!outcome.error.isEmpty()) {
            if (Result<void> stored = insertError(r, outcome.error); !stored)
                return stored;
            ++m_errorCount;
        }
    }
    storeDay(result, state);
    return {};
}

Result<void> AttendanceProcessing::DochazkaProObdobi(const KeyBytes &key)
{
    for (int d = m_period.fromDay; d <= m_period.toDay; ++d)
        if (Result<void> done = evaluateDay(key, d); !done)
            return done;
    return {};
}

Result<void> AttendanceProcessing::KontrolaUkonceniSmeny(const KeyBytes &key)
{
    for (int d = m_period.fromDay; d <= m_period.toDay; ++d) {
        if (results.days[size_t(d)].place == DayPlace::Out || plan.plan.days[size_t(d)].crosses())
            continue;
        EventRecord end;
        end.key = key;
        end.date = PackDayMonth(d, plan.plan.month);
        end.time = MakeHourMinute(23, 59);
        if (Result<void> stored = insertError(end, QStringLiteral("neukončená směna ")); !stored)
            return stored;
        ++m_errorCount;
    }
    return {};
}

ReportWorker AttendanceProcessing::currentWorker() const
{
    const Table &key = m_db0.tbKey;
    return {m_db0.tbKeyJmenoTituly(0), key.asString(QStringLiteral("JMENO")),
            key.asString(QStringLiteral("OSCIS")), key.asString(QStringLiteral("PRACOVISTE"))};
}

Result<bool> AttendanceProcessing::VypocetDochazky()
{
    const QString ctm = m_db0.chosenKey;
    if (ctm.isEmpty() || !m_extracted)
        return false;
    if (!m_db0.tbKeyExactCTM(ctm)) {
        if (m_db0.tbKey.readFailed())
            return m_db0.tbKey.failure();
        return false;
    }
    const KeyBytes key = keyFromText(ctm);
    for (;;) {
        bool repeat = false;
        Result<bool> done = computeOnce(key, repeat);
        if (!done || !repeat)
            return done;
        // The operator corrected the day's events: they are read again.
        if (Result<void> again = ReserseDat(); !again)
            return again.failure();
        if (!m_db0.tbKeyExactCTM(ctm))
            return false;
    }
}

Result<bool> AttendanceProcessing::computeOnce(const KeyBytes &key, bool &repeat)
{
    results = MonthResults{};
    // Emptying a table is a write to the disk: not done for every worker
    // of a batch when nothing was put in it since.
    if (m_errorsMayExist) {
        if (Result<void> emptied = m_vx.tbVdErEmptyTable(); !emptied)
            return emptied.failure();
        m_errorsMayExist = false;
    }
    m_name = m_db0.tbKeyJmenoTituly(0);
    const QString about =
        QStringLiteral("Pro období ") + m_periodText + QStringLiteral(" a pracovníka ") + m_name;
    if (!m_keys.contains(key)) {
        note(about + QStringLiteral(" nejsou žádná vstupní data!"));
        return false;
    }
    Result<PlannedMonth> planned =
        planFor ? planFor(options.plan) : Result<PlannedMonth>(Failure{});
    if (!planned) {
        note(about + QStringLiteral(" nebyl určen rozpis!"));
        return false;
    }
    plan = std::move(*planned);
    if (options.correctReport)
        if (Result<void> emptied = m_vx.tbVdchEmptyTable(); !emptied)
            return emptied.failure();

    results = PrazdnaSestava(plan);
    m_errorCount = 0;
    if (Result<void> done = DochazkaProObdobi(key); !done)
        return done.failure();
    if (Result<void> done = KontrolaUkonceniSmeny(key); !done)
        return done.failure();
    DopocitatDny(results, m_period);

    if (m_errorCount > 0) {
        if (!options.correctEvents) {
            if (Result<void> flushed = flushReport(); !flushed)
                return flushed.failure();
            if (Result<void> listed = m_vx.tbVdErOutToFile(reportFilePath(m_vx.config.outputDir));
                !listed)
                return listed.failure();
            return true;
        }
        if (showErrors)
            showErrors();
        const Result<qint64> left = m_vx.tbVder.countRecords();
        if (!left)
            return left.failure();
        repeat = *left > 0;
        return true;
    }
    if (options.correctReport && correctResults)
        correctResults(QStringLiteral("Výstupní data pro ") + m_name);
    m_pending << reportLines(options.kind, {currentWorker(), m_period, plan.source, &results},
                             options.explanations);
    return true;
}

Result<bool> AttendanceProcessing::computeChosenKey()
{
    const bool summary = options.kind == ReportKind::Summary;
    if (summary)
        m_pending << summaryHeader(m_periodText);
    const Result<bool> done = VypocetDochazky();
    if (!done) {
        m_pending.clear();
        return done;
    }
    if (*done)
        note(m_periodText + u' ' + m_name);
    if (summary)
        m_pending << summaryFooter();
    if (Result<void> flushed = flushReport(); !flushed)
        return flushed.failure();
    return done;
}

Result<QStringList> AttendanceProcessing::batchKeys()
{
    Table keys(wkvrKeySchema(), m_workDir);
    if (!keys.open())
        return keys.failure();
    QStringList chosen;
    for (keys.first(); !keys.eof(); keys.next()) {
        if (keys.asString(QStringLiteral("ROZPIS")).isEmpty())
            continue;
        if (!m_db0.chosenGroup.isEmpty() &&
            !InAttendanceGroup(keys.asString(QStringLiteral("PRACOVISTE")), m_db0.chosenGroup))
            continue;
        chosen << keys.asString(QStringLiteral("CTM"));
    }
    if (keys.readFailed())
        return keys.failure();
    return chosen;
}

Result<BatchOutcome> AttendanceProcessing::ZpracovaniDavky()
{
    BatchOutcome outcome;
    if (Result<void> cleared = clearReport(); !cleared)
        return cleared.failure();
    const Result<QStringList> keys = batchKeys();
    if (!keys)
        return keys.failure();
    outcome.chosen = int(keys->size());
    if (keys->isEmpty()) {
        m_db0.messages().information(QStringLiteral("Nebyl určen žádný klíč"));
        return outcome;
    }
    const bool summary = options.kind == ReportKind::Summary;
    if (summary)
        m_pending << summaryHeader(m_periodText);
    for (qsizetype i = 0; i < keys->size(); ++i) {
        if (progress && !progress(i, keys->size())) {
            outcome.interrupted = true;
            break;
        }
        m_db0.chosenKey = keys->at(i);
        const Result<bool> done = VypocetDochazky();
        if (!done)
            return done.failure();
        if (!*done)
            continue;
        ++outcome.processed;
        note(m_periodText + u' ' + m_name);
        if (options.oneOutput)
            continue;
        if (summary)
            m_pending << summaryFooter();
        if (Result<void> flushed = flushReport(); !flushed)
            return flushed.failure();
        if (showReport)
            showReport();
        if (Result<void> cleared = clearReport(); !cleared)
            return cleared.failure();
        m_name.clear();
        if (summary)
            m_pending << summaryHeader(m_periodText);
    }
    if (options.oneOutput) {
        if (summary)
            m_pending << summaryFooter();
        if (Result<void> flushed = flushReport(); !flushed)
            return flushed.failure();
        if (showReport)
            showReport();
        m_name = QStringLiteral("dávka");
    } else {
        m_pending.clear(); // the heading reopened after the last worker
    }
    if (progress)
        progress(keys->size(), keys->size());
    return outcome;
}

Result<void> AttendanceProcessing::clearReport()
{
    m_pending.clear();
    return m_vx.ClearOutFile();
}

Result<void> AttendanceProcessing::flushReport()
{
    if (m_pending.isEmpty())
        return {};
    const FileWritten written = appendLineFile(reportFilePath(m_vx.config.outputDir), m_pending);
    m_pending.clear();
    if (!written.ok)
        return Failure{written.error};
    return {};
}

} // namespace vardex
