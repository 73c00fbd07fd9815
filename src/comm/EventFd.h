#pragma once

namespace vardex {

// A wake-up signal a thread can wait for with poll(): set it and every
// waiter sees its descriptor readable until it is cleared.
class EventFd
{
public:
    EventFd();
    ~EventFd();
    EventFd(const EventFd &) = delete;
    EventFd &operator=(const EventFd &) = delete;

    bool isValid() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    void set();
    void clear();

private:
    int m_fd = -1;
};

} // namespace vardex
