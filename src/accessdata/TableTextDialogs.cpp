#include "accessdata/TableTextDialogs.h"

#include "platform/FileChooser.h"
#include "platform/OperatorMessages.h"

#include <QFileInfo>

namespace vardex {

namespace {

FileRequest textFileRequest(const QString &defaultName)
{
    FileRequest request;
    request.initialName = defaultName;
    request.defaultExtension = QStringLiteral("SDF");
    request.filter = QStringLiteral("Exportní soubor|*.SDF|Všechny soubory|*.*");
    request.promptOverwrite = true;
    return request;
}

} // namespace

bool exportTableWithDialog(Table &table, FileChooser &files, OperatorMessages &messages,
                           const QString &defaultName)
{
    const FileRequest request = textFileRequest(defaultName);
    const std::optional<QString> chosen = files.chooseSave(request);
    if (!chosen)
        return false;
    const FileWritten written =
        exportTableText(table, withDefaultExtension(*chosen, request.defaultExtension));
    if (!written.ok) {
        messages.error(written.error);
        return false;
    }
    return true;
}

TextImportResult importTableWithDialog(Table &table, FileChooser &files, OperatorMessages &messages,
                                       const QString &defaultName)
{
    const FileRequest request = textFileRequest(defaultName);
    const std::optional<QString> chosen = files.chooseOpen(request);
    if (!chosen)
        return {};
    // A name typed without its extension finds the file that has it.
    QString path = *chosen;
    if (!QFileInfo::exists(path))
        path = withDefaultExtension(path, request.defaultExtension);
    const bool emptyFirst = messages.askYesNo(QStringLiteral("Smazat stará data?")) == Answer::Yes;
    TextImportHandlers handlers;
    handlers.badLine = [&messages](int, const QString &line) {
        return messages.askYesNo(QStringLiteral("Chybná data: ") + line +
                                 QStringLiteral("\n Pokračovat?")) == Answer::Yes;
    };
    handlers.refused = [&messages](int, const QString &message) { messages.error(message); };
    TextImportResult result = importTableText(table, path, emptyFirst, handlers);
    // Ending the import after the old data were deleted puts them back: the
    // operator is told so, as the outcome of a choice, not as a fault.
    if (!result.ok && result.stopped)
        messages.information(result.error);
    else if (!result.ok)
        messages.error(result.error);
    return result;
}

} // namespace vardex
