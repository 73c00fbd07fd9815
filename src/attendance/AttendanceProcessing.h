#pragma once

#include "attendance/AttendanceReports.h"
#include "attendance/AttendanceResults.h"
#include "attendance/WorkFile.h"
#include "base/Result.h"

#include <QStringList>

#include <functional>

namespace vardex {

class TDB0DM;
class TDMRPL;
class TVXDM;

// Where the month plan of a worker comes from.
enum class PlanChoice {
    Automatic, // the cyclic schedule, adjusted for holidays and weekends
    Manual,    // the calendar plan
};

// The choices of the evaluation window.
struct AttendanceOptions
{
    ReportKind kind = ReportKind::Statement;
    bool explanations = true;
    PlanChoice plan = PlanChoice::Automatic;
    bool oneOutput = false;     // "jako jeden výstup"
    bool correctEvents = false; // "nesprávné události": the error window instead of the protocol
    bool correctReport = false; // "zpracovanou sestavu": the computed values shown for correction
};

// The month plan of the current key holder for the processing interval's
// month: from the holder's shift schedule (a failure to load it is shown
// to the operator) or from the calendar plan (a month it holds nothing of
// is no plan).
std::function<Result<PlannedMonth>(PlanChoice)> standardPlanSource(TDB0DM &db0, TVXDM &vx,
                                                                   TDMRPL &rpl);

// The code of the failure when the period has no attendance events.
inline constexpr int NoInputData = 1;

// What a batch did.
struct BatchOutcome
{
    int chosen = 0;    // workers in the batch list
    int processed = 0; // computed: a report or an error protocol
    bool interrupted = false;
};

// The attendance evaluation: extracts the period's attendance events once
// into the work file, evaluates workers day by day against their month
// plans and writes their reports (or error protocols) to the report file.
// The window, the command line and the benchmark drive it; the windows it
// needs (error window, corrections, report viewer, the month plan) and the
// operator's "Přerušit" reach it through the functions below.
class AttendanceProcessing
{
public:
    AttendanceProcessing(TDB0DM &db0, TVXDM &vx, QString workDir);

    AttendanceOptions options;

    // The month plan of the current key holder (the key table stands on
    // it); a failure has been told to the operator.
    std::function<Result<PlannedMonth>(PlanChoice)> planFor;
    // Called while long work runs, with what is done of how much; false
    // asks a batch to stop after the current worker.
    std::function<bool(qint64 done, qint64 total)> progress;
    // A line of the notes list.
    std::function<void(const QString &)> noteAdded;
    // The error window over the error table; it empties the table when the
    // operator abandons the worker.
    std::function<void()> showErrors;
    // The correction window over the computed values, with its title.
    std::function<void(const QString &title)> correctResults;
    // Shows the report file.
    std::function<void()> showReport;

    // ===== The period and its events

    // Lets the operator choose the period in the date dialog until it lies
    // in one month; whether one was chosen.
    bool IntervalZpracovaniDochazky();
    // The period of the processing interval; refused when it spans two
    // months ("Docházku lze zpracovávat pouze pro stejný měsíc!").
    Result<EvaluatedPeriod> periodOfInterval() const;
    // Extracts the period's attendance events into the work file "MVD.WRK"
    // and notes their keys. A period without any fails with code
    // NoInputData and the message the window shows.
    Result<void> ReserseDat();
    bool extracted() const { return m_extracted; }
    const EvaluatedPeriod &period() const { return m_period; }
    const WorkFile &workFile() const { return m_work; }
    const KeySet &keys() const { return m_keys; }
    QString workFileName() const;

    // ===== One worker

    // The worker being evaluated: plan and computed values.
    PlannedMonth plan;
    MonthResults results;

    // Computes the chosen key (TDB0DM::chosenKey) and appends its report
    // or its error protocol to the report file: true then, false when
    // there was nothing to report (a notes line says why).
    Result<bool> VypocetDochazky();
    // "Výpočet pro klíč": the same inside the summary's heading and footer
    // for that kind, and the notes line of a success.
    Result<bool> computeChosenKey();

    // The evaluation of `key` over the period into `results`, with error
    // records for inconsistent events (steps that the day review repeats).
    Result<void> DochazkaProObdobi(const KeyBytes &key);
    // Evaluates day `d` of the period for `key` into `results`.
    Result<void> evaluateDay(const KeyBytes &key, int d);
    // An error record for each day that ends with the worker still in.
    Result<void> KontrolaUkonceniSmeny(const KeyBytes &key);

    // ===== A batch

    // "Všechny klíče": every holder with a shift schedule (of the chosen
    // attendance group, TDB0DM::chosenGroup, when there is one).
    Result<BatchOutcome> ZpracovaniDavky();
    // The keys a batch takes, in key-table order.
    Result<QStringList> batchKeys();

    // ===== The report file

    Result<void> clearReport();
    // Writes what is waiting to the report file.
    Result<void> flushReport();
    // The name the window shows for the current worker.
    const QString &workerName() const { return m_name; }

private:
    Result<bool> computeOnce(const KeyBytes &key, bool &repeat);
    ReportWorker currentWorker() const;
    void note(const QString &line);
    Result<void> insertError(const EventRecord &event, const QString &remark);

    TDB0DM &m_db0;
    TVXDM &m_vx;
    QString m_workDir;
    EvaluatedPeriod m_period;
    WorkFile m_work;
    KeySet m_keys;
    bool m_extracted = false;
    int m_errorCount = 0; // error records of the worker being computed
    bool m_errorsMayExist = true;
    QString m_periodText;
    QString m_name;
    QStringList m_pending; // report lines not yet in the file
};

} // namespace vardex
