#include "admin/ui/TFrmKey.h"

#include "accessdata/TDB0DM.h"
#include "admin/PendingEdit.h"
#include "admin/ui/FieldColumnWidths.h"
#include "admin/ui/GridCursor.h"
#include "admin/ui/PickListDelegate.h"
#include "admin/ui/RecordNavigator.h"
#include "platform/OperatorMessages.h"
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

QList<GridColumn> keyColumns()
{
    return {
        {QStringLiteral("CTM"), QStringLiteral("Identifikační klíč"), false, {}},
        {QStringLiteral("PTIT"), QStringLiteral("Titul"), false, {}},
        {QStringLiteral("JMENO"), QStringLiteral("Jméno a příjmení"), false, {}},
        {QStringLiteral("ZTIT"), QStringLiteral("Titul"), false, {}},
        {QStringLiteral("OSCIS"), QStringLiteral("Os. číslo"), false, {}},
        {QStringLiteral("PRACOVISTE"), QStringLiteral("Pracoviště"), false, {}},
        {QStringLiteral("OPRAVNENI"), QStringLiteral("Oprávnění"), false, {}},
        {QStringLiteral("ROZPIS"), QStringLiteral("Docházka"), false, {}},
    };
}

} // namespace

const QStringList &TFrmKey::columnFields()
{
    static const QStringList fields = [] {
        QStringList f;
        for (const GridColumn &c : keyColumns())
            f << c.field;
        return f;
    }();
    return fields;
}

TFrmKey::TFrmKey(TDB0DM &db, TVXDM &vx, FileChooser &files, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      m_keys(db, vx, files)
{
    setWindowTitle(QStringLiteral("Databáze identifikačních klíčů"));
    setObjectName(QStringLiteral("TFrmKey"));
    Table &keys = m_keys.keys();

    m_main = new QWidget(this);
    m_navigator =
        new RecordNavigator(keys, m_keys.messages(), RecordNavigator::allButtons(), m_main);
    m_navigator->setHints(
        {QStringLiteral("na první "), QStringLiteral("na předchozí"), QStringLiteral("na další"),
         QStringLiteral("na poslední"), QStringLiteral("nový"), QStringLiteral("smazat"),
         QStringLiteral("opravit"), QStringLiteral("hotovo"), QStringLiteral("zrušit")});
    auto *searchLabel = new QLabel(QStringLiteral("Hledat:"), m_main);
    m_search = new QLineEdit(m_main);
    m_search->setObjectName(QStringLiteral("edHledat"));
    searchLabel->setBuddy(m_search);
    m_readKey = new QPushButton(QStringLiteral("číst klíč"), m_main);
    m_export = new QPushButton(QStringLiteral("Export databáze"), m_main);
    m_import = new QPushButton(QStringLiteral("Import databáze"), m_main);

    m_model = new TableGridModel(keys, keyColumns(), this);
    m_grid = new QTableView(m_main);
    m_grid->setModel(m_model);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    fitColumnsToFields(m_grid, keys.schema(), keyColumns());

    // The lists are read once per opening; a cell still takes free text.
    m_lists = m_keys.pickLists();
    const std::pair<const char *, const QStringList *> lists[] = {
        {"PRACOVISTE", &m_lists.workplaces},
        {"OPRAVNENI", &m_lists.permissionGroups},
        {"ROZPIS", &m_lists.schedules},
    };
    for (const auto &[field, values] : lists)
        m_grid->setItemDelegateForColumn(int(columnFields().indexOf(QLatin1String(field))),
                                         new PickListDelegate(*values, m_grid));

    auto *top = new QHBoxLayout;
    top->addWidget(m_navigator);
    top->addSpacing(12);
    top->addWidget(searchLabel);
    top->addWidget(m_search, 1);
    top->addSpacing(12);
    top->addWidget(m_readKey);
    top->addWidget(m_export);
    top->addWidget(m_import);
    auto *mainLayout = new QVBoxLayout(m_main);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addLayout(top);
    mainLayout->addWidget(m_grid, 1);

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("pnKlic"));
    m_keyText = new QLineEdit(m_panel);
    m_keyText->setReadOnly(true);
    m_keyText->setFixedWidth(m_keyText->fontMetrics().horizontalAdvance(QString(16, u'0')) + 12);
    m_store = new QPushButton(QStringLiteral("Uložit"), m_panel);
    m_closePanel = new QPushButton(QStringLiteral("OK"), m_panel);
    auto *panelLayout = new QHBoxLayout(m_panel);
    panelLayout->addWidget(new QLabel(QStringLiteral("Byl přečten klíč:"), m_panel));
    panelLayout->addWidget(m_keyText);
    panelLayout->addWidget(m_store);
    panelLayout->addWidget(m_closePanel);
    panelLayout->addStretch();
    m_panel->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_main, 1);
    layout->addWidget(m_panel);
    resize(1180, 560);
    makeButtonsPlain(this);

    connect(m_search, &QLineEdit::textChanged, this, &TFrmKey::searchChanged);
    connect(m_readKey, &QPushButton::clicked, this, &TFrmKey::readKey);
    connect(m_store, &QPushButton::clicked, this, &TFrmKey::storeKey);
    connect(m_closePanel, &QPushButton::clicked, this, &TFrmKey::closePanel);
    connect(m_export, &QPushButton::clicked, this, &TFrmKey::exportTable);
    connect(m_import, &QPushButton::clicked, this, &TFrmKey::importTable);
    m_cursor = new GridCursor(m_grid, m_model, m_navigator, this);

    if (keys.isEmpty())
        keys.first();
    m_cursor->showCurrent();
}

TFrmKey::~TFrmKey() = default;

void TFrmKey::searchChanged(const QString &text)
{
    m_keys.search(text);
    m_cursor->refresh();
}

void TFrmKey::showPanel(bool show)
{
    m_panel->setVisible(show);
    m_main->setEnabled(!show);
}

void TFrmKey::readKey()
{
    const ReadKey key = m_keys.readKey();
    if (!key.obtained)
        return;
    m_keyText->setText(key.text);
    m_store->setVisible(key.editing);
    m_closePanel->setText(key.editing ? QStringLiteral("Přerušit") : QStringLiteral("OK"));
    showPanel(true);
    m_cursor->refresh();
    if (key.unknown)
        m_keys.tellUnknownKey();
}

void TFrmKey::storeKey()
{
    showPanel(false);
    m_keys.storeReadKey(m_keyText->text());
    m_cursor->refresh();
}

void TFrmKey::closePanel()
{
    showPanel(false);
}

void TFrmKey::exportTable()
{
    m_keys.exportKeys();
    m_cursor->refresh();
}

void TFrmKey::importTable()
{
    m_keys.importKeys();
    m_cursor->refresh();
}

void TFrmKey::reject()
{
    if (m_panel->isVisible()) {
        closePanel();
        return;
    }
    // A record still edited is posted first; a refused post keeps the
    // window open.
    if (!postPendingEdit(m_keys.keys(), m_keys.messages())) {
        m_cursor->refresh();
        return;
    }
    QDialog::reject();
}

} // namespace vardex
