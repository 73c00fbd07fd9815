#include "attendance/ui/TFrmRozDch.h"

#include "admin/PendingEdit.h"
#include "admin/ui/GridCursor.h"
#include "admin/ui/RecordNavigator.h"
#include "app/Application.h"
#include "attendance/AttendanceSchemas.h"
#include "attendance/ScheduleEditing.h"
#include "platform/FileChooser.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"
#include "tables/TableGridModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace vardex {

namespace {

constexpr int kFirstDayColumn = 3;

QList<GridColumn> scheduleColumns()
{
    QList<GridColumn> columns{
        {QStringLiteral("ROZPIS"), QStringLiteral("Název"), false, {}},
        {QStringLiteral("DelkaRozpisu"), QStringLiteral("Délka"), true, {}},
        {QStringLiteral("DatumOd"), QStringLiteral("Počátek od"), false, {}},
    };
    for (int day = 1; day <= ScheduleCycleDays; ++day)
        columns.append({scheduleShiftField(day), QStringLiteral("%1. den").arg(day), true, {}});
    return columns;
}

FileRequest scheduleFileRequest(const QString &title)
{
    FileRequest r;
    r.title = title;
    r.initialName = QStringLiteral("ROZPISY.SDF");
    r.defaultExtension = QStringLiteral("SDF");
    r.filter = QStringLiteral("Exportní soubor|*.SDF|Všechny soubory|*.*");
    return r;
}

} // namespace

// The schedule grid whose day columns carry the current cycle's weekdays.
class ScheduleGridModel : public TableGridModel
{
public:
    using TableGridModel::TableGridModel;

    void setDayTitles(const QStringList &titles)
    {
        if (titles == m_titles)
            return;
        m_titles = titles;
        emit headerDataChanged(Qt::Horizontal, kFirstDayColumn,
                               kFirstDayColumn + ScheduleCycleDays - 1);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        const int day = section - kFirstDayColumn;
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && day >= 0 &&
            day < m_titles.size())
            return m_titles[day];
        return TableGridModel::headerData(section, orientation, role);
    }

private:
    QStringList m_titles;
};

TFrmRozDch::TFrmRozDch(Application &app, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      m_app(app)
{
    setWindowTitle(QStringLiteral("Rozpis směn pro docházku"));
    setObjectName(QStringLiteral("TFrmRozDch"));
    Table &schedules = app.vx.tbDch;
    schedules.setIndex(QString());
    schedules.afterInsert = [&app](Table &t) { newScheduleDefaults(t, app.vx.processingYear()); };

    m_navigator =
        new RecordNavigator(schedules, app.messages(), RecordNavigator::allButtons(), this);
    m_search = new QLineEdit(this);
    auto *searchLabel = new QLabel(QStringLiteral("Hledat:"), this);
    searchLabel->setBuddy(m_search);
    m_model = new ScheduleGridModel(schedules, scheduleColumns(), this);
    m_grid = new QTableView(this);
    m_grid->setModel(m_model);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                            QAbstractItemView::DoubleClicked);

    m_lengthPanel = new QWidget(this);
    m_length = new QSpinBox(m_lengthPanel);
    m_length->setRange(1, ScheduleCycleDays);
    auto *lengthLayout = new QHBoxLayout(m_lengthPanel);
    lengthLayout->addWidget(new QLabel(QStringLiteral("Délka cyklu"), m_lengthPanel));
    lengthLayout->addWidget(m_length);
    m_listPanel = new QWidget(this);
    m_shifts = new QListWidget(m_listPanel);
    auto *listLayout = new QVBoxLayout(m_listPanel);
    listLayout->addWidget(new QLabel(QStringLiteral("Název směny pro den:"), m_listPanel));
    listLayout->addWidget(m_shifts);

    m_reanchor = new QPushButton(QStringLiteral("Upravit pro aktuální rok"), this);
    auto *exportButton = new QPushButton(QStringLiteral("Export databáze"), this);
    auto *importButton = new QPushButton(QStringLiteral("Import databáze"), this);
    auto *close = new QPushButton(QStringLiteral("Zpět"), this);

    auto *top = new QHBoxLayout;
    top->addWidget(m_navigator);
    top->addWidget(searchLabel);
    top->addWidget(m_search, 1);
    top->addWidget(m_lengthPanel);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_grid, 1);
    middle->addWidget(m_listPanel);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_reanchor, exportButton, importButton})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    resize(1000, 520);
    makeButtonsPlain(this);

    m_cursor = new GridCursor(m_grid, m_model, m_navigator, this);
    connect(m_navigator, &RecordNavigator::updated, this, &TFrmRozDch::syncControls);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TFrmRozDch::syncControls);
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_app.vx.tbDchApproxName(text);
        m_cursor->refresh();
    });
    connect(m_length, &QSpinBox::valueChanged, this, [this](int length) {
        Table &t = m_app.vx.tbDch;
        if (m_syncing || (t.state() != TableState::Edit && t.state() != TableState::Insert))
            return;
        t.setInt(QStringLiteral("DelkaRozpisu"), length);
        m_cursor->refresh();
    });
    connect(m_shifts, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { shiftChosen(item->text()); });
    connect(m_reanchor, &QPushButton::clicked, this, &TFrmRozDch::reanchor);
    connect(exportButton, &QPushButton::clicked, this, &TFrmRozDch::exportSchedules);
    connect(importButton, &QPushButton::clicked, this, &TFrmRozDch::importSchedules);
    connect(close, &QPushButton::clicked, this, &TFrmRozDch::reject);

    if (const Result<QStringList> names = shiftNameChoices(m_app.vx.tbSme); names)
        m_shifts->addItems(*names);
    else
        m_app.messages().error(names.error());
    if (schedules.isEmpty())
        schedules.first();
    m_cursor->showCurrent();
    syncControls();
}

