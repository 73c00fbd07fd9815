#include "attendance/ui/TFrmDopUd.h"

#include "accessdata/TDB0DM.h"
#include "admin/ui/TFrmSelK.h"
#include "admin/ui/TFrmSelU.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"
#include "timecal/Calendar.h"
#include "timecal/HourMinute.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vardex {

namespace {

QSpinBox *counter(int low, int high, int value, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

} // namespace

TFrmDopUd::TFrmDopUd(TDB0DM &db, const QString &workDir, const QDate &date, bool datePanel,
                     QWidget *parent)
    : QDialog(parent), m_db(db), m_review(db, workDir)
{
    setWindowTitle(QStringLiteral("Události docházky pro pracovníka a den"));
    setObjectName(QStringLiteral("TFrmDopUd"));
    m_review.setKey(db.chosenKey);
    m_review.setDate(date);
    chooseUnit = [this]() -> QString {
        TFrmSelU dialog(m_db, this);
        dialog.exec();
        return m_db.selection().chosenAddress;
    };

    m_grid = new QTableWidget(0, 5, this);
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Čas"),
                                       QStringLiteral("Výsledek"), QStringLiteral("Druh"),
                                       QStringLiteral("IdEve")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_grid->setToolTip(QStringLiteral("Dvojitý poklep - vkládat opravy"));
    connect(m_grid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { rowDoubleClicked(row); });

    m_unitPanel = new QGroupBox(QStringLiteral("Určete jednotku"), this);
    m_unitPanel->setToolTip(
        QStringLiteral("Zjištěny dvě jednotky. Určete, které se událost týká!"));
    auto *unitRow = new QHBoxLayout(m_unitPanel);
    for (int i = 0; i < 2; ++i) {
        m_unitButtons[i] = new QPushButton(m_unitPanel);
        unitRow->addWidget(m_unitButtons[i]);
        connect(m_unitButtons[i], &QPushButton::clicked, this, [this, i] { unitChosen(i); });
    }
    m_unitPanel->hide();

    m_insertPanel = new QGroupBox(QStringLiteral("Určete čas a snímač"), this);
    m_hour = counter(0, 23, 0, m_insertPanel);
    m_minute = counter(0, 59, 0, m_insertPanel);
    m_objects = new QListWidget(m_insertPanel);
    auto *cancel = new QPushButton(QStringLiteral("X"), m_insertPanel);
    auto *timeRow = new QHBoxLayout;
    timeRow->addWidget(m_hour);
    timeRow->addWidget(new QLabel(QStringLiteral(":"), m_insertPanel));
    timeRow->addWidget(m_minute);
    timeRow->addStretch();
    timeRow->addWidget(cancel);
    auto *insertLayout = new QVBoxLayout(m_insertPanel);
    insertLayout->addLayout(timeRow);
    insertLayout->addWidget(m_objects);
    m_insertPanel->hide();
    connect(m_hour, &QSpinBox::valueChanged, this, &TFrmDopUd::timeChanged);
    connect(m_minute, &QSpinBox::valueChanged, this, &TFrmDopUd::timeChanged);
    connect(m_objects, &QListWidget::itemClicked, this, &TFrmDopUd::objectChosen);
    connect(cancel, &QPushButton::clicked, this, &TFrmDopUd::endInsertion);

    auto *clear = new QPushButton(QStringLiteral("Zrušit doplněné"), this);
    auto *done = new QPushButton(QStringLiteral("Hotovo"), this);
    connect(clear, &QPushButton::clicked, this, &TFrmDopUd::clearAdded);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(done);

    auto *side = new QVBoxLayout;
    side->addWidget(m_unitPanel);
    side->addWidget(m_insertPanel);
    side->addStretch();
    auto *body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    body->addLayout(side);
    auto *layout = new QVBoxLayout(this);
    if (datePanel)
        layout->addWidget(makeDatePanel());
    layout->addLayout(body);
    layout->addLayout(buttons);
    resize(720, 420);
    makeButtonsPlain(this);
    redisplay();
}

TFrmDopUd::~TFrmDopUd() = default;

QWidget *TFrmDopUd::makeDatePanel()
{
    auto *panel = new QWidget(this);
    const QDate date = m_review.date();
    m_day = counter(1, DaysInMonth(date.year(), date.month()), date.day(), panel);
    m_month = counter(1, 12, date.month(), panel);
    m_year = counter(1900, 2099, date.year(), panel);
    m_showToggle = new QPushButton(QStringLiteral("zobrazovat události"), panel);
    m_showToggle->setCheckable(true);
    m_showToggle->setChecked(true);
    auto *worker = new QPushButton(QStringLiteral("určit pracovníka"), panel);
    m_worker = new QLabel(m_db.tbKeyNameOfKey(m_review.key()), panel);
    auto *row = new QHBoxLayout(panel);
    for (QWidget *w : {static_cast<QWidget *>(m_day), static_cast<QWidget *>(m_month),
                       static_cast<QWidget *>(m_year)})
        row->addWidget(w);
    row->addWidget(m_showToggle);
    row->addWidget(worker);
    row->addWidget(m_worker, 1);
    for (QSpinBox *box : {m_day, m_month, m_year})
        connect(box, &QSpinBox::valueChanged, this, &TFrmDopUd::dateChanged);
    connect(m_showToggle, &QPushButton::toggled, this, [this](bool on) {
        if (on)
            redisplay();
    });
    connect(worker, &QPushButton::clicked, this, &TFrmDopUd::chooseWorker);
    return panel;
}

void TFrmDopUd::dateChanged()
{
    {
        // The day's counter never goes past the month's last day.
        const QSignalBlocker quiet(m_day);
        m_day->setMaximum(DaysInMonth(m_year->value(), m_month->value()));
    }
    m_review.setDate(QDate(m_year->value(), m_month->value(), m_day->value()));
    if (m_showToggle->isChecked())
        redisplay();
}

void TFrmDopUd::chooseWorker()
{
    TFrmSelK dialog(m_db, this);
    dialog.exec();
    if (m_db.chosenKey.isEmpty())
        return;
    m_review.setKey(m_db.chosenKey);
    m_worker->setText(m_db.tbKeyNameOfKey(m_db.chosenKey));
    if (m_showToggle->isChecked())
        redisplay();
}

bool TFrmDopUd::report(const Result<void> &done)
{
    if (!done)
        m_db.messages().error(done.error());
    return done.ok();
}

void TFrmDopUd::redisplay()
{
    endInsertion();
    const bool shown = report(m_review.show());
    const QList<DayRow> &rows = m_review.rows();
    m_grid->setRowCount(shown ? int(rows.size()) : 0);
    for (int i = 0; shown && i < rows.size(); ++i) {
        const DayRow &r = rows[i];
        const QStringList cells =
            r.insertion
                ? QStringList{QString(), QString(), QStringLiteral("<- vložit"), QString(),
                              QString()}
                : QStringList{r.date, r.timeText(), r.result,
                              r.added ? QStringLiteral("#") : QString(), QString::number(r.idEve)};
        for (int c = 0; c < cells.size(); ++c)
            m_grid->setItem(i, c, new QTableWidgetItem(cells[c]));
    }
}

void TFrmDopUd::rowDoubleClicked(int row)
{
    if (row < 0 || row >= m_review.rows().size() || !m_review.rows()[row].insertion)
        return;
    endInsertion();
    m_insertRow = row;
    m_place = m_review.place(row);
    {
        const QSignalBlocker h(m_hour), m(m_minute);
        m_hour->setValue(HourOf(m_place.lower));
        m_minute->setValue(MinuteOf(m_place.lower));
    }
    if (m_place.units.size() == 2) {
        for (int i = 0; i < 2; ++i)
            m_unitButtons[i]->setText(m_place.units[i]);
        m_unitPanel->show();
        m_insertPanel->show();
        return;
    }
    const QString unit = m_place.units.isEmpty() ? chooseUnit() : m_place.units.first();
    if (unit.isEmpty()) {
        m_insertRow = -1;
        return;
    }
    m_insertPanel->show();
    offerObjects(unit);
}

void TFrmDopUd::unitChosen(int which)
{
    if (m_insertRow < 0)
        return;
    m_unitPanel->hide();
    offerObjects(m_place.units[which]);
}

void TFrmDopUd::offerObjects(const QString &unit)
{
    m_unit = unit;
    m_objects->clear();
    const Result<QStringList> entries = m_review.objects(unit);
    if (!entries) {
        m_db.messages().error(entries.error());
        endInsertion();
        return;
    }
    m_objects->addItems(*entries);
}

quint16 TFrmDopUd::chosenTime() const
{
    return MakeHourMinute(m_hour->value(), m_minute->value());
}

void TFrmDopUd::timeChanged()
{
    if (m_insertRow < 0)
        return;
    // Whatever is set stays between the events around the insertion row.
    const quint16 time = m_place.clamp(chosenTime());
    if (time == chosenTime())
        return;
    const QSignalBlocker h(m_hour), m(m_minute);
    m_hour->setValue(HourOf(time));
    m_minute->setValue(MinuteOf(time));
}

void TFrmDopUd::objectChosen(QListWidgetItem *item)
{
    if (m_insertRow < 0 || m_unit.isEmpty() || !item)
        return;
    const QString code = item->text().left(2);
    if (code.size() != 2 || code[0] != u'0' || code[1] < u'0' || code[1] > u'7') {
        m_objects->clear();
        return;
    }
    const Result<qint64> added = m_review.insert(m_insertRow, chosenTime(), m_unit, item->text());
    if (!added)
        m_db.messages().error(added.error());
    redisplay();
}

void TFrmDopUd::endInsertion()
{
    m_insertRow = -1;
    m_unit.clear();
    m_objects->clear();
    m_unitPanel->hide();
    m_insertPanel->hide();
}

void TFrmDopUd::clearAdded()
{
    if (m_db.messages().askYesNo(QStringLiteral("Skutečně vymazat doplněné události?")) !=
        Answer::Yes)
        return;
    const Result<int> cleared = m_review.clearAdded();
    if (!cleared)
        m_db.messages().error(cleared.error());
    redisplay();
}

} // namespace vardex
