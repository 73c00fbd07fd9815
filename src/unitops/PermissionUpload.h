#pragma once

#include "base/Result.h"
#include "comm/Protocol.h"
#include "unitops/PermissionExpansion.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

namespace vardex {

class TDB0DM;
class TVXDM;

// Programming every unit from the databases ("Nastavení jednotek systému
// podle obsahu databází"). Before anything is changed in a unit, the events
// waiting in it are collected into the archive, as the collection does it,
// because zeroing a unit clears its event memory. Then, one command per
// tick and each phase for every unit before the next: configuration,
// zeroing, the permission records of the permission file, relay masks,
// alarm masks, clocks and the lock. Each command's log line is completed
// by the unit's answer. The window and the command line own the timer.
class PermissionUpload : public QObject
{
    Q_OBJECT
public:
    static constexpr int IntervalMs = 100;
    // The phase that collects the waiting events; the phases proper are 1..7.
    static constexpr int CollectPhase = 0;
    static constexpr int EndPhase = 8;
    // Damaged replies in a row after which a unit's events are given up on.
    static constexpr int CollectAttempts = 3;

    PermissionUpload(TDB0DM &db, TVXDM &vx, const QString &workDir, QObject *parent = nullptr);
    ~PermissionUpload() override;

    // The attendance option of the expansion.
    bool allAttendance() const { return m_expansion.allAttendance; }
    void setAllAttendance(bool on) { m_expansion.allAttendance = on; }

    // Selects every unit; false when there is none (nothing to check or set).
    bool FormCreate();
    // "Kontrola": expands in checking mode and gives the log, or the single
    // line noErrorsLine(). The permission file is written.
    Result<QStringList> btKontrolaClick();
    // "Žádné chyby nezjištěny."
    static QString noErrorsLine();
    // "Nastavit": expands, reads the permission file back, selects every
    // unit and takes over the port's reply handler. False when there is no
    // unit to set (nothing started).
    Result<bool> StartProces();
    // Sends the next command when running and the port is free.
    void Timer1Timer();
    // The port's answer to the last command.
    void MyReceiveData(const QByteArray &buffer);
    // "Přerušit": ends at once; the run counts as failed.
    void btStopClick();

    bool running() const { return m_running; }
    int phase() const { return m_phase; }
    bool hadErrors() const { return m_errors; }
    // "Hotovo!" or "POZOR!\r\nChyby při nastavení jednotek".
    QString finalMessage() const;
    // Why the run stopped before its end because events could not be
    // stored; empty otherwise.
    const QString &failure() const { return m_failure; }
    const QStringList &log() const { return m_log; }
    int recordCount() const { return int(m_records.size()); }

signals:
    void lineAdded(const QString &line);
    // The last line, completed by the unit's answer.
    void lastLineChanged(const QString &line);
    // A line is final: completed by its answer, or one that gets none.
    void lineDone(const QString &line);
    void progressChanged(int value, int maximum);
    // The run has ended (StopProces); finalMessage() says how.
    void finished();

private:
    void collectTick();
    void collectReply(const QByteArray &buffer);
    // Gives up on the current unit's events (it will not be zeroed).
    void nextCollectedUnit(const QString &leftBecause = {});
    void unitTick();
    void recordTick();
    // Locates the unit in the units table; false when it has none.
    bool locate(const QString &address);
    void send(bool sent);
    void addLine(const QString &line, bool done);
    void StopProces();

    TDB0DM &m_db;
    PermissionExpansion m_expansion;
    QString m_workDir;
    QList<PermissionRecord> m_records;
    qsizetype m_filePosition = 0;
    int m_phase = EndPhase;
    int m_position = 1;
    int m_attempts = 0;
    bool m_running = false;
    bool m_waiting = false;
    bool m_errors = false;
    bool m_installed = false;
    // Units whose events were not all collected, with the reason.
    QHash<QString, QString> m_notEmptied;
    QStringList m_log;
    QString m_failure;
};

} // namespace vardex
