#include "attendance/ui/TDBSVAT.h"

#include "admin/PendingEdit.h"
#include "admin/ui/FieldColumnWidths.h"
#include "admin/ui/GridCursor.h"
#include "admin/ui/RecordNavigator.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"
#include "tables/TableGridModel.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

namespace vardex {

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

QList<GridColumn> holidayColumns()
{
    return {
        {QStringLiteral("Datum"), QStringLiteral("Datum"), false,
         [](const QVariant &v) { return v.toDateTime().date().toString(kDateFormat); }},
        {QStringLiteral("Rem"), QStringLiteral("Poznámka"), false, {}},
    };
}

// The date typed through the mask "00.00.0000"; a text that is no date
// leaves the field as it was.
class DateDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override
    {
        auto *edit = new QLineEdit(parent);
        edit->setInputMask(QStringLiteral("00.00.0000"));
        return edit;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        static_cast<QLineEdit *>(editor)->setText(index.data().toString());
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        const QDate date = QDate::fromString(static_cast<QLineEdit *>(editor)->text(), kDateFormat);
        if (date.isValid())
            model->setData(index, QDateTime(date, QTime(0, 0)));
    }
};

} // namespace

TDBSVAT::TDBSVAT(HolidayDatabase &holidays, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      m_holidays(holidays)
{
    setWindowTitle(QStringLiteral("Přehled svátků a nepracovních dnů"));
    setObjectName(QStringLiteral("TDBSVAT"));
    Table &table = holidays.holidays();
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);

    m_navigator =
        new RecordNavigator(table, holidays.messages(), RecordNavigator::allButtons(), this);
    m_model = new TableGridModel(table, holidayColumns(), this);
    m_grid = new QTableView(this);
    m_grid->setModel(m_model);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_grid->setItemDelegateForColumn(0, new DateDelegate(m_grid));
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    fitColumnsToFields(m_grid, table.schema(), holidayColumns());

    // The calendar panel: month tabs, the year with its steps, the days.
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("pnKalendar"));
    m_panel->setToolTip(QStringLiteral("úprava data podle kalendáře"));
    m_months = new QTabBar(m_panel);
    for (int month = 1; month <= 12; ++month)
        m_months->addTab(czech.standaloneMonthName(month, QLocale::ShortFormat));
    m_year = new QLabel(m_panel);
    m_yearBack = new QPushButton(QStringLiteral("rok - 1"), m_panel);
    m_yearOn = new QPushButton(QStringLiteral("rok + 1"), m_panel);
    auto *closePanel = new QPushButton(QStringLiteral("X"), m_panel);
    m_calendar = new QCalendarWidget(m_panel);
    m_calendar->setLocale(czech);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setNavigationBarVisible(false);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setMinimumDate(QDate(HolidayDatabase::FirstCalendarYear, 1, 1));
    m_calendar->setToolTip(QStringLiteral("dvojité poklepání vybere den"));
    m_calendar->setSelectedDate(holidays.today());
    auto *yearRow = new QHBoxLayout;
    yearRow->addWidget(m_yearBack);
    yearRow->addWidget(m_year);
    yearRow->addWidget(m_yearOn);
    yearRow->addStretch();
    yearRow->addWidget(closePanel);
    auto *panelLayout = new QVBoxLayout(m_panel);
    panelLayout->addLayout(yearRow);
    panelLayout->addWidget(m_months);
    panelLayout->addWidget(m_calendar);
    m_panel->hide();

    m_standard = new QPushButton(QStringLiteral("Standard "), this);
    m_standard->setToolTip(
        QStringLiteral("uloží svátky pro aktuální rok podle seznamu SVATKY.INF"));
    m_standardYear = new QSpinBox(this);
    m_standardYear->setRange(HolidayDatabase::FirstCalendarYear, 9999);
    m_standardYear->setValue(holidays.today().year());
    m_missing = new QLabel(HolidayDatabase::missingListText(), this);
    const bool list = holidays.listExists();
    m_standard->setVisible(list);
    m_standardYear->setVisible(list);
    m_missing->setVisible(!list);

    auto *top = new QHBoxLayout;
    top->addWidget(m_navigator);
    top->addStretch();
    top->addWidget(m_standard);
    top->addWidget(m_standardYear);
    top->addWidget(m_missing);
    auto *body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    body->addWidget(m_panel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    resize(760, 460);
    makeButtonsPlain(this);

    m_cursor = new GridCursor(m_grid, m_model, m_navigator, this);
    connect(m_grid, &QTableView::doubleClicked, this, &TDBSVAT::cellDoubleClicked);
    connect(m_calendar, &QCalendarWidget::activated, this, &TDBSVAT::dayChosen);
    connect(m_calendar, &QCalendarWidget::currentPageChanged, this, &TDBSVAT::calendarPageChanged);
    connect(m_months, &QTabBar::currentChanged, this,
            [this](int index) { m_calendar->setCurrentPage(m_calendar->yearShown(), index + 1); });
    connect(m_yearBack, &QPushButton::clicked, this, [this] { stepYear(-1); });
    connect(m_yearOn, &QPushButton::clicked, this, [this] { stepYear(1); });
    connect(closePanel, &QPushButton::clicked, m_panel, &QWidget::hide);
    connect(m_standard, &QPushButton::clicked, this, &TDBSVAT::fillStandard);
    calendarPageChanged(m_calendar->yearShown(), m_calendar->monthShown());

    if (table.isEmpty())
        table.first();
    m_cursor->showCurrent();
}

