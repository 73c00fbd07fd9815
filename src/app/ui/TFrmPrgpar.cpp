#include "app/ui/TFrmPrgpar.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vardex {

namespace {

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

QCheckBox *unusedSwitch(const QString &caption, char byte, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setChecked(byte == 'A');
    box->setEnabled(false);
    setHint(box, QStringLiteral("nepoužívá se"));
    return box;
}

} // namespace

TFrmPrgpar::TFrmPrgpar(ConfigRecord &record, OperatorMessages &messages, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_parameters(record, messages)
{
    setWindowTitle(QStringLiteral("Parametry programu"));

    m_home = new QLabel(record.homeDir, this);
    QFont bold = m_home->font();
    bold.setBold(true);
    m_home->setFont(bold);
    m_home->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The record holds 80 characters; a default under a deeper home is shown
    // whole, never cut into another directory.
    m_output = new QLineEdit(record.outputDir, this);
    m_output->setMaxLength(qMax(ConfigRecord::kDirLength, int(record.outputDir.size())));
    m_output->setMinimumWidth(m_output->fontMetrics().averageCharWidth() * 50);
    setHint(m_output, QStringLiteral("adresář pro ukládání výstupů"));

    m_database = new QLineEdit(record.databaseDir, this);
    m_database->setMaxLength(qMax(ConfigRecord::kDirLength, int(record.databaseDir.size())));
    setHint(m_database, QStringLiteral("adresář s databázemi"));

    m_autoCollect = unusedSwitch(QStringLiteral("Automatický sběr dat"), record.autoCollect, this);
    m_usageHistory =
        unusedSwitch(QStringLiteral("Zápis historie používání"), record.usageHistory, this);

    m_confirm = new QPushButton(QStringLiteral("OK"), this);
    m_confirm->setDefault(true);
    setHint(m_confirm, QStringLiteral("souhlas s nastavením"));
    connect(m_confirm, &QPushButton::clicked, this, &TFrmPrgpar::confirm);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Výstupy"), m_output);
    fields->addRow(QStringLiteral("Databáze"), m_database);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_confirm);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_home);
    layout->addLayout(fields);
    layout->addWidget(m_autoCollect);
    layout->addWidget(m_usageHistory);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFrmPrgpar::confirm()
{
    ParametersInput input;
    input.outputDir = m_output->text();
    input.databaseDir = m_database->text();
    input.autoCollect = m_autoCollect->isChecked();
    input.usageHistory = m_usageHistory->isChecked();
    switch (m_parameters.confirm(input)) {
    case ParametersOutcome::Saved:
        accept();
        break;
    case ParametersOutcome::OutputDirRejected:
        m_output->setText(m_parameters.record().outputDir);
        m_output->setFocus();
        break;
    case ParametersOutcome::DatabaseDirRejected:
        m_database->setText(m_parameters.record().databaseDir);
        m_database->setFocus();
        break;
    case ParametersOutcome::WriteFailed:
        break;
    }
}

} // namespace vardex
