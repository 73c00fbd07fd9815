#include "app/ProgramParameters.h"

#include "app/ConfigFile.h"
#include "platform/OperatorMessages.h"

namespace vardex {

namespace {

char switchByte(bool on)
{
    return on ? 'A' : 'N';
}

} // namespace

QString ProgramParameters::outputDirText(const QString &typed)
{
    // An 80-character text stays as typed: a "/" more would not fit the record.
    QString dir = typed;
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')) && dir.size() != ConfigRecord::kDirLength)
        dir += QLatin1Char('/');
    return dir;
}

bool ProgramParameters::testDirectory(const QString &dir, const QString &fieldDefault)
{
    // A name the record would give back as another directory is refused
    // before anything is created.
    if (Result<void> kept = ConfigRecord::checkDir(dir, fieldDefault); !kept) {
        m_messages.warning(kept.error());
        return false;
    }
    return directoryTest(dir, m_messages);
}

ParametersOutcome ProgramParameters::confirm(const ParametersInput &input)
{
    const QString &home = m_record.homeDir;
    const QString outputDir = outputDirText(input.outputDir);
    if (!testDirectory(outputDir, ConfigRecord::defaultOutputDir(home)))
        return ParametersOutcome::OutputDirRejected;
    if (!testDirectory(input.databaseDir, home))
        return ParametersOutcome::DatabaseDirRejected;

    ConfigRecord changed = m_record;
    changed.outputDir = outputDir;
    changed.databaseDir = input.databaseDir;
    changed.autoCollect = switchByte(input.autoCollect);
    changed.usageHistory = switchByte(input.usageHistory);
    if (Result<void> written = writeConfig(changed); !written) {
        m_messages.error(written.error());
        return ParametersOutcome::WriteFailed;
    }
    m_record = changed;
    return ParametersOutcome::Saved;
}

} // namespace vardex
