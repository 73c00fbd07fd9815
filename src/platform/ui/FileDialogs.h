#pragma once

#include "platform/FileChooser.h"

class QWidget;

namespace vardex {

// File choices through Qt's file dialogs.
class FileDialogs final : public FileChooser
{
public:
    explicit FileDialogs(QWidget *parent = nullptr) : m_parent(parent) {}

    std::optional<QString> chooseOpen(const FileRequest &request) override;
    std::optional<QString> chooseSave(const FileRequest &request) override;

private:
    QWidget *m_parent;
};

} // namespace vardex
