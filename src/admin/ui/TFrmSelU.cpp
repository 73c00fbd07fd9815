#include "admin/ui/TFrmSelU.h"

#include "accessdata/TDB0DM.h"
#include "tables/TableGridModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vardex {

namespace {

// Rows are marked and unmarked one at a time by Ctrl+click; a click or a
// key without Ctrl only moves the current row and drops the marks.
class MarkingView : public QTableView
{
public:
    using QTableView::QTableView;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override
    {
        if (!event || !index.isValid())
            return QItemSelectionModel::NoUpdate;
        const bool ctrl =
            event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress
                ? static_cast<const QInputEvent *>(event)->modifiers() & Qt::ControlModifier
                : false;
        if (event->type() == QEvent::MouseButtonPress)
            return ctrl ? QItemSelectionModel::Toggle | QItemSelectionModel::Rows
                        : QItemSelectionModel::Clear;
        if (event->type() == QEvent::KeyPress && !ctrl)
            return QItemSelectionModel::Clear;
        return QItemSelectionModel::NoUpdate;
    }
};

} // namespace

TFrmSelU::TFrmSelU(TDB0DM &db, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_db(db), m_chooser(db)
{
    setWindowTitle(QStringLiteral("Určení hardwarové jednotky"));
    setObjectName(QStringLiteral("TFrmSelU"));

    Table &units = db.tbUni;
    if (units.isEmpty())
        units.first();
    m_model =
        new TableGridModel(units,
                           {{QStringLiteral("ADRESA"), QStringLiteral("Adresa"), true, {}},
                            {QStringLiteral("NAZEV"), QStringLiteral("Název jednotky"), true, {}}},
                           this);
    m_grid = new MarkingView(this);
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::MultiSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    const QString hint = QStringLiteral("[CTRL]+klepnutí myší označí požadovanou jednotku");
    m_grid->setToolTip(hint);
    m_grid->setStatusTip(hint);

    m_all = new QPushButton(QStringLiteral("Všechny"), this);
    m_cancel = new QPushButton(QStringLiteral("Přerušit"), this);
    m_done = new QPushButton(QStringLiteral("Hotovo"), this);
    m_done->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_all);
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_done);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(420, 360);

    connect(m_all, &QPushButton::clicked, this, &TFrmSelU::all);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_done, &QPushButton::clicked, this, &TFrmSelU::done);
    connect(m_grid, &QTableView::doubleClicked, this, &TFrmSelU::rowDoubleClicked);
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFrmSelU::marksChanged);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_model->moveTo(current.row());
            });

    const int row = m_model->currentRow();
    if (row >= 0)
        m_grid->setCurrentIndex(m_model->index(row, 0));
}

TFrmSelU::~TFrmSelU() = default;

void TFrmSelU::marksChanged(const QItemSelection &marked, const QItemSelection &unmarked)
{
    // The list keeps the order of marking: a row unmarked leaves it, a row
    // marked goes to its end.
    for (const QModelIndex &i : unmarked.indexes())
        m_marked.removeAll(i.row());
    for (const QModelIndex &i : marked.indexes())
        if (!m_marked.contains(i.row()))
            m_marked.append(i.row());
}

QString TFrmSelU::addressAt(int row) const
{
    return m_model->data(m_model->index(row, 0), Qt::EditRole).toString();
}

QString TFrmSelU::currentAddress() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? addressAt(current.row()) : QString();
}

void TFrmSelU::rowDoubleClicked(const QModelIndex &index)
{
    if (index.isValid())
        m_chooser.chooseRow(addressAt(index.row()));
}

void TFrmSelU::done()
{
    QStringList marked;
    for (int row : m_marked)
        marked.append(addressAt(row));
    m_chooser.done(currentAddress(), marked);
    accept();
}

void TFrmSelU::all()
{
    m_chooser.all(currentAddress());
    accept();
}

} // namespace vardex
