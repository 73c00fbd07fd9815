#pragma once

#include <QDateTime>

namespace vardex {

// The seam for "now". Core code asks the clock it was given, never the
// system directly, so tests and the command line's --now can fix the time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

// The machine's local time.
class SystemClock final : public Clock
{
public:
    QDateTime now() const override;
};

// A clock that shows a set time and moves only when told.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(const QDateTime &at) : m_now(at) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &at) { m_now = at; }
    void advanceSeconds(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};

} // namespace vardex
