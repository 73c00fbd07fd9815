#include "attendance/ui/TOPRAVY.h"

#include "platform/ui/PlainButtons.h"

#include <QColor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vardex {

TOPRAVY::TOPRAVY(MonthResults &results, int year, int month, const QString &title, QWidget *parent)
    : QDialog(parent), m_sheet(results, year, month)
{
    setWindowTitle(QStringLiteral("OPRAVY"));
    setObjectName(QStringLiteral("TOPRAVY"));
    const QStringList titles = MonthCorrections::titles();
    m_grid = new QTableWidget(m_sheet.rowCount(), int(titles.size()), this);
    m_grid->setHorizontalHeaderLabels(titles);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    for (int row = 0; row < m_sheet.rowCount(); ++row)
        fillRow(row);
    m_grid->resizeColumnsToContents();
    connect(m_grid, &QTableWidget::cellClicked, this, &TOPRAVY::cellClicked);

    m_panel = new QGroupBox(this);
    m_columnTitle = new QLabel(m_panel);
    m_field = new QLineEdit(m_panel);
    m_store = new QPushButton(QStringLiteral("Hotovo"), m_panel);
    auto *cancel = new QPushButton(QStringLiteral("Přerušit"), m_panel);
    auto *panelLayout = new QHBoxLayout(m_panel);
    panelLayout->addWidget(m_columnTitle);
    panelLayout->addWidget(m_field, 1);
    panelLayout->addWidget(m_store);
    panelLayout->addWidget(cancel);
    m_panel->hide();
    connect(m_field, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_store->setEnabled(MonthCorrections::acceptable(m_column, text));
    });
    connect(m_field, &QLineEdit::returnPressed, this, [this] {
        if (m_store->isEnabled())
            store();
    });
    connect(m_store, &QPushButton::clicked, this, &TOPRAVY::store);
    connect(cancel, &QPushButton::clicked, m_panel, &QWidget::hide);

    auto *close = new QPushButton(QStringLiteral("Hotovo"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_panel, 1);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(title, this));
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);
    resize(960, 560);
    makeButtonsPlain(this);
}

void TOPRAVY::fillRow(int row)
{
    for (int c = 0; c < m_grid->columnCount(); ++c) {
        auto *item = new QTableWidgetItem(m_sheet.text(row, c));
        // The values the operator may change stand out.
        if (MonthCorrections::editable(c))
            item->setBackground(QColor(255, 255, 210));
        m_grid->setItem(row, c, item);
    }
}

void TOPRAVY::cellClicked(int row, int column)
{
    if (!MonthCorrections::editable(column))
        return;
    m_row = row;
    m_column = column;
    m_panel->setTitle(m_sheet.editTitle(row));
    m_columnTitle->setText(MonthCorrections::titles().at(column));
    m_field->setText(m_sheet.text(row, column));
    m_store->setEnabled(MonthCorrections::acceptable(column, m_field->text()));
    m_panel->show();
    m_field->setFocus();
    m_field->selectAll();
}

void TOPRAVY::store()
{
    if (m_row < 0 || !m_sheet.set(m_row, m_column, m_field->text()))
        return;
    fillRow(m_row);
    m_panel->hide();
}

void TOPRAVY::done(int result)
{
    m_sheet.finish();
    QDialog::done(result);
}

} // namespace vardex
