#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

namespace vardex {

class TDB0DM;

// Collecting the events of every unit into the event table: the units are
// read one after another with the read-events command until each has
// answered with an empty block. The window and the command line own the
// timer and call tick(); the replies come from the data module's port.
class Collection : public QObject
{
    Q_OBJECT
public:
    // The pending entry of a unit that still has to be read.
    static constexpr quint8 Unread = 255;
    // Past this line index the next reply clears the log.
    static constexpr int LogLimit = 1000;
    static constexpr int IntervalMs = 1000;

    explicit Collection(TDB0DM &db, QObject *parent = nullptr);
    ~Collection() override;

    // Selects every unit and marks each as pending; takes over the port's
    // reply handler. False (and stopped) when there is no unit to read.
    bool FormCreate();
    // Sends the next read when collecting and the port is free; ends the
    // collection at the first tick at which every unit is empty.
    void sbdTimerTimer();
    // Takes the port's reply to the last read.
    void SbdReceiveData(const QByteArray &buffer);
    // Stops collecting and gives the port's reply handler back.
    void KonecSberuDat();
    // Whether every pending entry is 0.
    bool VsechnoNulove() const;

    bool stopped() const { return m_stopped; }
    quint8 pending(quint8 address) const { return m_pending[address]; }
    // The addresses still not empty, as "05 Vrátnice" each.
    QStringList pendingUnits() const;
    // How many reads were sent so far.
    int readsSent() const { return m_readsSent; }
    // How many events the units handed out so far (stored or rejected).
    int eventsReceived() const { return m_eventsReceived; }
    const QStringList &log() const { return m_log; }
    // Why the collection stopped before every unit was empty because the
    // events could not be stored; empty otherwise.
    const QString &failure() const { return m_failure; }
    int lineIndex() const { return m_lineIndex; }

signals:
    void logCleared();
    void lineAdded(const QString &line);
    // The collection ended (all units empty, or interrupted).
    void finished();

private:
    void addLine(const QString &line);
    // The pending entry of the unit the last read went to.
    quint8 &currentEntry();

    TDB0DM &m_db;
    std::array<quint8, 256> m_pending{};
    bool m_stopped = true;
    int m_lineIndex = 9999;
    QStringList m_log;
    QStringList m_names; // "05 Vrátnice" by selection position
    int m_readsSent = 0;
    int m_eventsReceived = 0;
    QString m_failure;
};

} // namespace vardex
