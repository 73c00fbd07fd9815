#pragma once

#include "app/ConfigRecord.h"
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

private:
    TDB0DM &m_db0;
    OperatorMessages &m_messages;
};

} // namespace vardex
