#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

namespace vardex {

class TDB0DM;

// Setting the clock of every unit to the PC's time ("Nastavení času všech
// hardwarových jednotek"): one unit per tick, each line of the log completed
// by the unit's answer, and one final message once the last unit has
// answered. The window and the command line own the timer and call the tick.
class ClockSetting : public QObject
{
    Q_OBJECT
public:
    static constexpr int IntervalMs = 100;

    explicit ClockSetting(TDB0DM &db, QObject *parent = nullptr);
    ~ClockSetting() override;

    // Shows the PC's time, selects every unit and takes over the port's reply
    // handler. False (and stopped) when there is no unit.
    bool FormCreate();
    // Sends the clock to the next unit when running and the port is free.
    void RepeatTimerTimer();
    // The port's answer to the last clock command.
    void MyReceiveData(const QByteArray &buffer);
    // Gives the port's reply handler back.
    void FormDestroy();

    // "úterý, 5.ledna 2027, 08:00:00": the PC's time when the window opened.
    const QString &pcTime() const { return m_pcTime; }
    bool stopped() const { return m_stopped; }
    // The final message has been given.
    bool finished() const { return m_finished; }
    bool hadErrors() const { return m_errors; }
    // "Hotovo!" or "POZOR!\r\nChyby při nastavení jednotek".
    QString finalMessage() const;
    const QStringList &log() const { return m_log; }

signals:
    void lineAdded(const QString &line);
    // The last line, completed by the unit's answer.
    void lastLineChanged(const QString &line);
    // A line is final: completed by the answer, or of a unit skipped.
    void lineDone(const QString &line);
    // Every unit has been dealt with; finalMessage() says how.
    void done();

private:
    // The position is past the last unit: nothing more is sent.
    void advance();
    void finish();

    TDB0DM &m_db;
    QString m_pcTime;
    bool m_stopped = true;
    bool m_errors = false;
    bool m_waiting = false;
    bool m_finished = false;
    bool m_installed = false;
    QStringList m_log;
};

} // namespace vardex
