#include "comm/TComHwj.h"

#include "comm/SerialParams.h"
#include "comm/SerialReader.h"
#include "comm/SerialWriter.h"

#include <QEventLoop>

namespace vardex {

namespace {

constexpr char kAcknowledge = char(0xAA);

} // namespace

TComHwj::TComHwj(QObject *parent)
    : QObject(parent),
      m_mailbox([this] { QMetaObject::invokeMethod(this, "drainMailbox", Qt::QueuedConnection); })
{
    connect(&m_timer, &QTimer::timeout, this, &TComHwj::onTimerTick);
}

TComHwj::~TComHwj()
{
    ClosePort();
}

void TComHwj::SetWaitTimeout(int milliseconds)
{
    m_waitTimeout = milliseconds;
    if (m_timer.isActive())
        m_timer.setInterval(milliseconds);
}

void TComHwj::TrySetParms(const QString &workDir)
{
    m_commPort = SerialParams::portFromFile(workDir, m_commPort);
}

OpenPortResult TComHwj::OpenPort()
{
    if (m_device.isOpen())
        return {false, EChybaCOM::alreadyOpen()};
    const QString device = SerialParams::devicePath(m_commPort);
    // The operator is to see the name from VX_PARMS.INI that leads nowhere.
    if (device.isEmpty())
        return {false, EChybaCOM::unknownPort(m_commPort)};
    if (std::optional<EChybaCOM> error = m_device.open(device, m_baudRate))
        return {false, std::move(error)};
    m_stop = std::make_unique<EventFd>();
    if (!m_stop->isValid()) {
        m_stop.reset();
        m_device.close();
        return {false, std::nullopt};
    }

    ++m_session;
    m_readerReady = m_writerReady = m_startFailed = false;
    m_reader = std::make_unique<SerialReader>(m_device.fd(), m_stop->fd(), m_mailbox);
    if (!m_reader->start()) {
        ClosePort();
        return {false, EChybaCOM::readerNotCreated()};
    }
    m_writer = std::make_unique<SerialWriter>(m_device.fd(), m_stop->fd(), m_mailbox);
    if (!m_writer->start()) {
        ClosePort();
        return {false, EChybaCOM::writerNotCreated()};
    }
    if (!waitForThreads()) {
        const bool readerRan = m_readerReady;
        ClosePort();
        return {false, readerRan ? EChybaCOM::writerNotCreated() : EChybaCOM::readerNotCreated()};
    }
    m_timer.start(m_waitTimeout);
    return {true, std::nullopt};
}

bool TComHwj::waitForThreads()
{
    // A thread that fails while starting reports the failure instead of
    // ready; one that never reports at all is given up after a few seconds.
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(kThreadStartMs);
    m_openLoop = &loop;
    while (!(m_readerReady && m_writerReady) && !m_startFailed && deadline.isActive())
        loop.exec();
    m_openLoop = nullptr;
    return m_readerReady && m_writerReady && !m_startFailed;
}

void TComHwj::ClosePort()
{
    if (!m_device.isOpen())
        return;
    m_stop->set();
    m_device.discardInput();
    if (m_reader) {
        m_reader->join();
        m_reader.reset();
    }
    m_device.discardOutput();
    if (m_writer) {
        m_writer->join();
        m_writer.reset();
    }
    m_stop.reset();
    m_device.close();
    m_timer.stop();
    // What the threads posted before they ended belongs to the closed line.
    m_mailbox.takeAll();
    ++m_session;
    m_waiting = m_busy = false;
    m_readerReady = m_writerReady = false;
}

bool TComHwj::SendCommand(const QByteArray &frame, quint16 expectedReplyLength, ReplyAck ack)
{
    if (!m_writer || m_busy || frame.isEmpty())
        return false;
    m_busy = true;
    m_expectedLength = expectedReplyLength;
    m_ackMode = ack;
    m_frameAddress = quint8(frame[0]);
    m_timer.start(m_waitTimeout); // the time-out counts from this request
    m_waiting = true;
    m_writer->sendFrame(frame);
    return true;
}

void TComHwj::drainMailbox()
{
    const quint64 session = m_session;
    for (LineMessage &message : m_mailbox.takeAll()) {
        // A handler may have closed (or reopened) the port meanwhile.
        if (m_session != session || !m_device.isOpen())
            return;
        switch (message.kind) {
        case LineMessage::Kind::Ready:
            (message.from == LineThread::Reader ? m_readerReady : m_writerReady) = true;
            break;
        case LineMessage::Kind::Failed:
            onFailed();
            break;
        case LineMessage::Kind::Chunk:
            onChunk(std::move(message.bytes));
            break;
        }
    }
    if (m_openLoop && ((m_readerReady && m_writerReady) || m_startFailed))
        m_openLoop->quit();
}

void TComHwj::onTimerTick()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    m_resCom = ResComCode::NoAnswer;
    m_checksumFailed = false;
    m_lastReply = {ResComCode::NoAnswer, false, false};
    m_busy = false;
    deliver(QByteArray());
}

void TComHwj::onChunk(QByteArray chunk)
{
    // Every chunk ends the wait, also one that nobody asked for (the rest of
    // a split reply, or a reply after its time-out); it is classified with
    // the length of the last request.
    m_waiting = false;
    ReplyClass reply = classifyReply(chunk, m_expectedLength);
    // Every data reply starts with the address of the unit that sends it.
    // Only the addressed unit is acknowledged: the caller refuses another
    // unit's block, and an acknowledgement would let that unit drop it.
    const bool fromAddressed = chunk.size() >= 2 && quint8(chunk[0]) == m_frameAddress;
    reply.acknowledge = reply.acknowledge && fromAddressed && m_writer;
    m_lastReply = reply;
    m_resCom = reply.resCom;
    m_checksumFailed = reply.checksumFailed;
    if (reply.acknowledge && m_ackMode == ReplyAck::ByPort)
        m_writer->sendPlain(QByteArray(1, kAcknowledge));
    // A reply that hands out events waits for its receiver: the unit drops
    // them on hearing 0xAA, so it may hear it only once they are stored.
    m_ackPending = reply.acknowledge && m_ackMode == ReplyAck::ByReceiver;
    // The exchange is over before the handler runs, so that the handler may
    // send the next request at once.
    m_busy = false;
    deliver(chunk);
    m_ackPending = false;
}

bool TComHwj::Acknowledge()
{
    if (!m_ackPending || !m_writer)
        return false;
    m_ackPending = false;
    m_writer->sendPlain(QByteArray(1, kAcknowledge));
    return true;
}

void TComHwj::onFailed()
{
    if (m_openLoop) {
        m_startFailed = true;
        return;
    }
    if (OnRequestHangup) {
        const TNotifyEvent handler = OnRequestHangup;
        handler();
    }
}

void TComHwj::deliver(const QByteArray &buffer)
{
    if (!OnReceiveData)
        return;
    // The handler may replace itself (a window closing); keep this call's copy.
    const TReceiveDataEvent handler = OnReceiveData;
    handler(buffer);
}

} // namespace vardex
