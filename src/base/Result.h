#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace vardex {

// Why an operation failed: a Czech message for the operator and, where the
// caller has to tell failures apart, a code (0 when there is none).
struct Failure
{
    QString message;
    int code = 0;
};

// The value of an operation that can fail, or why it failed. Expected
// failures travel as values, never as exceptions across the event loop:
//
//   Result<qint64> n = table.countRecords();
//   if (!n)
//       return Failure{n.error()};
//   print(*n);
template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Failure failure) : m_failure(std::move(failure)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return *m_value; }
    T &value() & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    const T &operator*() const & { return *m_value; }
    T &operator*() & { return *m_value; }
    const T *operator->() const { return &*m_value; }
    T valueOr(T fallback) const { return m_value ? *m_value : std::move(fallback); }

    // Empty when ok().
    const QString &error() const { return m_failure.message; }
    int code() const { return m_failure.code; }
    const Failure &failure() const { return m_failure; }

private:
    std::optional<T> m_value;
    Failure m_failure;
};

// An operation that gives nothing back but may fail.
template <> class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure) : m_failed(true), m_failure(std::move(failure)) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_failure.message; }
    int code() const { return m_failure.code; }
    const Failure &failure() const { return m_failure; }

private:
    bool m_failed = false;
    Failure m_failure;
};

} // namespace vardex
