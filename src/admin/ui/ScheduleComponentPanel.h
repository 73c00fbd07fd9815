#pragma once

#include "admin/AccessSchedule.h"

#include <QGroupBox>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace vardex {

class ScheduleChart;

// "Úprava složky rozvrhu": the time window of one component (start and end
// hour and minute counters shown as "Od" and "Do"), its seven days, its
// chart, "Přerušit" and "Použít". It only shows what the window loads and
// tells what the operator changed.
class ScheduleComponentPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit ScheduleComponentPanel(QWidget *parent = nullptr);

    // Shows `component`, the end counters bounded below by the start.
    void load(const ScheduleComponent &component, int endHourMinimum, int endMinuteMinimum);

    QSpinBox *startHour() const { return m_counters[0]; }
    QSpinBox *startMinute() const { return m_counters[1]; }
    QSpinBox *endHour() const { return m_counters[2]; }
    QSpinBox *endMinute() const { return m_counters[3]; }
    QLabel *fromText() const { return m_from; }
    QLabel *toText() const { return m_to; }
    QCheckBox *dayBox(int day) const { return m_days[size_t(day)]; }
    ScheduleChart *chart() const { return m_chart; }
    QPushButton *applyButton() const { return m_apply; }
    QPushButton *discardButton() const { return m_discard; }

Q_SIGNALS:
    void startChanged(int hour, int minute);
    void endChanged(int hour, int minute);
    void dayToggled(int day, bool on);
    void applied();
    void discarded();

private:
    std::array<QSpinBox *, 4> m_counters{};
    QLabel *m_from = nullptr;
    QLabel *m_to = nullptr;
    std::array<QCheckBox *, WeekDayCount> m_days{};
    ScheduleChart *m_chart = nullptr;
    QPushButton *m_apply = nullptr;
    QPushButton *m_discard = nullptr;
};

} // namespace vardex
