#pragma once

#include "accessdata/TableTextFile.h"
#include "app/ConfigRecord.h"
#include "attendance/CyclicSchedule.h"
#include "attendance/KeyStatistics.h"
#include "attendance/YearCalendar.h"
#include "base/Result.h"
#include "tables/Table.h"
#include "text/KeyNumber.h"
#include "timecal/HourMinute.h"

#include <QObject>
#include <functional>

namespace vardex {

class TDB0DM;
class OperatorMessages;

// The application data module: the attendance tables, the permission groups
// and access time schedules, the floor-plan table, the configuration record
// and the night-shift tolerances.
class TVXDM : public QObject
{
    Q_OBJECT
public:
    TVXDM(TDB0DM &db0, const QString &workDir, OperatorMessages &messages,
          QObject *parent = nullptr);
    ~TVXDM() override;

    Table tbAcc;  // permission groups
    Table tbSme;  // shifts
    Table tbDch;  // shift schedules
    Table tbPrs;  // workplaces
    Table tbCas;  // access time schedules
    Table tbSva;  // holidays
    Table tbVdch; // attendance results
    Table tbVder; // attendance errors
    Table tbPom;  // auxiliary counters
    Table tbPlan; // floor plan

    // How much earlier a night shift may be arrived at and how much later
    // left; not stored, 01:00 at every start.
    quint16 nightArriveTolerance = 0x0100;
    quint16 nightLeaveTolerance = 0x0100;

    ConfigRecord config;

    // Knows the home directory (ending in "/") and loads or creates the
    // configuration record there. False when there is no home directory or
    // the file cannot be read or written; `error` then says why (empty when
    // there is nothing to say).
    bool StartAplikace(const QString &home, QString *error);

    // Opens every table of the run: the access-control tables, today's date,
    // the year calendar, then the permission groups, shifts, shift schedules,
    // workplaces and access time schedules. The remaining attendance tables
    // are created when missing and opened by the windows that use them.
    // Stops at the first table that cannot be opened, with its text in
    // `error`; the tables opened before stay open.
    bool OpenApplicationDatabases(QString *error);
    void CloseApplicationDatabases();

    // Shows the key reading dialog modally; set by the windows (tests set
    // their own). The dialog leaves the key it read in the key field of the
    // access-control data module's event record.
    std::function<void()> showKeyDialog;
    // Obtains a key number at the key-reading unit or typed by the
    // operator: true with the 7 bytes in `key` when one was obtained (not
    // the empty key). Without a dialog to show no key is obtained.
    bool ReadIdKeyTM(KeyBytes &key);

    // Creates or empties the report file in the output directory.
    Result<void> ClearOutFile();

    // ===== Shift schedules and shifts (ScheduleTables.cpp) =====

    // The schedule loaded last; valid after a load that succeeded.
    CyclicSchedule cyclicSchedule;

    // The shift name of cycle day 1..21 of the current schedule record;
    // empty for another day. Put needs the record in edit or insert state.
    QString tbDchGetNazSmeny(int day) const;
    bool tbDchPutNazSmeny(int day, const QString &name);
    // Exact and nearest searches by name; they move the table's cursor.
    bool tbDchExactName(const QString &name);
    void tbDchApproxName(const QString &name);
    bool tbSmeExactName(const QString &name);
    void tbSmeApproxName(const QString &name);
    bool tbPrsExactName(const QString &name);

    // Load cyclicSchedule: from the current schedule record; from the
    // schedule of the current key holder; from the schedule of the holder
    // of `ctm`. A failure has the load code (ScheduleLoad) and its text.
    // The lookups use cursors of their own.
    Result<void> tbDchDoCyklickeho();
    Result<void> tbKeyCtiRozpis();
    Result<void> CtiRozpisKlice(const QString &ctm);
    // Cycle day 1..length of `date` in the loaded schedule (the caller has
    // checked that the date is not before its start).
    int tbDchUrciDenCyklu(const Date &date) const;

    // The year the attendance works on: the start year of the processing
    // interval, else the current year.
    int processingYear() const;
    // Re-anchors the current schedule record (every schedule) on 1 January
    // of `year` (0: the processing year), each date keeping its shift.
    Result<void> tbDchUprZazProRok(int year = 0);
    Result<int> tbDchUpravaBazeProRok(int year = 0);

    // The schedules to and from their text file (ScheduleFile.h); the
    // import asks "Smazat stará data?" and about each line it cannot take.
    Result<int> tbDchExportDatabaze(const QString &file);
    TextImportResult tbDchImportDatabaze(const QString &file);

    // ===== The year calendar of day kinds (YearCalendar.cpp) =====

    // Built for the current year at start; holds the year kalendar.year.
    YearCalendar kalendar;
    // Builds kalendar for `year` from the holiday table (a cursor of its
    // own); on failure kalendar stays as it was.
    Result<void> StandardniKalendar(int year);
    // kalendar for `year`, built anew only when it holds another year.
    Result<YearCalendar> kalendarRoku(int year);

    // ===== Results, error records, counters (AttendanceRecords.cpp) =====

    Result<bool> tbVdchExistujeKlic(const QString &ctm);
    // Deletes every result of the key; gives how many.
    Result<int> tbVdchEraseKlic(const QString &ctm);
    Result<void> tbVdchEmptyTable();
    Result<void> tbVdErEmptyTable();
    // An error record of the event in the access-control data module's
    // event record.
    Result<void> tbVdErInsRec(const QString &remark);
    Result<bool> tbVdErExactCtm(const QString &ctm);
    // Appends the error protocol of the current key holder to `file`.
    Result<void> tbVdErOutToFile(const QString &file);

    // The named counters (KeyStatistics.cpp).
    Result<void> tbPomStoreOrAdd(const QString &name, int n);
    Result<CounterSum> tbCountType(QChar c);
    Result<void> tbPomEmptyTable();
    Result<KeyStatistics> StatistikaKlicu();

private:
    // Loads the schedule of that name into cyclicSchedule.
    Result<void> loadScheduleNamed(const QString &name);
    // The table opened when it is not yet.
    Result<void> opened(Table &table);
    void installPostRules();

    TDB0DM &m_db0;
    OperatorMessages &m_messages;
    QString m_workDir;
    // Lookups that never move a window's cursor.
    Table m_keyLookup;
    Table m_scheduleLookup;
    Table m_shiftLookup;
};

} // namespace vardex
