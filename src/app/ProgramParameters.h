#pragma once

#include "app/ConfigRecord.h"

#include <QString>

namespace vardex {

class OperatorMessages;

// What the parameters window typed and ticked when the operator confirmed.
struct ParametersInput
{
    QString outputDir;
    QString databaseDir;
    bool autoCollect = false;
    bool usageHistory = false;
};

// How a confirm ended, and so what the window does next.
enum class ParametersOutcome {
    Saved,               // record stored and written: close the window
    OutputDirRejected,   // put the stored output directory back, stay open
    DatabaseDirRejected, // put the stored database directory back, stay open
    WriteFailed,         // the error was shown, nothing changed: stay open
};

// The logic of the "Parametry programu" window: the directories are tested
// (and created) one after the other, then the record is stored and written
// into its home directory. A directory the record cannot give back as itself
// (a letter outside cp1250, more than 80 characters) is refused with the
// reason, as one that cannot be created is. The record in memory changes only when the
// file has been written, so a window left with its close box after a failed
// write has stored nothing.
class ProgramParameters
{
public:
    ProgramParameters(ConfigRecord &record, OperatorMessages &messages)
        : m_record(record), m_messages(messages)
    {
    }

    const ConfigRecord &record() const { return m_record; }

    ParametersOutcome confirm(const ParametersInput &input);

    // The output directory as it is kept: ending with "/" since file names
    // are appended to it, unless the record has no room left for it.
    static QString outputDirText(const QString &typed);

private:
    bool testDirectory(const QString &dir, const QString &fieldDefault);

    ConfigRecord &m_record;
    OperatorMessages &m_messages;
};

} // namespace vardex
