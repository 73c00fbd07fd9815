#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace vardex {

class TDB0DM;

// Reading the state of one unit ("Čtení stavu hardwarových jednotek"): the
// operator picks a unit in the units grid, the state command goes to it,
// and a whole state reply is kept in the state buffer for the state window.
// The list window and the command line drive this object.
class StateQuery : public QObject
{
    Q_OBJECT
public:
    // The state buffer holds at most this much of the reply.
    static constexpr int StateBufferSize = 259;

    explicit StateQuery(TDB0DM &db, QObject *parent = nullptr);
    // Gives the port's reply handler back.
    ~StateQuery() override;

    // The window takes the port's replies while it is the active one; the
    // state window over it does not let them reach the list.
    void FormActivate();
    void FormDeactivate();

    // A double click on the unit the units table stands on: the state
    // command goes to it and the grid hides until the reply. False (and
    // nothing waits) when the port refused the command.
    bool DBGrid1DblClick();
    // The port's reply to the state command.
    void MyReceiveData(const QByteArray &buffer);
    // The state window was closed: the status field is cleared.
    void stateShown();

    bool waiting() const { return m_waiting; }
    const QString &status() const { return m_status; }
    // The last whole state reply (zeros past what was received).
    const QByteArray &stateBuffer() const { return m_state; }

signals:
    void statusChanged(const QString &text);
    // Hidden while a query is out, shown again once it has ended.
    void gridVisibleChanged(bool visible);
    // A whole state reply came: the state window is to show the buffer.
    void stateReceived();

private:
    void setStatus(const QString &text);

    TDB0DM &m_db;
    bool m_installed = false;
    bool m_waiting = false;
    QString m_unit; // "05 Vrátnice", the unit asked
    QString m_status;
    QByteArray m_state = QByteArray(StateBufferSize, '\0');
};

} // namespace vardex
