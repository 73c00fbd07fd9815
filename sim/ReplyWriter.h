#pragma once

#include "comm/Protocol.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>

#include <array>

namespace vardex::sim {

// What a unit puts on the wire, written by the simulator itself and not by the
// program's encoders, so that a layout fault shared by both sides shows up in
// the tests instead of cancelling out. Events are held in the program's
// EventSlot only as a carrier of their bytes (key in wire order, BCD time).

// A number 0..99 as two decimal digits, tens in the high half-byte; anything
// else is 0xFF.
quint8 toBcd(int value);

// The sum of the bytes modulo 256.
quint8 byteSum(QByteArrayView bytes);
// A data reply: the data, then their sum.
QByteArray withChecksum(QByteArray data);

// An event the unit records at a time of its clock.
EventSlot eventSlotAt(const KeyBytes &key, const QDateTime &at, quint8 result);
// Key (7), minute, hour, day, month (BCD), result code: 12 bytes.
QByteArray slotBytes(const EventSlot &event);
// The reply to 0x84 and 0x88 without its checksum: address, the 24-bit
// position little-endian, up to 21 slots from offset 4, zeros to 260 bytes.
QByteArray eventBlock(quint8 address, quint32 position, const QList<EventSlot> &events);
// The reply to 0x8E without its checksum: address, position, one slot.
QByteArray oneEvent(quint8 address, quint32 position, const EventSlot &event);

// Second, minute, hour, day, month (BCD), day of week (0 = Sunday, plain),
// year modulo 100 (BCD).
std::array<quint8, 7> clockBytes(const QDateTime &at);

// What the unit reports to 0x8A.
struct StateReply
{
    quint8 address = 0;
    quint8 model = 0; // 1 KVR-8, 2 KVR-EXP, 3 KVR-ZAV, 8 KVR-EXP-T, 9 KVR-ZAV-T
    quint8 state = 0;
    quint8 mode = 0; // for KVR-8 the low half-byte: 1 access, 2 attendance
    quint8 memorySizeCode = 0;
    quint8 alarmMask = 0;
    quint8 relayMask = 0;
    std::array<quint32, 5> positions{}; // 24-bit each
    quint8 memoryFlag = 0;
    QDateTime clock;
    QByteArray channels; // up to 128 bytes from offset 30 (models 8 and 9)
};
// The 260 bytes of the state reply without its checksum.
QByteArray stateReply(const StateReply &s);

} // namespace vardex::sim
