#include "sim/StateFile.h"

#include "text/LineFile.h"

#include <QFile>

namespace vardex::sim {

Result<std::optional<SimState>> StateFile::load() const
{
    QFile f(m_path);
    if (!f.exists())
        return std::optional<SimState>();
    if (!f.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("%1: %2").arg(m_path, f.errorString())};
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return Failure{QStringLiteral("%1: %2").arg(m_path, f.errorString())};
    Result<SimState> state = SimState::parse(QString::fromUtf8(bytes));
    if (!state)
        return Failure{QStringLiteral("%1: %2").arg(m_path, state.error())};
    return std::optional<SimState>(std::move(state).value());
}

Result<void> StateFile::save(const SimState &state)
{
    m_lastSave = std::chrono::steady_clock::now();
    const QString text = state.toText();
    if (text == m_written)
        return {};
    const FileWritten written = writeWholeFile(m_path, text.toUtf8());
    if (!written.ok)
        return Failure{written.error};
    m_written = text;
    return {};
}

std::chrono::milliseconds StateFile::untilDue() const
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        m_lastSave + Interval - std::chrono::steady_clock::now());
    return std::max(left, std::chrono::milliseconds(0));
}

} // namespace vardex::sim
