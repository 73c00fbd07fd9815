#pragma once

#include <QtGlobal>

namespace vardex {

// A small fixed sequence, so that the same seed gives the same demo site.
class DemoDice
{
public:
    explicit DemoDice(quint32 seed) : m_state(seed) {}

    int roll(int below)
    {
        m_state = m_state * 1103515245u + 12345u;
        return int((m_state >> 16) % unsigned(below));
    }

private:
    quint32 m_state;
};

} // namespace vardex
