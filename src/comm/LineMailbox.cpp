#include "comm/LineMailbox.h"

namespace vardex {

void LineMailbox::post(LineMessage message)
{
    {
        std::lock_guard lock(m_mutex);
        m_messages.push_back(std::move(message));
    }
    m_wake();
}

std::deque<LineMessage> LineMailbox::takeAll()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_messages, {});
}

} // namespace vardex
