#include "admin/ui/TFrmSelK.h"

#include "accessdata/TDB0DM.h"
#include "admin/ui/GridCursor.h"
#include "admin/ui/RecordNavigator.h"
#include "tables/TableGridModel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace vardex {

TFrmSelK::TFrmSelK(TDB0DM &db, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_db(db)
{
    setWindowTitle(QStringLiteral("Určení identifikačního klíče"));
    setObjectName(QStringLiteral("TFrmSelK"));
    m_db.chosenKey.clear();

    Table &keys = db.tbKey;
    if (keys.isEmpty())
        keys.first();

    auto *group = new QGroupBox(QStringLiteral("Vyberte jeden klíč z databáze klíčů"), this);
    m_navigator = new RecordNavigator(keys, db.messages(), RecordNavigator::movingOnly(), group);
    m_navigator->setHints({QStringLiteral("na první "), QStringLiteral("na předchozí"),
                           QStringLiteral("na další"), QStringLiteral("na poslední")});
    m_search = new QLineEdit(group);
    m_search->setObjectName(QStringLiteral("edHledat"));
    auto *searchLabel = new QLabel(QStringLiteral("Hledat:"), group);
    searchLabel->setBuddy(m_search);

    m_model =
        new TableGridModel(keys,
                           {{QStringLiteral("CTM"), QStringLiteral("Číslo klíče"), true, {}},
                            {QStringLiteral("JMENO"), QStringLiteral("Jméno"), true, {}},
                            {QStringLiteral("OSCIS"), QStringLiteral("Osobní číslo"), true, {}}},
                           this);
    m_grid = new QTableView(group);
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);

    auto *top = new QHBoxLayout;
    top->addWidget(m_navigator);
    top->addSpacing(12);
    top->addWidget(searchLabel);
    top->addWidget(m_search, 1);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(top);
    groupLayout->addWidget(m_grid, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    resize(520, 420);

    connect(m_search, &QLineEdit::textChanged, this, &TFrmSelK::searchChanged);
    connect(m_grid, &QTableView::doubleClicked, this, &TFrmSelK::rowDoubleClicked);
    m_cursor = new GridCursor(m_grid, m_model, m_navigator, this);

    m_cursor->showCurrent();
    m_search->setFocus();
}

TFrmSelK::~TFrmSelK() = default;

void TFrmSelK::searchChanged(const QString &text)
{
    m_db.tbKeyApproxName(text);
    m_cursor->refresh();
}

void TFrmSelK::rowDoubleClicked(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    m_db.chosenKey = m_model->data(m_model->index(index.row(), 0), Qt::EditRole).toString();
    accept();
}

} // namespace vardex