TDBSVAT::~TDBSVAT() = default;

void TDBSVAT::showWindow(TVXDM &vx, TDB0DM &db, const QString &workDir, QWidget *parent)
{
    HolidayDatabase holidays(vx, db, workDir);
    if (const Result<void> open = holidays.open(); !open) {
        holidays.messages().error(open.error());
        return;
    }
    {
        TDBSVAT window(holidays, parent);
        window.exec();
    }
    holidays.close();
}

void TDBSVAT::cellDoubleClicked(const QModelIndex &index)
{
    const TableState state = m_holidays.holidays().state();
    const bool editing = state == TableState::Edit || state == TableState::Insert;
    if (index.column() != 0 || !editing) {
        m_grid->edit(index);
        return;
    }
    // A new record opens the calendar where it was left.
    showCalendar(m_holidays.calendarDate(m_calendar->selectedDate()));
}

void TDBSVAT::showCalendar(const QDate &date)
{
    m_calendar->setSelectedDate(date);
    m_calendar->setCurrentPage(date.year(), date.month());
    m_panel->show();
}

void TDBSVAT::stepYear(int by)
{
    const int year = std::max(m_calendar->yearShown() + by, HolidayDatabase::FirstCalendarYear);
    m_calendar->setCurrentPage(year, 1);
}

void TDBSVAT::calendarPageChanged(int year, int month)
{
    m_year->setText(QString::number(year));
    const QSignalBlocker quiet(m_months);
    m_months->setCurrentIndex(month - 1);
}

void TDBSVAT::dayChosen(const QDate &date)
{
    if (m_holidays.storeDate(date))
        m_panel->hide();
    m_cursor->refresh();
}

void TDBSVAT::fillStandard()
{
    if (!postPendingEdit(m_holidays.holidays(), m_holidays.messages()))
        return;
    (void)m_holidays.fillYear(m_standardYear->value());
    m_cursor->refresh();
}

void TDBSVAT::reject()
{
    if (m_panel->isVisible()) {
        m_panel->hide();
        return;
    }
    if (!postPendingEdit(m_holidays.holidays(), m_holidays.messages())) {
        m_cursor->refresh();
        return;
    }
    QDialog::reject();
}

} // namespace vardex
