#pragma once

#include <QString>
#include <optional>

namespace vardex {

// The error of opening the serial port, with the text the operator sees: the
// fixed text of the failure, then, when known, the device and the system's
// reason ("Chyba při otevírání COM: /dev/ttyS1 – zařízení neexistuje").
struct EChybaCOM
{
    QString Message;

    // The port object already holds an open line, or another program holds it.
    static EChybaCOM alreadyOpen(const QString &device = {}, const QString &reason = {});
    // The device is missing or cannot be opened or set up.
    static EChybaCOM openFailed(const QString &device = {}, const QString &reason = {});
    // The port's name ("LPT1", from VX_PARMS.INI) names no device at all.
    static EChybaCOM unknownPort(const QString &name);
    // The path names something that is not a serial line.
    static EChybaCOM notAPort(const QString &device = {}, const QString &reason = {});
    // The reader thread could not be started or never reported ready.
    static EChybaCOM readerNotCreated();
    // The writer thread could not be started or never reported ready.
    static EChybaCOM writerNotCreated();

    // The system's reason for a failed open or set-up, in Czech, from errno.
    static QString systemReason(int error);
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
