#include "comm/SerialWriter.h"

#include "comm/SerialDevice.h"

#include <cerrno>
#include <poll.h>
#include <pthread.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace vardex {

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

SerialWriter::SerialWriter(int fd, int stopFd, LineMailbox &mailbox)
    : m_fd(fd), m_stopFd(stopFd), m_mailbox(mailbox)
{
}

SerialWriter::~SerialWriter()
{
    join();
}

bool SerialWriter::start()
{
    if (!m_wake.isValid())
        return false;
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error &) {
        return false;
    }
    return true;
}

void SerialWriter::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void SerialWriter::sendFrame(QByteArray frame)
{
    queue({std::move(frame), true});
}

void SerialWriter::sendPlain(QByteArray bytes)
{
    queue({std::move(bytes), false});
}

void SerialWriter::queue(Job job)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wake.set();
}

void SerialWriter::run()
{
    pthread_setname_np(pthread_self(), kThreadName);
    m_mailbox.post({LineMessage::Kind::Ready, LineThread::Writer, {}});
    for (;;) {
        pollfd fds[2] = {{m_stopFd, POLLIN, 0}, {m_wake.fd(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            m_mailbox.post({LineMessage::Kind::Failed, LineThread::Writer, {}});
            return;
        }
        if (fds[0].revents & POLLIN)
            return;
        m_wake.clear();
        for (;;) {
            Job job;
            {
                std::lock_guard lock(m_mutex);
                if (m_jobs.empty())
                    break;
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            switch (send(job)) {
            case Outcome::Sent:
                break;
            case Outcome::Stopped:
                return;
            case Outcome::Abandoned:
                tcflush(m_fd, TCOFLUSH);
                return;
            case Outcome::Failed:
                tcflush(m_fd, TCOFLUSH);
                m_mailbox.post({LineMessage::Kind::Failed, LineThread::Writer, {}});
                return;
            }
        }
    }
}

SerialWriter::Outcome SerialWriter::send(const Job &job)
{
    if (job.bytes.isEmpty())
        return Outcome::Sent;
    if (!job.addressed)
        return writeAll(job.bytes.constData(), job.bytes.size());

    // The units recognise the start of a frame by the parity bit of its first byte.
    if (!SerialDevice::setParity(m_fd, SerialDevice::Parity::Mark))
        return errno == EBADF ? Outcome::Abandoned : Outcome::Failed;
    SerialDevice::setModemLines(m_fd);
    if (!pause(kSettle))
        return Outcome::Stopped;
    if (const Outcome outcome = writeAll(job.bytes.constData(), 1); outcome != Outcome::Sent)
        return outcome;
    tcdrain(m_fd);
    if (!pause(kAddressGap))
        return Outcome::Stopped;
    if (!SerialDevice::setParity(m_fd, SerialDevice::Parity::Space))
        return errno == EBADF ? Outcome::Abandoned : Outcome::Failed;
    SerialDevice::setModemLines(m_fd);
    return writeAll(job.bytes.constData() + 1, job.bytes.size() - 1);
}

SerialWriter::Outcome SerialWriter::writeAll(const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, static_cast<size_t>(size));
        if (written > 0) {
            data += written;
            size -= written;
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno == EBADF)
            return Outcome::Abandoned;
        if (written < 0 && errno != EAGAIN)
            return Outcome::Failed;
        pollfd fds[2] = {{m_stopFd, POLLIN, 0}, {m_fd, POLLOUT, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            return Outcome::Failed;
        if (fds[0].revents & POLLIN)
            return Outcome::Stopped;
        if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL))
            return Outcome::Failed;
    }
    return Outcome::Sent;
}

bool SerialWriter::pause(std::chrono::milliseconds duration)
{
    const Clock::time_point until = Clock::now() + duration;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
        if (left.count() <= 0)
            return true;
        pollfd stop = {m_stopFd, POLLIN, 0};
        if (::poll(&stop, 1, static_cast<int>(left.count())) > 0 && (stop.revents & POLLIN))
            return false;
    }
}

} // namespace vardex
