#include "attendance/ui/TTABROZ.h"

#include "attendance/ui/ShiftBars.h"
#include "platform/ui/PlainButtons.h"
#include "timecal/HourMinute.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vardex {

TTABROZ::TTABROZ(const PlannedMonth &month, const QString &title, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(title);
    setObjectName(QStringLiteral("TTABROZ"));
    const int days = DaysInMonth(month.plan.year, month.plan.month);
    m_grid = new QTableWidget(days, 4, this);
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Norma"),
                                       QStringLiteral("Noc"),
                                       QStringLiteral("0         6        12       18       24")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setItemDelegateForColumn(3, new ShiftBarDelegate(m_grid));
    m_grid->verticalHeader()->hide();
    for (int d = 1; d <= days; ++d) {
        const Date date{month.plan.year, month.plan.month, d};
        const DayShift &day = month.plan.days[size_t(d)];
        const QString texts[] = {
            FormatDate(date) + QLatin1Char(' ') + DayName(WeekdayFromMonday(date)),
            FormatHourMinute(month.required[size_t(d)]),
            day.crosses() ? QStringLiteral("A") : QString(), shiftBarText(day)};
        for (int c = 0; c < 4; ++c)
            m_grid->setItem(d - 1, c, new QTableWidgetItem(texts[c]));
    }
    m_grid->resizeColumnsToContents();
    m_grid->setColumnWidth(3, ShiftBarWidth + 8);
    auto *close = new QPushButton(QStringLiteral("Zpět"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(520, 640);
    makeButtonsPlain(this);
}

void TTABROZ::showMonthPlan(const PlannedMonth &month, const QString &title, QWidget *parent)
{
    TTABROZ view(month, title, parent);
    view.exec();
}

} // namespace vardex
