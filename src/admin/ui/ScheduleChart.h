#pragma once

#include "admin/AccessSchedule.h"

#include <QWidget>

namespace vardex {

// The week chart of an access time schedule: one row per day from Monday
// to Sunday over the hours 0 to 24, one unit per 10 minutes; white rows in
// a black frame, blue bars. With day names it is the window's large chart,
// without them the small chart of a component or a chosen schedule.
class ScheduleChart : public QWidget
{
    Q_OBJECT
public:
    explicit ScheduleChart(bool dayNames, QWidget *parent = nullptr);

    void setBars(const QList<ChartBar> &bars);
    const QList<ChartBar> &bars() const { return m_bars; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int labelWidth() const;

    bool m_dayNames;
    QList<ChartBar> m_bars;
};

} // namespace vardex
