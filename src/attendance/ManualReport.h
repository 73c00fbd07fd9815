#pragma once

#include "attendance/AttendanceResults.h"
#include "base/Result.h"

namespace vardex {

class AttendanceProcessing;
class TDB0DM;
class TVXDM;

// "Ručně", the report for emergencies: the chosen key's first arrival and
// last departure of each day of the period are taken from the work file,
// every other value is the operator's (entered in the correction window
// between prepare() and write()).
class ManualReport
{
public:
    ManualReport(AttendanceProcessing &run, TDB0DM &db0, TVXDM &vx);

    // Needs a period, a chosen key of the key table and the report kind
    // "výkaz" or "rozšířený výkaz"; fills the month results.
    Result<void> prepare();
    // Appends the report of the results to the report file.
    Result<void> write();

private:
    AttendanceProcessing &m_run;
    TDB0DM &m_db0;
    TVXDM &m_vx;
    EvaluatedPeriod m_period;
};

} // namespace vardex
