#include "events/ui/TFrmSel2T.h"

#include "accessdata/TDB0DM.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vardex {

namespace {

QSpinBox *counter(int maximum, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(0, maximum);
    return box;
}

} // namespace

TFrmSel2T::TFrmSel2T(TDB0DM &db, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_editor(db.interval)
{
    setWindowTitle(QStringLiteral("Určení intervalu času"));
    setObjectName(QStringLiteral("TFrmSel2T"));

    m_startHour = counter(23, this);
    m_startMinute = counter(59, this);
    m_endHour = counter(23, this);
    m_endMinute = counter(59, this);
    m_startText = new QLabel(this);
    m_endText = new QLabel(this);
    m_apply = new QPushButton(QStringLiteral("Použít"), this);
    m_apply->setDefault(true);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Od:"), this), 0, 0);
    grid->addWidget(m_startHour, 0, 1);
    grid->addWidget(m_startMinute, 0, 2);
    grid->addWidget(m_startText, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Do:"), this), 1, 0);
    grid->addWidget(m_endHour, 1, 1);
    grid->addWidget(m_endMinute, 1, 2);
    grid->addWidget(m_endText, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    const auto startChanged = [this] {
        m_editor.setStart(m_startHour->value(), m_startMinute->value());
        showTimes();
    };
    const auto endChanged = [this] {
        m_editor.setEnd(m_endHour->value(), m_endMinute->value());
        showTimes();
    };
    connect(m_startHour, &QSpinBox::valueChanged, this, startChanged);
    connect(m_startMinute, &QSpinBox::valueChanged, this, startChanged);
    connect(m_endHour, &QSpinBox::valueChanged, this, endChanged);
    connect(m_endMinute, &QSpinBox::valueChanged, this, endChanged);
    connect(m_apply, &QPushButton::clicked, this, [this] {
        m_editor.apply();
        accept();
    });
    showTimes();
}

void TFrmSel2T::showTimes()
{
    const std::pair<QSpinBox *, int> values[] = {{m_startHour, m_editor.startHour()},
                                                 {m_startMinute, m_editor.startMinute()},
                                                 {m_endHour, m_editor.endHour()},
                                                 {m_endMinute, m_editor.endMinute()}};
    for (const auto &[box, value] : values) {
        const QSignalBlocker quiet(box);
        box->setValue(value);
    }
    m_startText->setText(m_editor.startText());
    m_endText->setText(m_editor.endText());
}

} // namespace vardex