TFrmRozDch::~TFrmRozDch()
{
    m_app.vx.tbDch.afterInsert = nullptr;
}

void TFrmRozDch::syncControls()
{
    const Table &t = m_app.vx.tbDch;
    const bool editing = t.state() == TableState::Edit || t.state() == TableState::Insert;
    const int length = t.asInt(QStringLiteral("DelkaRozpisu"));
    const QDate start = t.asDate(QStringLiteral("DatumOd"));
    m_model->setDayTitles(scheduleDayTitles(length, start.isValid() ? start.year() : 0));
    m_syncing = true;
    m_length->setValue(std::clamp(length, 1, ScheduleCycleDays));
    m_syncing = false;
    m_lengthPanel->setVisible(editing);
    m_listPanel->setVisible(editing && m_grid->currentIndex().column() >= kFirstDayColumn);
}

void TFrmRozDch::shiftChosen(const QString &name)
{
    const int day = m_grid->currentIndex().column() - kFirstDayColumn + 1;
    if (day >= 1 && storeScheduleDay(m_app.vx, day, name))
        m_cursor->refresh();
}

void TFrmRozDch::reanchor()
{
    if (!postPendingEdit(m_app.vx.tbDch, m_app.messages()))
        return;
    if (const Result<int> done = m_app.vx.tbDchUpravaBazeProRok(); !done)
        m_app.messages().error(done.error());
    m_cursor->refresh();
    syncControls();
}

void TFrmRozDch::exportSchedules()
{
    if (!postPendingEdit(m_app.vx.tbDch, m_app.messages()))
        return;
    const std::optional<QString> path =
        m_app.files().chooseSave(scheduleFileRequest(QStringLiteral("Export rozpisů")));
    if (!path)
        return;
    if (const Result<int> done = m_app.vx.tbDchExportDatabaze(*path); !done)
        m_app.messages().error(done.error());
}

void TFrmRozDch::importSchedules()
{
    if (!postPendingEdit(m_app.vx.tbDch, m_app.messages()))
        return;
    const std::optional<QString> path =
        m_app.files().chooseOpen(scheduleFileRequest(QStringLiteral("Import rozpisů")));
    if (!path)
        return;
    const TextImportResult done = m_app.vx.tbDchImportDatabaze(*path);
    if (!done.error.isEmpty())
        m_app.messages().error(done.error);
    m_cursor->refresh();
    syncControls();
}

void TFrmRozDch::reject()
{
    if (!postPendingEdit(m_app.vx.tbDch, m_app.messages())) {
        m_cursor->refresh();
        return;
    }
    QDialog::reject();
}

} // namespace vardex
