#include "attendance/ui/TLADUDA.h"

#include "attendance/WorkFileListing.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vardex {

TLADUDA::TLADUDA(const QString &workFile, const QString &key, OperatorMessages &messages,
                 QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Vybrané události"));
    setObjectName(QStringLiteral("TLADUDA"));
    m_list = new QListWidget(this);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *close = new QPushButton(QStringLiteral("Hotovo"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(520, 480);
    makeButtonsPlain(this);

    const Result<QStringList> lines = workFileListing(workFile, key);
    if (lines)
        m_list->addItems(*lines);
    else
        messages.error(lines.error());
}

} // namespace vardex
