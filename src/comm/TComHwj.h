#pragma once

#include "comm/CommandPort.h"
#include "comm/EChybaCOM.h"
#include "comm/EventFd.h"
#include "comm/LineMailbox.h"
#include "comm/ReplyClassification.h"
#include "comm/SerialDevice.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class QEventLoop;

namespace vardex {

class SerialReader;
class SerialWriter;

// The serial port to the KVR-8 units: one request at a time, the frame sent
// by a writer thread, the reply collected by a reader thread, the outcome
// (a reply chunk or a time-out) delivered on the main thread through
// OnReceiveData with ResCom set. A good data reply is acknowledged with 0xAA:
// by the port, or by its receiver once it has stored what the reply carries.
//
// Everything here belongs to the main thread; the threads hand their
// messages over through a mailbox and a queued call.
class TComHwj : public QObject, public CommandPort
{
    Q_OBJECT
public:
    // Called for every received chunk (the checksum byte of a data reply
    // already set to 0) and, with an empty buffer, for a time-out.
    using TReceiveDataEvent = std::function<void(const QByteArray &buffer)>;
    using TNotifyEvent = std::function<void()>;

    // How long the open waits for both threads to report that they run.
    static constexpr int kThreadStartMs = 3000;

    explicit TComHwj(QObject *parent = nullptr);
    ~TComHwj() override;

    const QString &CommPort() const { return m_commPort; }
    void SetCommPort(const QString &port) { m_commPort = port; }
    int BaudRate() const { return m_baudRate; }
    void SetBaudRate(int baudRate) { m_baudRate = baudRate; }
    int WaitTimeout() const { return m_waitTimeout; }
    void SetWaitTimeout(int milliseconds);
    // 0xAA good (accepted or a data reply with a good checksum), 1 no answer,
    // 0xC0 a data reply with a wrong checksum, else the unit's status byte.
    int ResCom() const { return m_resCom; }
    // Whether the last 0xC0 came from this side's checksum test ("chyba
    // Rx-CRC") rather than from the unit ("chyba: nepřípustné").
    bool ReplyChecksumFailed() const { return m_checksumFailed; }

    // Set by each window that talks to units, cleared when it closes.
    TReceiveDataEvent OnReceiveData;
    // Called when a worker thread reports a failure of the line.
    TNotifyEvent OnRequestHangup;

    // Sets CommPort from "VX_PARMS.INI" in `workDir` when the file names one.
    void TrySetParms(const QString &workDir);

    // Opens the line named by CommPort and starts both threads and the
    // time-out timer. On failure the port stays closed.
    OpenPortResult OpenPort();
    // Stops and joins both threads and closes the line; nothing when closed.
    void ClosePort();
    bool IsOpen() const { return m_device.isOpen(); }

    // Hands a frame to the writer; false while busy or closed. A good data
    // reply is acknowledged at once, or with ReplyAck::ByReceiver only when
    // the receiver calls Acknowledge() while the reply is delivered to it.
    bool SendCommand(const QByteArray &frame, quint16 expectedReplyLength,
                     ReplyAck ack = ReplyAck::ByPort) override;
    // Sends 0xAA for the reply being delivered, once its receiver has kept
    // what it carries. Only during OnReceiveData, only for a reply that
    // arrived whole and right from the addressed unit, and only once; false
    // (nothing sent) otherwise.
    bool Acknowledge();
    // How the last chunk (or time-out) was classified; `acknowledge` tells
    // whether it may be acknowledged (whole, right, from the addressed unit).
    const ReplyClass &LastReply() const { return m_lastReply; }
    bool IsFree() const override { return !m_busy; }
    bool IsWaiting() const { return m_waiting; }
    quint16 ExpectedReplyLength() const { return m_expectedLength; }

private:
    Q_INVOKABLE void drainMailbox();
    bool waitForThreads();
    void onTimerTick();
    void onChunk(QByteArray chunk);
    void onFailed();
    void deliver(const QByteArray &buffer);

    QString m_commPort = QStringLiteral("COM2");
    int m_baudRate = 2400;
    int m_waitTimeout = 4000;
    int m_resCom = 0;
    bool m_checksumFailed = false;

    bool m_waiting = false;
    bool m_busy = false;
    quint16 m_expectedLength = 0;
    quint8 m_frameAddress = 0; // address byte of the last request
    ReplyAck m_ackMode = ReplyAck::ByPort;
    ReplyClass m_lastReply;
    bool m_ackPending = false; // the reply being delivered awaits its receiver's 0xAA
    bool m_readerReady = false;
    bool m_writerReady = false;
    bool m_startFailed = false;
    QEventLoop *m_openLoop = nullptr;
    quint64 m_session = 0;

    SerialDevice m_device;
    std::unique_ptr<EventFd> m_stop;
    LineMailbox m_mailbox;
    std::unique_ptr<SerialReader> m_reader;
    std::unique_ptr<SerialWriter> m_writer;
    QTimer m_timer;
};

} // namespace vardex
