#include "unitops/ui/TFrmGetSta.h"

#include "accessdata/TDB0DM.h"
#include "tables/TableGridModel.h"
#include "unitops/ui/TFrmStaHwj.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace vardex {

TFrmGetSta::TFrmGetSta(TDB0DM &db, QWidget *parent) : QDialog(parent), m_query(db)
{
    setWindowTitle(QStringLiteral("Čtení stavu hardwarových jednotek"));
    setObjectName(QStringLiteral("TFrmGetSta"));
    setModal(true);

    Table &units = db.tbUni;
    if (units.isEmpty())
        units.first();
    m_model =
        new TableGridModel(units,
                           {GridColumn{QStringLiteral("ADRESA"), QStringLiteral("Adresa"), true},
                            GridColumn{QStringLiteral("NAZEV"), QStringLiteral("Název"), true}},
                           this);
    m_grid = new QTableView(this);
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    const QString hint = QStringLiteral("dvojité poklepání určí jednotku");
    m_grid->setToolTip(hint);
    m_grid->setStatusTip(hint);
    m_status = new QLineEdit(this);
    m_status->setObjectName(QStringLiteral("edStav"));
    m_status->setReadOnly(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_status);
    resize(420, 360);

    showState = [this](const QByteArray &buffer) {
        TFrmStaHwj state(buffer, this);
        state.exec();
    };
    connect(m_grid, &QTableView::doubleClicked, this, &TFrmGetSta::DBGrid1DblClick);
    connect(&m_query, &StateQuery::statusChanged, m_status, &QLineEdit::setText);
    connect(&m_query, &StateQuery::gridVisibleChanged, m_grid, &QWidget::setVisible);
    // Opened once the port has delivered the reply, not inside its delivery.
    connect(&m_query, &StateQuery::stateReceived, this, &TFrmGetSta::stateReceived,
            Qt::QueuedConnection);

    const int row = m_model->currentRow();
    if (row >= 0)
        m_grid->setCurrentIndex(m_model->index(row, 0));
    m_query.FormActivate();
}

TFrmGetSta::~TFrmGetSta() = default;

void TFrmGetSta::DBGrid1DblClick(const QModelIndex &index)
{
    if (index.isValid() && m_model->moveTo(index.row()))
        m_query.DBGrid1DblClick();
}

void TFrmGetSta::stateReceived()
{
    // While the state window is up, replies do not reach this window.
    m_query.FormDeactivate();
    showState(m_query.stateBuffer());
    m_query.FormActivate();
    m_query.stateShown();
}

} // namespace vardex
