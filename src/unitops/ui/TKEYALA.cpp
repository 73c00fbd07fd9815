#include "unitops/ui/TKEYALA.h"

#include "accessdata/TDB0DM.h"
#include "admin/PendingEdit.h"
#include "admin/ui/GridCursor.h"
#include "admin/ui/PickListDelegate.h"
#include "admin/ui/RecordNavigator.h"
#include "admin/ui/TFrmSelK.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"
#include "tables/TableGridModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace vardex {

TKEYALA::TKEYALA(TDB0DM &db, QWidget *parent) : QDialog(parent), m_db(db), m_keys(db)
{
    setWindowTitle(QStringLiteral("Seznam hledaných klíčů"));
    setObjectName(QStringLiteral("TKEYALA"));
    setModal(true);
    Table &table = db.tbSKey;
    if (table.isEmpty())
        table.first();

    m_navigator = new RecordNavigator(table, db.messages(), RecordNavigator::allButtons(), this);
    m_navigator->setHints(
        {QStringLiteral("na první "), QStringLiteral("na předchozí"), QStringLiteral("na další"),
         QStringLiteral("na poslední"), QStringLiteral("nový"), QStringLiteral("smazat"),
         QStringLiteral("opravit"), QStringLiteral("hotovo"), QStringLiteral("zrušit")});
    const auto holderName = [this](const QVariant &ctm) {
        return m_keys.keyColumnText(ctm.toString());
    };
    m_model = new TableGridModel(
        table,
        {GridColumn{QStringLiteral("CTM"), QStringLiteral("Klíč"), true, holderName},
         GridColumn{QStringLiteral("ZPRAVA"), QStringLiteral("Zpráva při nalezení"), false},
         GridColumn{QStringLiteral("ALARM"), QStringLiteral("Aktivní"), false}},
        this);
    m_grid = new QTableView(this);
    m_grid->setModel(m_model);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(0, m_grid->fontMetrics().horizontalAdvance(QString(28, u'M')));
    m_grid->setColumnWidth(1, m_grid->fontMetrics().horizontalAdvance(QString(30, u'm')));
    m_grid->setItemDelegateForColumn(
        1, new PickListDelegate({SearchedKeys::defaultMessage()}, m_grid));
    m_grid->setItemDelegateForColumn(
        2, new PickListDelegate({QStringLiteral("N"), QStringLiteral("A")}, m_grid));

    m_allOn = new QPushButton(QStringLiteral("Zapnout vše"), this);
    m_allOff = new QPushButton(QStringLiteral("Vypnout vše"), this);
    auto *top = new QHBoxLayout;
    top->addWidget(m_navigator);
    top->addStretch();
    top->addWidget(m_allOn);
    top->addWidget(m_allOff);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    resize(720, 360);
    makeButtonsPlain(this);

    chooseKey = [this] {
        TFrmSelK keys(m_db, this);
        keys.exec();
    };
    // After the navigator's own handling of the click: the row is begun.
    connect(m_navigator->button(RecordNavigator::Insert), &QToolButton::clicked, this,
            &TKEYALA::newRow);
    connect(m_allOn, &QPushButton::clicked, this, [this] { switchAll(true); });
    connect(m_allOff, &QPushButton::clicked, this, [this] { switchAll(false); });
    m_cursor = new GridCursor(m_grid, m_model, m_navigator, this);
    m_cursor->showCurrent();
}

TKEYALA::~TKEYALA() = default;

void TKEYALA::reject()
{
    // A row still edited is posted first; a refused post keeps the window
    // open.
    if (!postPendingEdit(m_db.tbSKey, m_db.messages())) {
        m_cursor->refresh();
        return;
    }
    QDialog::reject();
}

void TKEYALA::newRow()
{
    if (m_db.tbSKey.state() != TableState::Insert)
        return;
    m_db.chosenKey.clear();
    chooseKey();
    m_keys.fillInsertedRow(m_db.chosenKey);
    m_navigator->updateButtons();
    m_cursor->refresh();
}

void TKEYALA::switchAll(bool on)
{
    const Result<void> done = m_keys.switchAll(on);
    if (!done)
        m_db.messages().error(done.error());
    m_cursor->refresh();
}

} // namespace vardex
