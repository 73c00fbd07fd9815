#include "events/ReportSave.h"

#include "events/ReportFile.h"

#include <QDir>
#include <QFileInfo>

namespace vardex {

namespace {

// Puts the current directory back when the save ends, whichever way.
class CurrentDirKeeper
{
public:
    CurrentDirKeeper() : m_dir(QDir::currentPath()) {}
    ~CurrentDirKeeper() { QDir::setCurrent(m_dir); }
    CurrentDirKeeper(const CurrentDirKeeper &) = delete;
    CurrentDirKeeper &operator=(const CurrentDirKeeper &) = delete;

private:
    QString m_dir;
};

} // namespace

FileRequest reportSaveRequest(const QString &outputDir)
{
    FileRequest request;
    request.title = QStringLiteral("Určete soubor");
    request.initialName = QStringLiteral("VYSTUP.TXT");
    request.defaultExtension = QStringLiteral("TXT");
    request.filter = QStringLiteral("Textové soubory|*.TXT|Všechny soubory|*.*");
    request.initialDir = outputDir;
    // The output window asks its own question: overwrite, append or cancel.
    request.promptOverwrite = false;
    return request;
}

Result<ReportSaveEnd> saveReportAs(const QString &outputDir, const QStringList &lines,
                                   FileChooser &files,
                                   const std::function<ExistingFileChoice()> &askExisting)
{
    const CurrentDirKeeper keeper;
    const FileRequest request = reportSaveRequest(outputDir);
    const std::optional<QString> chosen = files.chooseSave(request);
    if (!chosen)
        return ReportSaveEnd::NotChosen;
    const QString path = withDefaultExtension(*chosen, request.defaultExtension);
    SaveMode mode = SaveMode::Overwrite;
    if (QFileInfo::exists(path)) {
        switch (askExisting ? askExisting() : ExistingFileChoice::Cancel) {
        case ExistingFileChoice::Overwrite:
            break;
        case ExistingFileChoice::Append:
            mode = SaveMode::Append;
            break;
        case ExistingFileChoice::Cancel:
            return ReportSaveEnd::KeptOpen;
        }
    }
    if (Result<void> saved = saveReportText(path, lines, mode); !saved)
        return saved.failure();
    return ReportSaveEnd::Saved;
}

} // namespace vardex
