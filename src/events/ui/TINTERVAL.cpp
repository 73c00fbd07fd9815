#include "events/ui/TINTERVAL.h"

#include "timecal/Calendar.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include <algorithm>

namespace vardex {

namespace {

QString dateText(const QDate &day)
{
    return FormatDate(day.year(), day.month(), day.day());
}

QString daysText(int n)
{
    if (n == 1)
        return QStringLiteral("1 den");
    return QStringLiteral("%1 %2").arg(n).arg(n <= 4 ? QStringLiteral("dny")
                                                     : QStringLiteral("dní"));
}

QPushButton *hintedButton(const QString &text, const QString &hint, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    return button;
}

} // namespace

TINTERVAL::TINTERVAL(const DatePeriodRequest &request, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_picker(request)
{
    setWindowTitle(m_picker.singleDay() ? QStringLiteral("Určení doby")
                                        : QStringLiteral("Určení období"));
    setObjectName(QStringLiteral("TINTERVAL"));

    m_calendar = new QCalendarWidget(this);
    m_calendar->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    const QString hint =
        m_picker.singleDay()
            ? QStringLiteral("Klepnutím zvolte den")
            : QStringLiteral("Klepnutím zvolte první den období, dalším klepnutím nebo "
                             "Shift+klepnutím poslední den (z klávesnice Shift+šipky); "
                             "období má nejvýše %1")
                  .arg(daysText(m_picker.maxDays()));
    m_calendar->setToolTip(hint);
    m_calendar->setStatusTip(hint);
    // The days' grid: its clicks and keys tell whether Shift was held.
    if (auto *view = m_calendar->findChild<QTableView *>()) {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }

    m_firstText = new QLabel(this);
    m_lastText = new QLabel(this);
    m_cancel = hintedButton(QStringLiteral("Přerušit"), QStringLiteral("beze změn"), this);
    m_done = hintedButton(QStringLiteral("Hotovo"), QStringLiteral("použít podle nastavení"), this);
    m_cancel->setAutoDefault(false);
    m_done->setDefault(true);

    auto *days = new QGridLayout;
    days->addWidget(new QLabel(QStringLiteral("Od:"), this), 0, 0);
    days->addWidget(m_firstText, 0, 1);
    days->addWidget(new QLabel(QStringLiteral("Do:"), this), 1, 0);
    days->addWidget(m_lastText, 1, 1);
    days->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_done);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addLayout(days);
    layout->addLayout(buttons);

    connect(m_calendar, &QCalendarWidget::clicked, this, &TINTERVAL::clicked);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &TINTERVAL::selectionChanged);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_done, &QPushButton::clicked, this, &QDialog::accept);
    showPeriod(period().first);
}

std::optional<DatePeriod> TINTERVAL::choose(const DatePeriodRequest &request, QWidget *parent)
{
    TINTERVAL dialog(request, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.period();
}

bool TINTERVAL::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
        m_modifiers = static_cast<QInputEvent *>(event)->modifiers();
        m_byKey = event->type() == QEvent::KeyPress;
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TINTERVAL::clicked(const QDate &day)
{
    m_picker.click(day, m_modifiers & Qt::ShiftModifier);
    showPeriod(day);
}

void TINTERVAL::selectionChanged()
{
    // A click is taken when it ends (clicked); here only the keyboard's moves.
    if (!m_byKey)
        return;
    m_byKey = false;
    const QDate day = m_calendar->selectedDate();
    m_picker.move(day, m_modifiers & Qt::ShiftModifier);
    showPeriod(day);
}

void TINTERVAL::showPeriod(const QDate &day)
{
    const DatePeriod &p = period();
    m_firstText->setText(dateText(p.first));
    m_lastText->setText(dateText(p.last));

    // The period's days stand out; a day beyond the longest period is not selected.
    for (QDate d = m_marked.first; d.isValid() && d <= m_marked.last; d = d.addDays(1))
        m_calendar->setDateTextFormat(d, QTextCharFormat());
    QTextCharFormat marked;
    QColor background = palette().color(QPalette::Highlight);
    background.setAlpha(80);
    marked.setBackground(background);
    for (QDate d = p.first; d <= p.last; d = d.addDays(1))
        m_calendar->setDateTextFormat(d, marked);
    m_marked = p;
    const QSignalBlocker quiet(m_calendar);
    m_calendar->setSelectedDate(std::clamp(day, p.first, p.last));
}

} // namespace vardex
