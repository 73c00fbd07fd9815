#pragma once

#include <QByteArray>

namespace vardex {

// What the command functions need of the serial line: hand over one frame
// and say how long the reply will be, and tell whether an exchange is still
// outstanding. The serial port implements it; tests may fake it.
class CommandPort
{
public:
    virtual ~CommandPort() = default;

    // True when the frame was taken for sending; false while busy or closed.
    virtual bool SendCommand(const QByteArray &frame, quint16 expectedReplyLength) = 0;
    // True when no request is outstanding.
    virtual bool IsFree() const = 0;
};

} // namespace vardex
