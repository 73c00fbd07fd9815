#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

namespace vardex {

class TDB0DM;

// The event monitor ("Monitorování systému"): at the period the operator
// sets it reads the next chosen unit's events, stores them as the
// collection does and lists them as they come, until it is interrupted. It
// runs for hours, so it keeps nothing per event: the log is cleared past
// its limit, and the counters are plain numbers. The window and the command
// line own the timer and the unit choice and call the tick.
class EventMonitor : public QObject
{
    Q_OBJECT
public:
    static constexpr int MinPeriodS = 5;
    static constexpr int MaxPeriodS = 15;
    // Past this line index the next reply clears the log.
    static constexpr int LogLimit = 1000;

    explicit EventMonitor(TDB0DM &db, QObject *parent = nullptr);
    // Gives the port's reply handler back.
    ~EventMonitor() override;

    // Showing the window: stopped, the period shown, only "Jednotky" and
    // "Konec" enabled.
    void FormShow();
    // The track bar moved to `seconds` (5..15): the timer's new period.
    void tbMonPerChange(int seconds);
    // "5 s.": the period as the window shows it.
    QString VypisPeriody() const;
    int periodMs() const { return m_periodS * 1000; }

    // The unit selection dialog has filled the unit selection set: units
    // without a whole address are left out, and "Start" is enabled when a
    // unit is left.
    void unitsChosen();
    // "Start": monitoring from the first chosen unit on; false when no unit
    // is chosen.
    bool btStartClick();
    // "Přerušit": stopped. A read still under way is taken in when its reply
    // comes, so that what the unit handed out is stored.
    void btPrerusClick();
    // "klíče hledat": the searched-key alarm of the data module.
    void CheckBox1Click(bool on);

    // Reads the next chosen unit when monitoring and the port is free.
    void monTimerTimer();
    // The port's reply to the last read.
    void MonReceiveData(const QByteArray &buffer);
    // Hiding the window: the event table is opened again for other views.
    void FormHide();

    bool stopped() const { return m_stopped; }
    // A read is out and its reply has not come yet.
    bool busy() const { return m_busy; }
    bool canChooseUnits() const { return m_stopped; }
    bool canStart() const { return m_stopped && m_startable; }
    bool canInterrupt() const { return !m_stopped; }
    bool canClose() const { return m_stopped; }

    const QStringList &log() const { return m_log; }
    int lineIndex() const { return m_lineIndex; }
    // How many reads were sent, and how many of their replies were taken in.
    qint64 readsSent() const { return m_readsSent; }
    qint64 repliesTaken() const { return m_repliesTaken; }
    // How many events went into the event table.
    qint64 eventsStored() const { return m_eventsStored; }
    // Why monitoring stopped because the events could not be stored; empty
    // otherwise.
    const QString &failure() const { return m_failure; }

signals:
    void periodChanged(int ms, const QString &text);
    void unitShown(const QString &address, const QString &name);
    void busyChanged(bool busy);
    // The buttons' enabled states changed.
    void buttonsChanged();
    void logCleared();
    void lineAdded(const QString &line);
    // A reply was taken in (also a time-out).
    void replyTaken();
    // Monitoring stopped because a block could not be stored.
    void failed(const QString &message);

private:
    void setBusy(bool busy);
    void addLine(const QString &line);
    void releasePort();

    TDB0DM &m_db;
    int m_periodS = MinPeriodS;
    bool m_stopped = true;
    bool m_startable = false;
    bool m_busy = false;
    bool m_installed = false;
    int m_lineIndex = 9999;
    QStringList m_log;
    qint64 m_readsSent = 0;
    qint64 m_repliesTaken = 0;
    qint64 m_eventsStored = 0;
    QString m_failure;
};

} // namespace vardex
