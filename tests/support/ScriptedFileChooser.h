#pragma once

#include "platform/FileChooser.h"

#include <QList>

namespace vardex::testing {

// A file seam for tests: say the chosen paths in advance (std::nullopt for a
// cancelled dialog) and read back the requests that were made. A dialog
// without a scripted choice fails the test and counts as cancelled.
class ScriptedFileChooser final : public FileChooser
{
public:
    ~ScriptedFileChooser() override;

    ScriptedFileChooser &choose(std::optional<QString> path)
    {
        m_choices.append(std::move(path));
        return *this;
    }

    const QList<FileRequest> &openRequests() const { return m_open; }
    const QList<FileRequest> &saveRequests() const { return m_save; }

    std::optional<QString> chooseOpen(const FileRequest &request) override;
    std::optional<QString> chooseSave(const FileRequest &request) override;

private:
    std::optional<QString> next(const FileRequest &request);

    QList<std::optional<QString>> m_choices;
    QList<FileRequest> m_open;
    QList<FileRequest> m_save;
};

} // namespace vardex::testing
