#include "attendance/ui/TFrmPrs.h"

#include "accessdata/TDB0DM.h"
#include "admin/PendingEdit.h"
#include "admin/ui/FieldColumnWidths.h"
#include "admin/ui/GridCursor.h"
#include "admin/ui/RecordNavigator.h"
#include "attendance/TVXDM.h"
#include "platform/ui/PlainButtons.h"
#include "tables/TableGridModel.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

namespace vardex {

namespace {

QList<GridColumn> workplaceColumns()
{
    return {
        {QStringLiteral("PRACOVISTE"), QStringLiteral("Kód pracoviště"), false, {}},
        {QStringLiteral("POZNAMKA"), QStringLiteral("Název pracoviště"), false, {}},
    };
}

} // namespace

TFrmPrs::TFrmPrs(TDB0DM &db, TVXDM &vx, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      m_db(db), m_vx(vx)
{
    setWindowTitle(QStringLiteral("Pracoviště (skupiny pro samostatné vyhodnocení)"));
    setObjectName(QStringLiteral("TFrmPrs"));
    Table &workplaces = vx.tbPrs;
    workplaces.setIndex(QString());
    m_navigator =
        new RecordNavigator(workplaces, db.messages(), RecordNavigator::allButtons(), this);
    m_navigator->setHints(
        {QStringLiteral("na první "), QStringLiteral("na předchozí"), QStringLiteral("na další"),
         QStringLiteral("na poslední"), QStringLiteral("nový"), QStringLiteral("smazat"),
         QStringLiteral("opravit"), QStringLiteral("hotovo"), QStringLiteral("zrušit")});
    m_model = new TableGridModel(workplaces, workplaceColumns(), this);
    m_grid = new QTableView(this);
    m_grid->setModel(m_model);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click chooses the group; typing edits a cell.
    m_grid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    fitColumnsToFields(m_grid, workplaces.schema(), workplaceColumns());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_navigator, 0, Qt::AlignLeft);
    layout->addWidget(m_grid, 1);
    resize(560, 400);
    makeButtonsPlain(this);

    m_cursor = new GridCursor(m_grid, m_model, m_navigator, this);
    connect(m_grid, &QTableView::doubleClicked, this, &TFrmPrs::rowDoubleClicked);
    if (workplaces.isEmpty())
        workplaces.first();
    m_cursor->showCurrent();
}

TFrmPrs::~TFrmPrs() = default;

void TFrmPrs::rowDoubleClicked(const QModelIndex &index)
{
    // The record edited is posted and chosen (the rows may have moved with
    // it); else the row's record. A refused post keeps the window open.
    const bool editing = m_vx.tbPrs.state() != TableState::Browse;
    if (!postPendingEdit(m_vx.tbPrs, m_db.messages()) ||
        (!editing && !m_model->moveTo(index.row()))) {
        m_cursor->refresh();
        return;
    }
    m_db.chosenGroup = m_vx.tbPrs.asString(QStringLiteral("PRACOVISTE"));
    accept();
}

void TFrmPrs::reject()
{
    if (!postPendingEdit(m_vx.tbPrs, m_db.messages())) {
        m_cursor->refresh();
        return;
    }
    QDialog::reject();
}

} // namespace vardex
