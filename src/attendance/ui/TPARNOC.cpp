#include "attendance/ui/TPARNOC.h"

#include "attendance/TVXDM.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vardex {

namespace {

QLineEdit *toleranceField(quint16 &value, QWidget *parent)
{
    auto *field = new QLineEdit(FormatHourMinute(value), parent);
    field->setMaxLength(5);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00:000")) + 12);
    QObject::connect(field, &QLineEdit::textChanged, parent, [&value](const QString &text) {
        const quint16 parsed = ParseHourMinute(text);
        if (parsed != InvalidHourMinute)
            value = parsed;
    });
    return field;
}

} // namespace

TPARNOC::TPARNOC(TVXDM &vx, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Tolerance noční směny"));
    setObjectName(QStringLiteral("TPARNOC"));
    m_arrive = toleranceField(vx.nightArriveTolerance, this);
    m_leave = toleranceField(vx.nightLeaveTolerance, this);
    auto *done = new QPushButton(QStringLiteral("Hotovo"), this);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Lze přijít dříve o:"), m_arrive);
    form->addRow(QStringLiteral("Lze odejít později o: "), m_leave);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(done);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Platí jen pro tento běh programu!"), this));
    layout->addLayout(buttons);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace vardex
