#include "admin/ui/PermissionChoosers.h"

#include "admin/ui/ScheduleChart.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vardex {

UnitChooserPanel::UnitChooserPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Vyberte jednotku"), parent)
{
    m_list = new QListWidget(this);
    m_close = new QPushButton(QStringLiteral("Zavřít"), this);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit picked(item->text()); });
    connect(m_close, &QPushButton::clicked, this, &UnitChooserPanel::closed);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_close, 0, Qt::AlignRight);
}

void UnitChooserPanel::load(const QStringList &units)
{
    m_list->clear();
    m_list->addItems(units);
}

ScheduleChooserPanel::ScheduleChooserPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Vyberte rozvrh"), parent)
{
    m_list = new QListWidget(this);
    m_chart = new ScheduleChart(false, this);
    m_confirm = new QPushButton(QStringLiteral("Potvrdit"), this);
    m_close = new QPushButton(QStringLiteral("Zavřít"), this);
    connect(m_list, &QListWidget::currentTextChanged, this,
            &ScheduleChooserPanel::selectionChanged);
    connect(m_confirm, &QPushButton::clicked, this, &ScheduleChooserPanel::confirmed);
    connect(m_close, &QPushButton::clicked, this, &ScheduleChooserPanel::closed);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_confirm);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_chart);
    layout->addLayout(buttons);
}

void ScheduleChooserPanel::load(const QStringList &names, const QString &current)
{
    m_list->clear();
    m_list->addItems(names);
    const qsizetype at = current.isEmpty() ? -1 : names.indexOf(current);
    m_list->setCurrentRow(int(at));
    if (at < 0)
        m_list->clearSelection();
    emit selectionChanged(selected());
}

QString ScheduleChooserPanel::selected() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

} // namespace vardex
