#include "admin/ui/TFrmOpr.h"

#include "accessdata/TDB0DM.h"
#include "admin/ui/GridCursor.h"
#include "admin/ui/PermissionChoosers.h"
#include "admin/ui/RecordNavigator.h"
#include "admin/ui/ScheduleChart.h"
#include "admin/ui/TFrmAtrO.h"
#include "attendance/TVXDM.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"
#include "tables/TableGridModel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vardex {

TFrmOpr::TFrmOpr(TDB0DM &db, TVXDM &vx, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      m_editor(db, vx)
{
    setWindowTitle(QStringLiteral("Databáze přístupových oprávnění skupin pracovníků"));
    setObjectName(QStringLiteral("TFrmOpr"));
    Table &groups = m_editor.groups();

    GridColumn name;
    name.field = QStringLiteral("OPRAVNENI");
    name.title = QStringLiteral("Název skupiny");
    m_model = new TableGridModel(groups, {name}, this);
    m_list = new QTableView(this);
    m_list->setModel(m_model);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->hide();

    m_stack = new QStackedWidget(this);
    m_navigator = new RecordNavigator(groups, db.messages(), RecordNavigator::allButtons());
    m_panel = new QGroupBox(QStringLiteral("Úpravy záznamu"));
    m_confirm = new QPushButton(QStringLiteral("Potvrdit"), m_panel);
    m_cancel = new QPushButton(QStringLiteral("Zrušit"), m_panel);
    auto *panelLayout = new QHBoxLayout(m_panel);
    panelLayout->addWidget(m_confirm);
    panelLayout->addWidget(m_cancel);
    m_stack->addWidget(m_navigator);
    m_stack->addWidget(m_panel);
    m_stack->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto *detail = new QGroupBox(QStringLiteral("Oprávnění skupiny "), this);
    m_rows = new QTableWidget(PermissionRows, 3, detail);
    m_rows->setHorizontalHeaderLabels(
        {QStringLiteral("Jednotka"), QStringLiteral("Atribut"), QStringLiteral("Rozvrh")});
    m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rows->setSelectionMode(QAbstractItemView::SingleSelection);
    m_rows->verticalHeader()->setDefaultSectionSize(m_rows->fontMetrics().height() + 6);
    const QFontMetrics metrics = m_rows->fontMetrics();
    m_rows->setColumnWidth(UnitColumn, metrics.horizontalAdvance(QString(19, u'M')));
    m_rows->setColumnWidth(AttributeColumn,
                           metrics.horizontalAdvance(QStringLiteral("Atribut")) + 16);
    m_rows->horizontalHeader()->setStretchLastSection(true);
    auto *detailLayout = new QVBoxLayout(detail);
    detailLayout->addWidget(m_rows);

    m_unitChooser = new UnitChooserPanel(this);
    m_scheduleChooser = new ScheduleChooserPanel(this);
    m_unitChooser->hide();
    m_scheduleChooser->hide();

    auto *left = new QVBoxLayout;
    left->addWidget(m_list, 1);
    left->addWidget(m_stack);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(detail, 1);
    layout->addWidget(m_unitChooser);
    layout->addWidget(m_scheduleChooser);
    resize(1000, 600);
    makeButtonsPlain(this);

    m_cursor = new GridCursor(m_list, m_model, m_navigator, this);
    connect(m_navigator, &RecordNavigator::acted, this, &TFrmOpr::showGroup);
    connect(m_navigator, &RecordNavigator::updated, this, &TFrmOpr::updateState);
    // A group clicked in the list is shown as after a move of the navigator.
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TFrmOpr::showGroup);
    connect(m_rows, &QTableWidget::cellClicked, this, &TFrmOpr::cellClicked);
    connect(m_confirm, &QPushButton::clicked, this, &TFrmOpr::confirmGroup);
    connect(m_cancel, &QPushButton::clicked, this, &TFrmOpr::cancelGroup);
    m_rows->installEventFilter(this);
    connect(m_unitChooser, &UnitChooserPanel::picked, this, &TFrmOpr::unitPicked);
    connect(m_unitChooser, &UnitChooserPanel::closed, this, &TFrmOpr::closeChooser);
    connect(m_scheduleChooser, &ScheduleChooserPanel::selectionChanged, this,
            [this](const QString &name) {
                const Result<std::optional<ScheduleBlock>> block = m_editor.schedule(name);
                if (!block)
                    m_editor.messages().error(block.error());
                m_scheduleChooser->chart()->setBars(block && *block ? chartBars(**block)
                                                                    : QList<ChartBar>());
            });
    connect(m_scheduleChooser, &ScheduleChooserPanel::confirmed, this, [this] {
        if (!m_scheduleChooser->selected().isEmpty())
            m_editor.setSchedule(m_chooserRow, m_scheduleChooser->selected());
        closeChooser();
    });
    connect(m_scheduleChooser, &ScheduleChooserPanel::closed, this, &TFrmOpr::closeChooser);

    if (groups.isEmpty())
        groups.first();
    m_cursor->showCurrent();
    showGroup();
}

