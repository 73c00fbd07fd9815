#include "events/ui/TFrmFEx.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace vardex {

namespace {

// The dialog's results beside Rejected (0), which is Cancel.
constexpr int OverwriteResult = 1;
constexpr int AppendResult = 2;

} // namespace

TFrmFEx::TFrmFEx(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Soubor VYSTUP.TXT existuje!"));
    setObjectName(QStringLiteral("TFrmFEx"));
    m_overwrite = new QPushButton(QStringLiteral("Přepsat"), this);
    m_append = new QPushButton(QStringLiteral("Doplnit"), this);
    m_cancel = new QPushButton(QStringLiteral("Zrušit"), this);
    // Enter must not replace a file by accident.
    m_cancel->setDefault(true);
    connect(m_overwrite, &QPushButton::clicked, this, [this] { done(OverwriteResult); });
    connect(m_append, &QPushButton::clicked, this, [this] { done(AppendResult); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_overwrite);
    layout->addWidget(m_append);
    layout->addWidget(m_cancel);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

ExistingFileChoice TFrmFEx::ask(QWidget *parent)
{
    TFrmFEx dialog(parent);
    dialog.exec();
    return dialog.choice();
}

ExistingFileChoice TFrmFEx::choice() const
{
    switch (result()) {
    case OverwriteResult:
        return ExistingFileChoice::Overwrite;
    case AppendResult:
        return ExistingFileChoice::Append;
    default:
        return ExistingFileChoice::Cancel;
    }
}

} // namespace vardex
