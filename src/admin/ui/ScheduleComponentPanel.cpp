#include "admin/ui/ScheduleComponentPanel.h"

#include "admin/ui/ScheduleChart.h"
#include "timecal/HourMinute.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vardex {

namespace {

const char *const kDayNames[WeekDayCount] = {"Pondělí", "Úterý",  "Středa", "Čtvrtek",
                                             "Pátek",   "Sobota", "Neděle"};

} // namespace

ScheduleComponentPanel::ScheduleComponentPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Úprava složky rozvrhu"), parent)
{
    auto *window = new QGroupBox(QStringLiteral("Časové okno"), this);
    auto *grid = new QGridLayout(window);
    m_from = new QLabel(window);
    m_to = new QLabel(window);
    grid->addWidget(new QLabel(QStringLiteral("Od"), window), 0, 0);
    grid->addWidget(m_from, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Do"), window), 1, 0);
    grid->addWidget(m_to, 1, 1);
    for (int i = 0; i < 4; ++i) {
        auto *box = new QSpinBox(window);
        box->setRange(0, i % 2 == 0 ? 23 : 59);
        box->setWrapping(false);
        grid->addWidget(box, i / 2, 2 + i % 2);
        m_counters[size_t(i)] = box;
    }
    auto start = [this] { emit startChanged(startHour()->value(), startMinute()->value()); };
    auto end = [this] { emit endChanged(endHour()->value(), endMinute()->value()); };
    connect(startHour(), &QSpinBox::valueChanged, this, start);
    connect(startMinute(), &QSpinBox::valueChanged, this, start);
    connect(endHour(), &QSpinBox::valueChanged, this, end);
    connect(endMinute(), &QSpinBox::valueChanged, this, end);

    auto *days = new QVBoxLayout;
    for (int d = 0; d < WeekDayCount; ++d) {
        auto *box = new QCheckBox(QString::fromUtf8(kDayNames[d]), this);
        box->setToolTip(QStringLiteral("platí pro"));
        connect(box, &QCheckBox::toggled, this, [this, d](bool on) { emit dayToggled(d, on); });
        days->addWidget(box);
        m_days[size_t(d)] = box;
    }
    m_chart = new ScheduleChart(false, this);
    m_discard = new QPushButton(QStringLiteral("Přerušit"), this);
    m_apply = new QPushButton(QStringLiteral("Použít"), this);
    connect(m_discard, &QPushButton::clicked, this, &ScheduleComponentPanel::discarded);
    connect(m_apply, &QPushButton::clicked, this, &ScheduleComponentPanel::applied);

    auto *top = new QHBoxLayout;
    top->addWidget(window);
    top->addLayout(days);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_discard);
    buttons->addWidget(m_apply);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_chart);
    layout->addLayout(buttons);
}

void ScheduleComponentPanel::load(const ScheduleComponent &c, int endHourMinimum,
                                  int endMinuteMinimum)
{
    const QSignalBlocker blocks[] = {QSignalBlocker(startHour()), QSignalBlocker(startMinute()),
                                     QSignalBlocker(endHour()), QSignalBlocker(endMinute())};
    startHour()->setValue(HourOf(c.start));
    startMinute()->setValue(MinuteOf(c.start));
    endHour()->setMinimum(endHourMinimum);
    endHour()->setValue(HourOf(c.end));
    endMinute()->setMinimum(endMinuteMinimum);
    endMinute()->setValue(MinuteOf(c.end));
    m_from->setText(scheduleTimeText(c.start));
    m_to->setText(scheduleTimeText(c.end));
    const std::array<bool, WeekDayCount> flags = dayFlags(c.days);
    for (int d = 0; d < WeekDayCount; ++d) {
        const QSignalBlocker block(m_days[size_t(d)]);
        m_days[size_t(d)]->setChecked(flags[size_t(d)]);
    }
    m_chart->setBars(chartBars(c));
}

} // namespace vardex
