#include "comm/SerialDevice.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace vardex {

namespace {

std::optional<speed_t> speedOf(int baudRate)
{
    switch (baudRate) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return std::nullopt;
    }
}

void applyParity(termios &settings, SerialDevice::Parity parity)
{
    settings.c_cflag |= PARENB | CMSPAR;
    if (parity == SerialDevice::Parity::Mark)
        settings.c_cflag |= PARODD;
    else
        settings.c_cflag &= ~PARODD;
}

// Applies line settings. The C library reports a failure when the driver
// silently drops the parity enable; a pseudo-terminal has no parity at all,
// so such a line is taken as set when everything else did change.
bool applySettings(int fd, int when, const termios &wanted)
{
    if (tcsetattr(fd, when, &wanted) == 0)
        return true;
    termios now{};
    if (errno != EINVAL || tcgetattr(fd, &now) != 0)
        return false;
    const tcflag_t kept = CSIZE | CREAD | CSTOPB | CMSPAR | PARODD;
    return (now.c_cflag & kept) == (wanted.c_cflag & kept) &&
           cfgetospeed(&now) == cfgetospeed(&wanted) && now.c_iflag == wanted.c_iflag &&
           now.c_lflag == wanted.c_lflag;
}

} // namespace

SerialDevice::~SerialDevice()
{
    close();
}

std::optional<EChybaCOM> SerialDevice::open(const QString &path, int baudRate)
{
    if (m_fd >= 0)
        return EChybaCOM::alreadyOpen();
    if (path.isEmpty())
        return EChybaCOM::unknownPort({});
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        const QString reason = EChybaCOM::systemReason(error);
        if (error == EBUSY)
            return EChybaCOM::alreadyOpen(path, reason);
        if (error == EISDIR)
            return EChybaCOM::notAPort(path, reason);
        return EChybaCOM::openFailed(path, reason);
    }

    auto fail = [fd](EChybaCOM error) {
        ::close(fd);
        return std::optional<EChybaCOM>(std::move(error));
    };
    struct stat info
    {
    };
    termios settings{};
    if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode) || tcgetattr(fd, &settings) != 0)
        return fail(EChybaCOM::notAPort(path, EChybaCOM::systemReason(ENOTTY)));
    // The kernel's exclusive mode keeps other openers out (but not the
    // administrator); the lock also keeps out a second program and a second
    // port object of this one.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        return fail(EChybaCOM::alreadyOpen(path, EChybaCOM::systemReason(EBUSY)));
    ioctl(fd, TIOCEXCL);

    const std::optional<speed_t> speed = speedOf(baudRate);
    if (!speed) {
        ioctl(fd, TIOCNXCL);
        return fail(EChybaCOM::openFailed(
            path, QStringLiteral("nepodporovaná rychlost %1 Bd").arg(baudRate)));
    }
    cfmakeraw(&settings);
    settings.c_iflag &= ~(INPCK | IGNPAR | PARMRK | IXON | IXOFF | IXANY);
    settings.c_cflag &= ~(CSIZE | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CREAD | CLOCAL;
    applyParity(settings, Parity::Space);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (cfsetispeed(&settings, *speed) != 0 || cfsetospeed(&settings, *speed) != 0 ||
        !applySettings(fd, TCSANOW, settings)) {
        const int error = errno;
        ioctl(fd, TIOCNXCL);
        return fail(EChybaCOM::openFailed(path, EChybaCOM::systemReason(error)));
    }
    setModemLines(fd);
    tcflush(fd, TCIOFLUSH);
    m_fd = fd;
    return std::nullopt;
}

void SerialDevice::close()
{
    if (m_fd < 0)
        return;
    ioctl(m_fd, TIOCNXCL);
    flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

bool SerialDevice::setParity(int fd, Parity parity)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    applyParity(settings, parity);
    return applySettings(fd, TCSADRAIN, settings);
}

void SerialDevice::setModemLines(int fd)
{
    // Lines without modem control (pseudo-terminals) refuse these; that is fine.
    int dtr = TIOCM_DTR;
    int rts = TIOCM_RTS;
    ioctl(fd, TIOCMBIC, &dtr);
    ioctl(fd, TIOCMBIS, &rts);
}

std::optional<LineCounters> SerialDevice::readCounters(int fd)
{
    serial_icounter_struct counts{};
    if (ioctl(fd, TIOCGICOUNT, &counts) != 0)
        return std::nullopt;
    return LineCounters{counts.frame, counts.overrun, counts.parity, counts.brk,
                        counts.buf_overrun};
}

void SerialDevice::discardInput()
{
    if (m_fd >= 0)
        tcflush(m_fd, TCIFLUSH);
}

void SerialDevice::discardOutput()
{
    if (m_fd >= 0)
        tcflush(m_fd, TCOFLUSH);
}

} // namespace vardex
