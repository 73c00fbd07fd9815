#pragma once

#include "base/Result.h"
#include "sim/SimState.h"

#include <QString>

#include <chrono>
#include <optional>

namespace vardex::sim {

// The file that keeps the units' state between runs. Each write replaces the
// whole file through a temporary one, so a run killed at any moment leaves
// the last state written, never a part of one.
class StateFile
{
public:
    // Writes come at most this often while the simulator runs.
    static constexpr std::chrono::milliseconds Interval{1000};

    explicit StateFile(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }
    // The state in the file; none when there is no file.
    Result<std::optional<SimState>> load() const;
    // Writes the state unless it is the one written last.
    Result<void> save(const SimState &state);
    // How long until the interval since the last save has passed (0: now).
    std::chrono::milliseconds untilDue() const;

private:
    QString m_path;
    QString m_written; // the text of the last write
    std::chrono::steady_clock::time_point m_lastSave{};
};

} // namespace vardex::sim
