#include "comm/SerialReader.h"

#include "comm/LineErrors.h"
#include "comm/SerialDevice.h"

#include <cerrno>
#include <poll.h>
#include <pthread.h>
#include <system_error>
#include <unistd.h>

namespace vardex {

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

SerialReader::SerialReader(int fd, int stopFd, LineMailbox &mailbox)
    : m_fd(fd), m_stopFd(stopFd), m_mailbox(mailbox)
{
}

SerialReader::~SerialReader()
{
    join();
}

bool SerialReader::start()
{
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error &) {
        return false;
    }
    return true;
}

void SerialReader::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void SerialReader::run()
{
    pthread_setname_np(pthread_self(), kThreadName);
    std::optional<LineCounters> counters = SerialDevice::readCounters(m_fd);
    QByteArray chunk;
    chunk.reserve(kMaxChunk);
    Clock::time_point lastByte;
    m_mailbox.post({LineMessage::Kind::Ready, LineThread::Reader, {}});

    for (;;) {
        int timeout = -1;
        if (!chunk.isEmpty()) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(lastByte + kSilence - Clock::now());
            timeout = std::max<int>(0, static_cast<int>(left.count()));
        }
        pollfd fds[2] = {{m_stopFd, POLLIN, 0}, {m_fd, POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeout);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return fail(chunk);
        }
        if (fds[0].revents & POLLIN)
            return; // stopped: what was collected is discarded with the line
        if (fds[1].revents & POLLIN) {
            char buffer[kMaxChunk];
            const ssize_t count =
                ::read(m_fd, buffer, static_cast<size_t>(kMaxChunk - chunk.size()));
            if (count < 0 && errno != EAGAIN && errno != EINTR)
                return fail(chunk);
            if (count == 0)
                return fail(chunk);
            if (count > 0) {
                chunk.append(buffer, count);
                lastByte = Clock::now();
                if (chunk.size() >= kMaxChunk)
                    postChunk(chunk);
            }
        } else if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            return fail(chunk);
        }
        if (counters)
            checkLineErrors(counters);
        if (!chunk.isEmpty() && Clock::now() - lastByte >= kSilence)
            postChunk(chunk);
    }
}

void SerialReader::postChunk(QByteArray &chunk)
{
    m_mailbox.post({LineMessage::Kind::Chunk, LineThread::Reader, std::exchange(chunk, {})});
    chunk.reserve(kMaxChunk);
}

void SerialReader::checkLineErrors(std::optional<LineCounters> &counters)
{
    const std::optional<LineCounters> now = SerialDevice::readCounters(m_fd);
    if (!now)
        return;
    const quint32 flags = LineErrors::flagsBetween(*counters, *now);
    counters = now;
    if (flags != 0)
        m_mailbox.post({LineMessage::Kind::Chunk, LineThread::Reader, LineErrors::chunk(flags)});
}

void SerialReader::fail(QByteArray &chunk)
{
    if (!chunk.isEmpty())
        postChunk(chunk);
    m_mailbox.post({LineMessage::Kind::Failed, LineThread::Reader, {}});
}

} // namespace vardex
