#include "events/ui/TEVESPE.h"

#include "platform/OperatorMessages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vardex {

namespace {

QPushButton *hintedButton(const QString &text, const QString &hint, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    return button;
}

} // namespace

TEVESPE::TEVESPE(const QString &workDir, OperatorMessages &messages, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_utilities(workDir, messages), m_messages(messages)
{
    setWindowTitle(QStringLiteral("Speciální utility"));
    setObjectName(QStringLiteral("TEVESPE"));
    auto *group = new QGroupBox(QStringLiteral("Databáze událostí"), this);
    m_count = new QLabel(group);
    m_export = hintedButton(QStringLiteral("Export"),
                            QStringLiteral("Export do souboru UTIL_EVE.TXT"), group);
    m_new = hintedButton(QStringLiteral("Nová"), QStringLiteral("vymaže celou databázi "), group);
    m_import = hintedButton(QStringLiteral("Import"),
                            QStringLiteral("Import ze souboru UTIL_EVE.TXT"), group);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_export);
    buttons->addWidget(m_new);
    buttons->addWidget(m_import);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_count);
    groupLayout->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);

    connect(m_export, &QPushButton::clicked, this, [this] {
        m_utilities.exportEvents();
        refresh();
    });
    connect(m_new, &QPushButton::clicked, this, [this] {
        m_utilities.newDatabase();
        refresh();
    });
    connect(m_import, &QPushButton::clicked, this, [this] {
        m_utilities.importEvents();
        refresh();
    });
    refresh();
}

void TEVESPE::refresh()
{
    const Result<qint64> n = m_utilities.count();
    if (!n)
        m_messages.error(n.error());
    m_count->setText(n ? QStringLiteral("Počet událostí: %1").arg(*n) : QString());
    m_export->setEnabled(m_utilities.exportEnabled());
    m_new->setEnabled(m_utilities.exportEnabled());
    m_import->setEnabled(m_utilities.importEnabled());
}

} // namespace vardex
