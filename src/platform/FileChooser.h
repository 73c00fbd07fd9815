#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace vardex {

// One file dialog as the program asks for it. `filter` is written as pairs of
// description and pattern separated by "|", e.g.
// "Exportní soubor|*.SDF|Všechny soubory|*.*".
struct FileRequest
{
    QString title;
    QString initialName;
    QString defaultExtension; // without the dot, e.g. "SDF"
    QString filter;
    QString initialDir;
    bool promptOverwrite = true; // save only: ask before replacing a file
};

// The seam for choosing a file to open or to save. An empty result means the
// operator cancelled.
class FileChooser
{
public:
    virtual ~FileChooser() = default;

    virtual std::optional<QString> chooseOpen(const FileRequest &request) = 0;
    virtual std::optional<QString> chooseSave(const FileRequest &request) = 0;
};

// The "description|pattern|..." filter as (description, pattern) pairs; a
// dangling description without a pattern is dropped.
struct FileFilterEntry
{
    QString description;
    QString pattern;
};
QList<FileFilterEntry> parseFileFilter(const QString &filter);

// The file name with the default extension added when the name has none.
QString withDefaultExtension(const QString &fileName, const QString &defaultExtension);

} // namespace vardex
