#include "admin/ui/TFrmUni.h"

#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "admin/PendingEdit.h"
#include "admin/ui/FieldColumnWidths.h"
#include "admin/ui/GridCursor.h"
#include "admin/ui/RecordNavigator.h"
#include "admin/ui/UnitEditorPanels.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"
#include "tables/TableGridModel.h"
#include "text/HexText.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace vardex {

namespace {

QList<GridColumn> unitColumns()
{
    QList<GridColumn> columns = {
        {QStringLiteral("ADRESA"), QStringLiteral("Adresa"), false, {}},
        {QStringLiteral("NAZEV"), QStringLiteral("Název"), false, {}},
        {QStringLiteral("TYP"), QStringLiteral("Typ"), true, {}},
        {QStringLiteral("POUZITI"), QStringLiteral("Použití"), true, {}},
        {QStringLiteral("ALARM"), QStringLiteral("Poplach"), true, {}},
        {QStringLiteral("RELE"), QStringLiteral("Relé"), true, {}},
        {QStringLiteral("KONFIG"), QStringLiteral("Konfigurační data"), true, {}},
    };
    for (int i = 0; i < UnitSensorCount; ++i)
        columns.append({unitSensorField(i), unitSensorField(i), false, {}});
    for (int i = 0; i < UnitResultCount; ++i)
        columns.append({unitResultField(i), unitResultField(i), false, {}});
    return columns;
}

// The address cell takes one or two hex digits and stores them as the
// unit's two upper-case digits ("5" becomes "05").
class AddressDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override
    {
        auto *edit = new QLineEdit(parent);
        edit->setMaxLength(2);
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,2}")), edit));
        return edit;
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        const auto *edit = static_cast<QLineEdit *>(editor);
        if (const std::optional<quint8> address = parseHexByte(edit->text()))
            model->setData(index, byteToHex(*address));
    }
};

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

} // namespace

int TFrmUni::columnOf(const QString &field)
{
    static const QList<GridColumn> columns = unitColumns();
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].field == field)
            return i;
    return -1;
}

TFrmUni::TFrmUni(TDB0DM &db, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      m_units(db)
{
    setWindowTitle(QStringLiteral("Databáze hardwarových jednotek"));
    setObjectName(QStringLiteral("TFrmUni"));
    Table &units = m_units.units();

    m_main = new QWidget(this);
    m_navigator =
        new RecordNavigator(units, db.messages(), RecordNavigator::withoutInsert(), m_main);
    m_navigator->setHints({QStringLiteral("na první "), QStringLiteral("na předchozí"),
                           QStringLiteral("na další"), QStringLiteral("na poslední"),
                           QStringLiteral("smazat"), QStringLiteral("opravit"),
                           QStringLiteral("hotovo"), QStringLiteral("zrušit")});
    m_new = new QPushButton(QStringLiteral("Nová"), m_main);
    setHint(m_new, QStringLiteral("nový záznam"));

    m_model = new TableGridModel(units, unitColumns(), this);
    m_grid = new QTableView(m_main);
    m_grid->setModel(m_model);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->setItemDelegateForColumn(columnOf(QStringLiteral("ADRESA")),
                                     new AddressDelegate(m_grid));
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    fitColumnsToFields(m_grid, units.schema(), unitColumns());
    setHint(m_grid, QStringLiteral("Dvojité poklepání v režimu opravit - změna parametrů"));

    auto *top = new QHBoxLayout;
    top->addWidget(m_navigator);
    top->addSpacing(12);
    top->addWidget(m_new);
    top->addStretch();
    auto *mainLayout = new QVBoxLayout(m_main);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addLayout(top);
    mainLayout->addWidget(m_grid, 1);

    m_typeSelector = new UnitTypeSelector(this);
    m_alarmPanel = new MaskPanel(QStringLiteral("Maska poplachu"), this);
    m_relayPanel = new MaskPanel(QStringLiteral("Maska otevření dveří"), this);
    m_usePanel = new UseMaskPanel(this);
    m_doorTimePanel = new DoorTimePanel(this);
    m_doorPanel = new DoorParametersPanel(this);
    m_barrierPanel = new BarrierParametersPanel(this);

    auto *panels = new QHBoxLayout;
    panels->addWidget(m_typeSelector);
    const std::pair<EditorPanel *, UnitEditor> editors[] = {
        {m_alarmPanel, UnitEditor::AlarmMask},     {m_relayPanel, UnitEditor::RelayMask},
        {m_usePanel, UnitEditor::UseMask},         {m_doorTimePanel, UnitEditor::DoorTime},
        {m_doorPanel, UnitEditor::DoorParameters}, {m_barrierPanel, UnitEditor::BarrierParameters},
    };
    for (const auto &[panel, editor] : editors) {
        panels->addWidget(panel);
        panel->hide();
        const UnitEditor which = editor;
        connect(panel, &EditorPanel::finished, this, [this, which] { finishEditor(which); });
        connect(panel, &EditorPanel::cancelled, this, &TFrmUni::closeSubDialog);
    }
    m_typeSelector->hide();
    panels->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_main, 1);
    layout->addLayout(panels);
    resize(900, 500);
    makeButtonsPlain(this);

    connect(m_new, &QPushButton::clicked, this, &TFrmUni::newUnit);
    connect(m_typeSelector, &UnitTypeSelector::picked, this, &TFrmUni::typePicked);
    connect(m_typeSelector, &UnitTypeSelector::cancelled, this, &TFrmUni::closeSubDialog);
    connect(m_navigator, &RecordNavigator::updated, this,
            [this] { m_new->setEnabled(m_units.canAddUnit()); });
    connect(m_grid, &QTableView::doubleClicked, this, &TFrmUni::cellDoubleClicked);
    m_cursor = new GridCursor(m_grid, m_model, m_navigator, this);

    if (units.isEmpty())
        units.first();
    m_cursor->showCurrent();
}