TFrmOpr::~TFrmOpr()
{
    // The parts of the window speak to the editor, which goes first: nothing
    // they say while they are taken down may reach it.
    for (QObject *child : findChildren<QObject *>())
        child->blockSignals(true);
}

void TFrmOpr::showGroup()
{
    m_editor.showGroup();
    redrawRows();
}

void TFrmOpr::redrawRows()
{
    const auto &cells = m_editor.cells();
    for (int row = 0; row < PermissionRows; ++row) {
        const PermissionCells &c = cells[size_t(row)];
        const QString texts[] = {c.unit, c.attribute, c.schedule};
        for (int column = 0; column < 3; ++column) {
            if (QTableWidgetItem *item = m_rows->item(row, column))
                item->setText(texts[column]);
            else
                m_rows->setItem(row, column, new QTableWidgetItem(texts[column]));
        }
    }
    updateState();
}

bool TFrmOpr::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_rows || event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent *>(event)->key() != Qt::Key_Delete)
        return QDialog::eventFilter(watched, event);
    if (!m_open && m_rows->currentRow() >= 0) {
        m_editor.clearRow(m_rows->currentRow());
        redrawRows();
    }
    return true;
}

void TFrmOpr::updateState()
{
    m_stack->setCurrentWidget(m_editor.editing() ? m_panel : static_cast<QWidget *>(m_navigator));
    m_confirm->setEnabled(!m_open);
    m_cancel->setEnabled(!m_open);
    m_list->setEnabled(!m_open);
}

void TFrmOpr::cellClicked(int row, int column)
{
    if (m_open || !m_editor.editing() || row < 0 || row >= PermissionRows)
        return;
    const bool hasUnit = !m_editor.cells()[size_t(row)].isEmpty();
    if (column == UnitColumn) {
        const Result<QStringList> units = m_editor.unitChoices();
        if (!units) {
            m_editor.messages().error(units.error());
            return;
        }
        m_unitChooser->load(*units);
        openChooser(m_unitChooser, row);
    } else if (column == AttributeColumn && hasUnit) {
        attributeStep(row);
        redrawRows();
    } else if (column == ScheduleColumn && hasUnit) {
        const Result<QStringList> names = m_editor.scheduleNames();
        if (!names) {
            m_editor.messages().error(names.error());
            return;
        }
        openChooser(m_scheduleChooser, row);
        m_scheduleChooser->load(*names, m_editor.cells()[size_t(row)].schedule);
    }
}

void TFrmOpr::attributeStep(int row)
{
    if (const std::optional<AttributeRequest> request = m_editor.attributeStep(row))
        m_editor.setAttribute(row, TFrmAtrO::choose(*request, this).value_or(request->attribute));
}

void TFrmOpr::unitPicked(const QString &unit)
{
    if (m_open != m_unitChooser || !m_editor.pickUnit(m_chooserRow, unit))
        return;
    const int row = m_chooserRow;
    closeChooser();
    attributeStep(row);
    redrawRows();
}

void TFrmOpr::openChooser(QWidget *chooser, int row)
{
    m_open = chooser;
    m_chooserRow = row;
    chooser->show();
    updateState();
}

void TFrmOpr::closeChooser()
{
    if (m_open)
        m_open->hide();
    m_open = nullptr;
    m_chooserRow = -1;
    redrawRows();
}

void TFrmOpr::confirmGroup()
{
    if (m_open)
        return;
    // A refused post keeps the rows as the operator left them.
    if (m_editor.confirm())
        m_cursor->refresh();
    redrawRows();
}

void TFrmOpr::cancelGroup()
{
    if (m_open)
        return;
    m_editor.cancel();
    m_cursor->refresh();
    showGroup();
}

void TFrmOpr::reject()
{
    if (m_open) {
        closeChooser();
        return;
    }
    if (m_editor.editing() && !m_editor.confirm()) {
        redrawRows();
        return;
    }
    QDialog::reject();
}

} // namespace vardex
