#include "admin/ui/ScheduleChart.h"

#include <QPainter>

namespace vardex {

namespace {

constexpr int kRowHeight = 14;
constexpr int kSmallRowHeight = 6;
const char *const kDayNames[WeekDayCount] = {"Pondělí", "Úterý",  "Středa", "Čtvrtek",
                                             "Pátek",   "Sobota", "Neděle"};

} // namespace

ScheduleChart::ScheduleChart(bool dayNames, QWidget *parent) : QWidget(parent), m_dayNames(dayNames)
{
    setToolTip(QStringLiteral("graf časového rozvrhu"));
    setMinimumSize(sizeHint());
}

void ScheduleChart::setBars(const QList<ChartBar> &bars)
{
    m_bars = bars;
    update();
}

int ScheduleChart::labelWidth() const
{
    if (!m_dayNames)
        return 0;
    int width = 0;
    for (const char *name : kDayNames)
        width = qMax(width, fontMetrics().horizontalAdvance(QString::fromUtf8(name)));
    return width + 6;
}

QSize ScheduleChart::sizeHint() const
{
    const int row = m_dayNames ? qMax(kRowHeight, fontMetrics().height()) : kSmallRowHeight;
    return {labelWidth() + 2 * ChartUnitsPerDay + 4, WeekDayCount * (row + 2) + 2};
}

void ScheduleChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int left = labelWidth();
    const double unit = double(width() - left - 2) / ChartUnitsPerDay;
    const double rowStep = double(height() - 1) / WeekDayCount;
    const double rowHeight = rowStep - 2;
    for (int d = 0; d < WeekDayCount; ++d) {
        const QRectF row(left, d * rowStep + 1, ChartUnitsPerDay * unit, rowHeight);
        if (m_dayNames)
            p.drawText(QRectF(0, row.top(), left, row.height()), Qt::AlignVCenter,
                       QString::fromUtf8(kDayNames[d]));
        p.fillRect(row, Qt::white);
        p.setPen(Qt::black);
        p.drawRect(row);
    }
    for (const ChartBar &b : m_bars)
        p.fillRect(QRectF(left + (b.from - 1) * unit, b.day * rowStep + 2, (b.to - b.from) * unit,
                          rowHeight - 2),
                   Qt::blue);
}

} // namespace vardex
