#include "attendance/ui/TSELSME.h"

#include "admin/PendingEdit.h"
#include "admin/ui/FieldColumnWidths.h"
#include "admin/ui/GridCursor.h"
#include "admin/ui/RecordNavigator.h"
#include "attendance/ui/TUSEKS.h"
#include "platform/ui/PlainButtons.h"
#include "tables/TableGridModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vardex {

namespace {

QList<GridColumn> shiftColumns()
{
    return {
        {QStringLiteral("NazevSmeny"), QStringLiteral("Název směny"), false, {}},
        {QStringLiteral("PrvniUsekSmeny"), QStringLiteral("První úsek směny"), false, {}},
        {QStringLiteral("DruhyUsekSmeny"), QStringLiteral("Druhý úsek směny"), false, {}},
        {QStringLiteral("Prechod"), QStringLiteral("Noc"), false, {}},
        {QStringLiteral("NutnoOdpracovat"), QStringLiteral("Odpracovat"), false, {}},
    };
}

} // namespace

TSELSME::TSELSME(TVXDM &vx, OperatorMessages &messages, FileChooser &files, bool selectionMode,
                 QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      m_db(vx, messages, files), m_selection(selectionMode)
{
    setWindowTitle(selectionMode ? QStringLiteral("Výběr z databáze časových průběhů směn")
                                 : QStringLiteral("Databáze časových průběhů směn"));
    setObjectName(QStringLiteral("TSELSME"));
    Table &shifts = m_db.shifts();
    shifts.setIndex(QString());

    m_navigator = new RecordNavigator(
        shifts, messages,
        selectionMode ? RecordNavigator::movingOnly() : RecordNavigator::allButtons(), this);
    auto *searchLabel = new QLabel(QStringLiteral("Hledat:"), this);
    m_search = new QLineEdit(this);
    searchLabel->setBuddy(m_search);
    m_night = new QPushButton(QStringLiteral("Vzor noční"), this);
    m_export = new QPushButton(QStringLiteral("Export databáze"), this);
    m_import = new QPushButton(QStringLiteral("Import databáze"), this);
    m_choose = new QPushButton(QStringLiteral("Vybrat"), this);
    auto *close = new QPushButton(QStringLiteral("Přerušit"), this);
    for (QPushButton *b : {m_night, m_import})
        b->setEnabled(!selectionMode);
    m_choose->setVisible(selectionMode);

    m_model = new TableGridModel(shifts, shiftColumns(), this);
    m_grid = new QTableView(this);
    m_grid->setModel(m_model);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click acts on its column; typing edits a cell.
    m_grid->setEditTriggers(selectionMode ? QAbstractItemView::NoEditTriggers
                                          : QAbstractItemView::EditKeyPressed |
                                                QAbstractItemView::AnyKeyPressed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    fitColumnsToFields(m_grid, shifts.schema(), shiftColumns());

    auto *top = new QHBoxLayout;
    top->addWidget(m_navigator);
    top->addSpacing(12);
    top->addWidget(searchLabel);
    top->addWidget(m_search, 1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_night, m_export, m_import})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(m_choose);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(820, 480);
    makeButtonsPlain(this);

    m_cursor = new GridCursor(m_grid, m_model, m_navigator, this);
    connect(m_grid, &QTableView::doubleClicked, this, &TSELSME::cellDoubleClicked);
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_db.search(text);
        m_cursor->refresh();
    });
    connect(m_night, &QPushButton::clicked, this, [this] {
        m_db.applyNightTemplate();
        m_cursor->refresh();
    });
    connect(m_export, &QPushButton::clicked, this, [this] {
        m_db.exportShifts();
        m_cursor->refresh();
    });
    connect(m_import, &QPushButton::clicked, this, [this] {
        m_db.importShifts();
        m_cursor->refresh();
    });
    connect(m_choose, &QPushButton::clicked, this, &TSELSME::chooseCurrent);
    connect(close, &QPushButton::clicked, this, &TSELSME::reject);

    if (shifts.isEmpty())
        shifts.first();
    m_cursor->showCurrent();
}

TSELSME::~TSELSME() = default;

std::optional<ChosenShift> TSELSME::choose(TVXDM &vx, OperatorMessages &messages,
                                           FileChooser &files, QWidget *parent)
{
    TSELSME dialog(vx, messages, files, true, parent);
    dialog.exec();
    return dialog.chosen();
}

void TSELSME::cellDoubleClicked(const QModelIndex &index)
{
    if (m_selection) {
        chooseCurrent();
        return;
    }
    const auto column = ShiftColumn(index.column());
    if (column == ShiftColumn::Name || !m_db.editing()) {
        m_grid->edit(index);
        return;
    }
    switch (column) {
    case ShiftColumn::Required:
        m_db.recomputeRequired();
        break;
    case ShiftColumn::Crossing:
        m_db.toggleCrossing();
        break;
    default: {
        const int which = column == ShiftColumn::FirstSection ? 1 : 2;
        const std::optional<DayShift> day = m_db.editedDay();
        if (!day)
            break;
        const std::optional<ShiftSection> section =
            TUSEKS::editSection(which == 1 ? day->first : day->second, this);
        if (section)
            m_db.storeSection(which, *section);
        break;
    }
    }
    m_cursor->refresh();
}

void TSELSME::chooseCurrent()
{
    m_chosen = m_db.currentShift();
    if (m_chosen)
        accept();
}

void TSELSME::reject()
{
    if (!postPendingEdit(m_db.shifts(), m_db.messages())) {
        m_cursor->refresh();
        return;
    }
    QDialog::reject();
}

} // namespace vardex
