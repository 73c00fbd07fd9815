#pragma once

#include "platform/FileChooser.h"

#include <QList>
#include <gtest/gtest.h>

namespace vardex::testing {

// A file seam for tests: say the chosen paths in advance (std::nullopt for a
// cancelled dialog) and read back the requests that were made. A dialog
// without a scripted choice fails the test and counts as cancelled.
class ScriptedFileChooser final : public FileChooser
{
public:
    ~ScriptedFileChooser() override
    {
        EXPECT_TRUE(m_choices.isEmpty()) << m_choices.size() << " scripted file choice(s) unused";
    }

    ScriptedFileChooser &choose(std::optional<QString> path)
    {
        m_choices.append(std::move(path));
        return *this;
    }

    const QList<FileRequest> &openRequests() const { return m_open; }
    const QList<FileRequest> &saveRequests() const { return m_save; }

    std::optional<QString> chooseOpen(const FileRequest &r) override { return next(m_open, r); }
    std::optional<QString> chooseSave(const FileRequest &r) override { return next(m_save, r); }

private:
    std::optional<QString> next(QList<FileRequest> &requests, const FileRequest &request)
    {
        requests.append(request);
        if (m_choices.isEmpty()) {
            ADD_FAILURE() << "unexpected file dialog: " << request.title.toStdString();
            return std::nullopt;
        }
        return m_choices.takeFirst();
    }

    QList<std::optional<QString>> m_choices;
    QList<FileRequest> m_open;
    QList<FileRequest> m_save;
};

} // namespace vardex::testing
