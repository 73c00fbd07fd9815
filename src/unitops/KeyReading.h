#pragma once

#include "text/KeyNumber.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

namespace vardex {

class TDB0DM;
class TVXDM;

// Reading an identification key: the operator presents the key at the reader
// of a chosen unit and the unit's next event, read with the one-event
// command, carries it; or the operator types its 14 hexadecimal digits. The
// key read is left in the key field of the data module's event record. The
// key dialog and the command line drive this object; they own no logic.
class KeyReading : public QObject
{
    Q_OBJECT
public:
    KeyReading(TDB0DM &db, TVXDM &vx, QObject *parent = nullptr);
    // Closes the reading if it is still open.
    ~KeyReading() override;

    // Opening: takes over the port's reply handler, starts at the remembered
    // reading address and clears the event record.
    void FormCreate();
    // Closing: gives the port's reply handler back and remembers the address
    // (in the configuration record in memory). A read still under way keeps
    // a handler that stores its event, so that an event the unit hands out
    // after the dialog has gone still reaches the event table.
    void FormDestroy();
    // Shows the address as two hexadecimal digits (addressShown).
    void ShowAddr();
    // The spin control moved to `value` (0..255).
    void UpDown1Click(int value);
    // "Hotovo": reads one event of the unit at the address. False, and not
    // waiting, when the port refused the command (busy or closed).
    bool getKeyClick();
    // The port's reply to the read.
    void MyReceiveData(const QByteArray &buffer);
    // "Zrušit": the event record stays as cleared on opening.
    void btCancClick();
    // The question-mark picture: shows the manual entry, its field cleared.
    void imaOtazClick();
    // The manual entry's confirm with the field's text: hides the entry; a
    // text of exactly 14 hexadecimal digits that is not the empty key is the
    // key read. Returns whether it was.
    bool SpeedButton1Click(const QString &text);

    bool isOpen() const { return m_open; }
    quint8 address() const { return m_address; }
    // What the address field shows: two upper-case hexadecimal digits.
    QString addrText() const;
    // A read was sent and its reply has not come yet ("Hotovo" disabled).
    bool waiting() const { return m_waiting; }
    bool manualEntryVisible() const { return m_manualVisible; }
    // The key read, once there is one.
    const std::optional<KeyBytes> &key() const { return m_key; }

    // Why the last reply's event could not be stored (the unit keeps it and
    // no key is returned); empty otherwise.
    const QString &failure() const { return m_failure; }

    // A one-event reply of unit `asked` as the port delivered it: its event
    // goes into the event table first and the unit is acknowledged after;
    // then its key (17 bytes with the checksum position). No key for any
    // other chunk, or when the event could not be stored (`failure`, also
    // shown to the operator). The event record is left as it was.
    struct OneEvent
    {
        std::optional<KeyBytes> key;
        QString failure;
    };
    static OneEvent takeOneEvent(TDB0DM &db, quint8 asked, const QByteArray &buffer);

signals:
    void addressShown(const QString &text);
    void waitingChanged(bool waiting);
    void manualEntryChanged(bool visible);
    // A key was read, or the reading was cancelled: the dialog is to close.
    void closeRequested();

private:
    void setWaiting(bool waiting);
    void keyRead(const KeyBytes &key);

    TDB0DM &m_db;
    TVXDM &m_vx;
    bool m_open = false;
    quint8 m_address = 0;
    std::optional<quint8> m_asked; // the address the last read went to
    bool m_waiting = false;
    bool m_manualVisible = false;
    std::optional<KeyBytes> m_key;
    QString m_failure;
};

} // namespace vardex
