#include "app/SystemLog.h"

#include "platform/FileChooser.h"
#include "platform/OperatorMessages.h"
#include "text/LineFile.h"

namespace vardex {

void SystemLog::WriteLog(const QString &line)
{
    m_lines.append(line);
    Q_EMIT changed();
}

void SystemLog::clear()
{
    m_lines.clear();
    Q_EMIT changed();
}

bool SystemLog::save(FileChooser &files, OperatorMessages &messages)
{
    FileRequest request;
    request.title = QStringLiteral("Určete jméno");
    request.initialName = QStringLiteral("protokol.txt");
    request.defaultExtension = QStringLiteral("TXT");
    request.filter = QStringLiteral("Textové soubory|*.TXT");
    request.promptOverwrite = true;
    const auto path = files.chooseSave(request);
    if (!path)
        return false;
    const FileWritten written =
        writeLineFile(withDefaultExtension(*path, request.defaultExtension), m_lines);
    if (!written.ok) {
        messages.error(written.error);
        return false;
    }
    return true;
}

} // namespace vardex
