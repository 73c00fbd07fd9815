#include "app/ProgramParameters.h"

#include "app/ConfigFile.h"
#include "platform/OperatorMessages.h"
#include "text/Cp1250.h"

namespace vardex {

namespace {

char switchByte(bool on)
{
    return on ? 'A' : 'N';
}

// The record keeps directory texts in cp1250; a name with a letter the code
// page lacks would come back from the file as another directory.
bool fitsTheRecord(const QString &dir)
{
    const EncodedText bytes = toCp1250(dir);
    return bytes.ok && fromCp1250(bytes.bytes).text == dir;
}

} // namespace

QString ProgramParameters::outputDirText(const QString &typed)
{
    QString dir = ConfigRecord::cutDir(typed);
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')) && dir.size() < ConfigRecord::kDirLength)
        dir += QLatin1Char('/');
    return dir;
}

bool ProgramParameters::testDirectory(const QString &dir)
{
    if (!fitsTheRecord(dir)) {
        m_messages.warning(QStringLiteral("Nemohu vytvořit adresář \r\n") + dir);
        return false;
    }
    return directoryTest(dir, m_messages);
}

ParametersOutcome ProgramParameters::confirm(const ParametersInput &input)
{
    // The directories are tested as they will be stored, so the directory
    // that gets created is the one the record names.
    const QString outputDir = outputDirText(input.outputDir);
    if (!testDirectory(outputDir))
        return ParametersOutcome::OutputDirRejected;
    const QString databaseDir = ConfigRecord::cutDir(input.databaseDir);
    if (!testDirectory(databaseDir))
        return ParametersOutcome::DatabaseDirRejected;

    ConfigRecord changed = m_record;
    changed.outputDir = outputDir;
    changed.databaseDir = databaseDir;
    changed.autoCollect = switchByte(input.autoCollect);
    changed.usageHistory = switchByte(input.usageHistory);
    const QString error = writeConfig(changed);
    if (!error.isEmpty()) {
        m_messages.error(error);
        return ParametersOutcome::WriteFailed;
    }
    m_record = changed;
    return ParametersOutcome::Saved;
}

} // namespace vardex