TFrmUni::~TFrmUni() = default;

void TFrmUni::openSubDialog(QWidget *panel)
{
    m_main->setEnabled(false);
    m_open = panel;
    panel->show();
}

void TFrmUni::closeSubDialog()
{
    if (m_open)
        m_open->hide();
    m_open = nullptr;
    m_main->setEnabled(true);
}

void TFrmUni::newUnit()
{
    if (m_open || !m_units.canAddUnit())
        return;
    openSubDialog(m_typeSelector);
}

void TFrmUni::typePicked(quint8 type)
{
    if (m_open != m_typeSelector)
        return;
    closeSubDialog();
    Table &units = m_units.units();
    if (!m_units.addUnit(type) && units.state() == TableState::Insert)
        units.cancel();
    m_cursor->refresh();
}

void TFrmUni::cellDoubleClicked(const QModelIndex &index)
{
    if (m_open || !index.isValid())
        return;
    static const QList<GridColumn> columns = unitColumns();
    const UnitEditor editor = m_units.editorForField(columns[index.column()].field);
    if (editor != UnitEditor::None)
        openEditor(editor);
}

void TFrmUni::openEditor(UnitEditor editor)
{
    QWidget *panel = nullptr;
    switch (editor) {
    case UnitEditor::AlarmMask:
        m_alarmPanel->load(m_units.alarmEditor());
        panel = m_alarmPanel;
        break;
    case UnitEditor::RelayMask:
        m_relayPanel->load(m_units.relayEditor());
        panel = m_relayPanel;
        break;
    case UnitEditor::UseMask:
        m_usePanel->load(m_units.useEditor());
        panel = m_usePanel;
        break;
    case UnitEditor::DoorTime:
        m_doorTimePanel->load(m_units.doorTime());
        panel = m_doorTimePanel;
        break;
    case UnitEditor::DoorParameters:
        m_doorPanel->load(m_units.inputNames(), m_units.doorParameters());
        panel = m_doorPanel;
        break;
    case UnitEditor::BarrierParameters: {
        const std::array<QString, 4> names = m_units.inputNames();
        m_barrierPanel->load({names[0], names[1]}, m_units.barrierParameters());
        panel = m_barrierPanel;
        break;
    }
    case UnitEditor::None:
        return;
    }
    openSubDialog(panel);
}

void TFrmUni::finishEditor(UnitEditor editor)
{
    closeSubDialog();
    switch (editor) {
    case UnitEditor::AlarmMask:
        m_units.storeAlarm(m_alarmPanel->mask());
        break;
    case UnitEditor::RelayMask:
        m_units.storeRelay(m_relayPanel->mask());
        break;
    case UnitEditor::UseMask:
        m_units.storeUse(m_usePanel->boxes());
        break;
    case UnitEditor::DoorTime:
        m_units.storeDoorTime(m_doorTimePanel->seconds());
        break;
    case UnitEditor::DoorParameters:
        m_units.storeDoorParameters(m_doorPanel->parameters());
        break;
    case UnitEditor::BarrierParameters:
        m_units.storeBarrierParameters(m_barrierPanel->parameters());
        break;
    case UnitEditor::None:
        break;
    }
    m_cursor->refresh();
}

void TFrmUni::reject()
{
    if (m_open) {
        closeSubDialog();
        return;
    }
    // A record still edited is posted first; a refused post keeps the
    // window open.
    if (!postPendingEdit(m_units.units(), m_units.messages())) {
        m_cursor->refresh();
        return;
    }
    QDialog::reject();
}

} // namespace vardex
