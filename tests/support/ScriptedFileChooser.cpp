#include "ScriptedFileChooser.h"

#include <gtest/gtest.h>

namespace vardex::testing {

ScriptedFileChooser::~ScriptedFileChooser()
{
    EXPECT_TRUE(m_choices.isEmpty()) << m_choices.size() << " scripted file choice(s) never used";
}

std::optional<QString> ScriptedFileChooser::next(const FileRequest &request)
{
    if (m_choices.isEmpty()) {
        ADD_FAILURE() << "unexpected file dialog: " << request.title.toStdString();
        return std::nullopt;
    }
    return m_choices.takeFirst();
}

std::optional<QString> ScriptedFileChooser::chooseOpen(const FileRequest &request)
{
    m_open.append(request);
    return next(request);
}

std::optional<QString> ScriptedFileChooser::chooseSave(const FileRequest &request)
{
    m_save.append(request);
    return next(request);
}

} // namespace vardex::testing
