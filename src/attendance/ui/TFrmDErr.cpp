#include "attendance/ui/TFrmDErr.h"

#include "accessdata/TDB0DM.h"
#include "attendance/TVXDM.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"
#include "tables/TableGridModel.h"
#include "timecal/DayMonth.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vardex {

TFrmDErr::TFrmDErr(TDB0DM &db, TVXDM &vx, QWidget *parent)
    : QDialog(parent), m_db(db), m_vx(vx), m_eventsIndex(db.tbEvents.indexName()),
      m_eventsFilter(db.tbEvents.filterText()), m_eventsFiltered(db.tbEvents.filtered())
{
    setWindowTitle(QStringLiteral("Chyby při vyhodnocení docházky"));
    setObjectName(QStringLiteral("TFrmDErr"));
    auto *group = new QGroupBox(db.tbKeyJmenoTituly(0) + QStringLiteral(", ") +
                                    db.tbKey.asString(QStringLiteral("OSCIS")),
                                this);
    group->setObjectName(QStringLiteral("ZjisteneChyby"));
    vx.tbVder.setIndex(QString());
    m_model = new TableGridModel(vx.tbVder,
                                 {{QStringLiteral("CTM"), QStringLiteral("CTM"), true, {}},
                                  {QStringLiteral("Dat"), QStringLiteral("Datum"), true, {}},
                                  {QStringLiteral("Cas"), QStringLiteral("Čas"), true, {}},
                                  {QStringLiteral("Rem"), QStringLiteral("Popis"), true, {}}},
                                 this);
    m_grid = new QTableView(group);
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setToolTip(QStringLiteral("Dvojitý poklep - zobrazení událostí dne"));
    connect(m_grid, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { rowDoubleClicked(index.row()); });
    auto *inGroup = new QVBoxLayout(group);
    inGroup->addWidget(new QLabel(QStringLiteral("Zjištěné chyby"), group));
    inGroup->addWidget(m_grid);

    auto *done = new QPushButton(QStringLiteral("Hotovo"), this);
    auto *stop = new QPushButton(QStringLiteral("Přerušit zpracování"), this);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    connect(stop, &QPushButton::clicked, this, &TFrmDErr::abandon);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(done);
    buttons->addWidget(stop);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);
    resize(560, 360);
    makeButtonsPlain(this);
}

TFrmDErr::~TFrmDErr()
{
    Table &events = m_db.tbEvents;
    events.setIndex(m_eventsIndex);
    events.setFilterText(m_eventsFilter);
    events.setFiltered(m_eventsFiltered);
}

void TFrmDErr::abandon()
{
    if (const Result<void> emptied = m_vx.tbVdErEmptyTable(); !emptied)
        m_db.messages().error(emptied.error());
    reject();
}

void TFrmDErr::rowDoubleClicked(int row)
{
    if (!m_model->moveTo(row) || !showDay)
        return;
    const quint16 day = ParseDayMonth(m_vx.tbVder.asString(QStringLiteral("Dat")));
    if (day == InvalidDayMonth)
        return;
    showDay(QDate(m_vx.processingYear(), MonthOfDayMonth(day), DayOfDayMonth(day)));
}

} // namespace vardex
