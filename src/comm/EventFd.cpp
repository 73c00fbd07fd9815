#include "comm/EventFd.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace vardex {

EventFd::EventFd() : m_fd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

EventFd::~EventFd()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void EventFd::set()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_fd, &one, sizeof one);
}

void EventFd::clear()
{
    std::uint64_t value = 0;
    [[maybe_unused]] const ssize_t read = ::read(m_fd, &value, sizeof value);
}

} // namespace vardex
