#pragma once

#include <QByteArray>

namespace vardex {

// Who acknowledges a good data reply. A unit drops what it handed out once
// it hears the acknowledgement, so a reply that carries events is
// acknowledged by its receiver only after they are stored.
enum class ReplyAck {
    ByPort,     // at once, when the reply arrives whole and right
    ByReceiver, // by the receiver through the port, once it has kept the data
};

// What the command functions need of the serial line: hand over one frame
// and say how long the reply will be, and tell whether an exchange is still
// outstanding. The serial port implements it; tests may fake it.
class CommandPort
{
public:
    virtual ~CommandPort() = default;

    // True when the frame was taken for sending; false while busy or closed.
    virtual bool SendCommand(const QByteArray &frame, quint16 expectedReplyLength,
                             ReplyAck ack = ReplyAck::ByPort) = 0;
    // True when no request is outstanding.
    virtual bool IsFree() const = 0;
};

} // namespace vardex
