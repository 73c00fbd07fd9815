#pragma once

#include "comm/Protocol.h"

#include <QByteArray>

namespace vardex {

class CommandPort;
class TDB0DM;

// The command functions through which every operation talks to a unit. Each
// builds its frame from the units table's current record (or, for the key
// permissions, from the permission record), keeps it as the last frame and
// hands it to the port with the command's reply length. Each returns what
// the port answered: true when the frame was taken for sending.
class UnitCommands
{
public:
    UnitCommands(TDB0DM &db, CommandPort &port);

    // The record the key commands are built from.
    PermissionRecord opravneni;
    // The 13-byte block of the timer permission command; no operation fills
    // it, so it is sent as the caller left it (zeros at first).
    QByteArray timerOpravneni = QByteArray(13, '\0');
    // The balance the balance command writes for the permission record's key.
    quint16 saldo = 0;

    // --- to the current unit
    bool PovelKonfiguraceJednotky(); // 0x80: the unit's configuration block
    bool PovelZakazOpravneni();      // 0x82: attribute byte, key
    bool PovelNastavCas();           // 0x83: the PC's clock now
    bool PovelPrectiUdalosti();      // 0x84
    bool PovelNulovat();             // 0x85
    bool PovelUzamknout();           // 0x86
    bool PovelPrectiPamet();         // 0x88
    bool PovelZapisSaldo();          // 0x89: key, balance
    bool PovelPrectiStavHwj();       // 0x8A
    bool PovelNastavReleMask();      // 0x8B: the unit's relay mask
    bool PovelNastavTamperMask();    // 0x8C: the unit's alarm mask
    bool PovelNaPocatekPameti();     // 0x8D
    bool PovelPrectiJednuUdalost();  // 0x8E
    bool PovelDocasnyZakaz();        // 0x8F: attribute byte, key
    bool PovelDocasnyPovoleno();     // 0x90: attribute byte, key
    bool PovelCasoveOknoTimer();     // 0xB0: section, window start and end
    bool PovelOpravneniTimer();      // 0xB1: the timer permission block

    // --- to the permission record's unit (its byte 12)
    bool PovelDuplicitniOpravneni(); // 0x81
    bool PovelOpravneni();           // 0x87

    // --- to a given address
    bool PovelPrectiUdalostAdresa(quint8 address); // 0x8E

    // The frame the last command function built.
    const QByteArray &lastFrame() const { return m_frame; }

private:
    bool send(quint8 address, quint8 code, QByteArrayView data = {});
    bool sendToCurrent(quint8 code, QByteArrayView data = {});
    // Attribute byte, then the key.
    QByteArray attributeAndKey() const;
    // The data of 0x81 and 0x87.
    QByteArray permissionData() const;

    TDB0DM &m_db;
    CommandPort &m_port;
    QByteArray m_frame;
};

} // namespace vardex
