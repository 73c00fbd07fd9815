#pragma once

#include "comm/EChybaCOM.h"
#include "comm/LineErrors.h"

#include <QString>
#include <optional>

namespace vardex {

// One serial line opened for the units: exclusive, raw, 8 data bits with
// stick parity (space unless the address byte is going out), one stop bit,
// DTR clear and RTS set. The descriptor is non-blocking; the reader and the
// writer wait on it with poll(). Open and close belong to the main thread;
// the threads use the descriptor only while the line is open.
class SerialDevice
{
public:
    enum class Parity { Space, Mark };

    SerialDevice() = default;
    ~SerialDevice();
    SerialDevice(const SerialDevice &) = delete;
    SerialDevice &operator=(const SerialDevice &) = delete;

    // Opens and sets up the line. Fails with "COM již byl otevřen" when
    // another program (or another port object) holds it, "Chyba při
    // otevírání COM" when it is missing, forbidden or refuses the settings,
    // and "Handle nepřísluší COM" when the path is not a terminal; each
    // followed by the path and the system's reason.
    std::optional<EChybaCOM> open(const QString &path, int baudRate);
    void close();

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    // Safe from the writer thread while the line is open.
    static bool setParity(int fd, Parity parity);
    static void setModemLines(int fd);
    // The driver's error counters; none when the driver keeps none
    // (pseudo-terminals, some adapters).
    static std::optional<LineCounters> readCounters(int fd);

    void discardInput();
    void discardOutput();

private:
    int m_fd = -1;
};

} // namespace vardex
