#include "platform/ui/FileDialogs.h"

#include <QDir>
#include <QFileDialog>

namespace vardex {

namespace {

std::optional<QString> run(QWidget *parent, const FileRequest &request, bool save)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptOverwrite);
    dialog.setDefaultSuffix(request.defaultExtension);
    QStringList filters;
    for (const FileFilterEntry &f : parseFileFilter(request.filter))
        filters << QStringLiteral("%1 (%2)").arg(f.description, f.pattern);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    dialog.setDirectory(request.initialDir.isEmpty() ? QDir::currentPath() : request.initialDir);
    if (!request.initialName.isEmpty())
        dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> FileDialogs::chooseOpen(const FileRequest &request)
{
    return run(m_parent, request, false);
}

std::optional<QString> FileDialogs::chooseSave(const FileRequest &request)
{
    return run(m_parent, request, true);
}

} // namespace vardex
