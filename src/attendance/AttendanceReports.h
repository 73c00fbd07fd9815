#pragma once

#include "attendance/AttendanceResults.h"

#include <QStringList>

namespace vardex {

// The report kinds of the attendance evaluation.
enum class ReportKind {
    Statement,         // "výkaz"
    ExtendedStatement, // "rozšířený výkaz"
    Export,            // "formát exportu"
    Summary,           // "souhrný přehled"
};

// Who a report is about, as the key table holds it.
struct ReportWorker
{
    QString nameWithTitles;
    QString name; // JMENO
    QString personalNumber;
    QString workplace;
};

// Everything a worker's report is made of.
struct WorkerReport
{
    ReportWorker worker;
    EvaluatedPeriod period;
    QString planSource;
    const MonthResults *results = nullptr;
};

// The worker's report of a kind: the statement and the extended statement
// (with the explanations when asked), the summary's line, the export line.
QStringList reportLines(ReportKind kind, const WorkerReport &report, bool explanations);

// The summary's heading for the period text ("01.12.2026 - 31.12.2026")
// and its closing line.
QStringList summaryHeader(const QString &periodText);
QStringList summaryFooter();

} // namespace vardex
