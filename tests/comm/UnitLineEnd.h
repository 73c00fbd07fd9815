#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <unistd.h>
#include <utility>

namespace vardex::testing {

// The unit's end of a pseudo-terminal pair: the port opens slavePath(), the
// test reads what the port sent and answers on the master side. Reads wait
// with a deadline, never for a fixed time.
class UnitLineEnd
{
public:
    UnitLineEnd()
    {
        m_fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd >= 0 && grantpt(m_fd) == 0 && unlockpt(m_fd) == 0)
            m_slave = QString::fromLocal8Bit(ptsname(m_fd));
    }
    ~UnitLineEnd() { closeMaster(); }
    UnitLineEnd(const UnitLineEnd &) = delete;

    bool isValid() const { return m_fd >= 0 && !m_slave.isEmpty(); }
    const QString &slavePath() const { return m_slave; }

    void closeMaster() { ::close(std::exchange(m_fd, -1)); } // closing -1 does nothing

    bool write(const QByteArray &bytes)
    {
        return ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }

    // Reads `count` bytes; fewer when the deadline passes.
    QByteArray read(qsizetype count, int deadlineMs = 2000)
    {
        QByteArray bytes;
        QDeadlineTimer deadline(deadlineMs);
        while (bytes.size() < count && !deadline.hasExpired()) {
            pollfd fd = {m_fd, POLLIN, 0};
            if (::poll(&fd, 1, int(deadline.remainingTime())) <= 0)
                continue;
            char buffer[600];
            const ssize_t got = ::read(m_fd, buffer, size_t(count - bytes.size()));
            if (got > 0)
                bytes.append(buffer, got);
        }
        return bytes;
    }

private:
    int m_fd = -1;
    QString m_slave;
};

// What the port handed its handler.
struct Delivery
{
    QByteArray buffer;
    int resCom = 0;
    bool checksumFailed = false;
};

// Runs the event loop until `done` holds or the deadline passes.
inline bool waitUntil(const std::function<bool()> &done, int deadlineMs = 2000)
{
    QDeadlineTimer deadline(deadlineMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents,
                                        int(std::max<qint64>(1, deadline.remainingTime())));
    return done();
}

} // namespace vardex::testing
