#include "unitops/ui/TFrmStaHwj.h"

#include "unitops/UnitStateTexts.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vardex {

TFrmStaHwj::TFrmStaHwj(QByteArrayView stateBuffer, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Stav jednotky"));
    setObjectName(QStringLiteral("TFrmStaHwj"));
    setModal(true);
    const UnitStateTexts state = describeUnitState(stateBuffer);

    auto *form = new QFormLayout;
    for (const UnitStateTexts::Field &field : state.fields) {
        auto *edit = new QLineEdit(field.value, this);
        edit->setReadOnly(true);
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(36, u'0')));
        form->addRow(field.label, edit);
        m_fields.append(edit);
    }
    m_waiting = new QLabel(state.waitingEvents, this);
    m_waiting->setVisible(!state.waitingEvents.isEmpty());
    m_overflow = new QLabel(memoryOverflowText(), this);
    m_overflow->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    m_overflow->setVisible(state.memoryOverflow);

    m_parameters = new QGroupBox(QStringLiteral("Parametry jednotky"), this);
    m_parameterLines = new QPlainTextEdit(state.channelLines.join(QLatin1Char('\n')), m_parameters);
    m_parameterLines->setReadOnly(true);
    m_parameterLines->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_parameterLines->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_parameterLines->setFixedHeight(m_parameterLines->fontMetrics().lineSpacing() * 5 + 12);
    auto *parametersLayout = new QVBoxLayout(m_parameters);
    parametersLayout->addWidget(m_parameterLines);
    m_parameters->setVisible(!state.channelLines.isEmpty());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_waiting);
    layout->addWidget(m_overflow);
    layout->addWidget(m_parameters);
    layout->addWidget(buttons);
}

} // namespace vardex
