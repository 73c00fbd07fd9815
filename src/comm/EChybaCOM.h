#pragma once

#include <QString>
#include <optional>

namespace vardex {

// The error of opening the serial port, with the text the operator sees.
struct EChybaCOM
{
    QString Message;

    // The port object already holds an open line, or another program holds it.
    static EChybaCOM alreadyOpen();
    // The device is missing or cannot be opened or set up.
    static EChybaCOM openFailed();
    // The path names something that is not a serial line.
    static EChybaCOM notAPort();
    // The reader thread could not be started or never reported ready.
    static EChybaCOM readerNotCreated();
    // The writer thread could not be started or never reported ready.
    static EChybaCOM writerNotCreated();
};

// The outcome of opening the port: `ok`, or an error for the operator. The
// port keeps `ok` false without an error only when its stop signal could not
// be made (the system refused an event descriptor).
struct OpenPortResult
{
    bool ok = false;
    std::optional<EChybaCOM> error;
};

} // namespace vardex
