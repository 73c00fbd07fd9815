#include "events/ui/TEVEDB.h"

#include "accessdata/TDB0DM.h"
#include "admin/ui/GridCursor.h"
#include "admin/ui/RecordNavigator.h"
#include "admin/ui/TFrmSelK.h"
#include "admin/ui/TFrmSelU.h"
#include "events/ui/EventFilterPanels.h"
#include "events/ui/TEVESPE.h"
#include "events/ui/TFrmSel2T.h"
#include "events/ui/TOUTTXT.h"
#include "events/ui/TRESFLT.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"
#include "tables/TableGridModel.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace vardex {

namespace {

template <typename W> W *hinted(W *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
    return widget;
}

// Cells drawn as selected, but not as the current one, in a row of an
// event the operator added get a red frame.
class AddedEventFrame : public QStyledItemDelegate
{
public:
    AddedEventFrame(const TableGridModel *model, int oriField, QObject *parent)
        : QStyledItemDelegate(parent), m_model(model), m_ori(oriField)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!(option.state & QStyle::State_Selected) || (option.state & QStyle::State_HasFocus))
            return;
        const QVariantList row = m_model->rowValues(index.row());
        if (m_ori >= row.size() || row[m_ori].toLongLong() != 0)
            return;
        painter->save();
        painter->setPen(QPen(Qt::red, 2));
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        painter->restore();
    }

private:
    const TableGridModel *m_model;
    int m_ori;
};

} // namespace

TEVEDB::TEVEDB(TDB0DM &db, const QString &outputDir, FileChooser &files, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      m_db(db), m_outputDir(outputDir), m_files(files), m_browser(db),
      m_list(QFileInfo(db.tbEvents.filePath()).absolutePath())
{
    setWindowTitle(QStringLiteral("Přhled událostí v systému"));
    setObjectName(QStringLiteral("TEVEDB"));
    Table &events = m_browser.events();
    const EventRowLayout rowLayout(events.schema());
    EventTextCache &texts = m_browser.texts();

    // The code columns show words while the window is open.
    const QList<GridColumn> columns = {
        {QStringLiteral("DATUM"), eventColumnTitle(QStringLiteral("DATUM")), true, {}, {}},
        {QStringLiteral("CAS"),
         eventColumnTitle(QStringLiteral("CAS")),
         true,
         [](const QVariant &v) { return v.toTime().toString(QStringLiteral("hh:mm")); },
         {}},
        {QStringLiteral("AHWJ"),
         eventColumnTitle(QStringLiteral("AHWJ")),
         true,
         [this, &texts](const QVariant &v) { return looked(texts.unitColumn(v.toString())); },
         {}},
        {QStringLiteral("CTM"),
         eventColumnTitle(QStringLiteral("CTM")),
         true,
         [this, &texts](const QVariant &v) { return looked(texts.keyColumn(v.toString())); },
         {}},
        {QStringLiteral("RES"),
         eventColumnTitle(QStringLiteral("RES")),
         true,
         {},
         [this, &texts, rowLayout](const QVariantList &stored) {
             const EventRow e = rowLayout(stored);
             return looked(texts.resultColumn(e.addr, e.res));
         }},
    };

    auto *main = new QWidget(this);
    m_model = new TableGridModel(events, columns, this);
    m_grid = new QTableView(main);
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setItemDelegate(
        new AddedEventFrame(m_model, events.schema().fieldIndex(QStringLiteral("ORI")), m_grid));
    const int widths[] = {90, 50, 160, 200};
    for (int c = 0; c < 4; ++c)
        m_grid->setColumnWidth(c, widths[c]);

    m_navigator = new RecordNavigator(events, db.messages(), RecordNavigator::movingOnly(), main);
    m_navigator->setHints({QStringLiteral("na první "), QStringLiteral("na předchozí"),
                           QStringLiteral("na další"), QStringLiteral("na poslední")});
    m_counter = new QLabel(main);

    auto *filters = new QGroupBox(QStringLiteral("Filtry"), main);
    auto *filterGrid = new QGridLayout(filters);
    const char *const hints[] = {"Datum",    "Čas",      "Klíč",
                                 "Jednotka", "Výsledek", "Seznam filtrů (pro speciální použití)"};
    for (int i = 0; i <= FilterPartCount; ++i) {
        const QString hint = QString::fromUtf8(hints[i]);
        auto *criterion =
            hinted(new QToolButton(filters), QStringLiteral("Určit kritérium výběru"));
        criterion->setText(QStringLiteral("…"));
        auto *toggle = hinted(new QToolButton(filters), hint);
        toggle->setText(i < FilterPartCount ? hint : QStringLiteral("Speciální"));
        toggle->setCheckable(true);
        toggle->setMinimumWidth(80);
        filterGrid->addWidget(criterion, 0, i, Qt::AlignHCenter);
        filterGrid->addWidget(toggle, 1, i);
        m_criteria[size_t(i)] = criterion;
        m_toggles[size_t(i)] = toggle;
        connect(criterion, &QToolButton::clicked, this, [this, i] { chooseCriterion(i); });
        connect(toggle, &QToolButton::toggled, this, [this, i](bool on) { toggled(i, on); });
    }

    m_sort = hinted(new QComboBox(main), QStringLiteral("Výběr třídění"));
    for (const SortEntry &entry : m_browser.sortSelector())
        m_sort->addItem(entry.caption);
    m_search = hinted(new QLineEdit(main), QStringLiteral("Text pro vyhledání zadané položky.\n"
                                                          "Dvojitý poklep aktivuje hledání."));
    m_search->installEventFilter(this);
    m_searchCaption = new QLabel(QStringLiteral("Hledaný text"), main);
    m_searchCaption->setBuddy(m_search);
    auto *sortCaption = new QLabel(QStringLiteral("Třídit podle"), main);
    sortCaption->setBuddy(m_sort);

    m_print = hinted(new QPushButton(QStringLiteral("Tisknout"), main),
                     QStringLiteral("Opis záznamů do souboru"));
    m_erase = hinted(new QPushButton(QStringLiteral("Smazat"), main),
                     QStringLiteral("Vymaže záznamy databáze do zadaného data"));
    m_showFilters = hinted(new QPushButton(QStringLiteral("Ukázat filtry"), main),
                           QStringLiteral("Ukáže texty filtrů"));
    m_utilities = hinted(new QPushButton(QStringLiteral("Speciální utility"), main),
                         QStringLiteral("Speciální utility"));

    auto *navigation = new QHBoxLayout;
    navigation->addWidget(m_navigator);
    navigation->addStretch();
    navigation->addWidget(m_counter);
    auto *sorting = new QHBoxLayout;
    sorting->addWidget(sortCaption);
    sorting->addWidget(m_sort);
    sorting->addSpacing(12);
    sorting->addWidget(m_searchCaption);
    sorting->addWidget(m_search, 1);
    auto *actions = new QHBoxLayout;
    for (QPushButton *b : {m_print, m_erase, m_showFilters, m_utilities})
        actions->addWidget(b);
    actions->addStretch();
    auto *mainLayout = new QVBoxLayout(main);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(m_grid, 1);
    mainLayout->addWidget(filters);
    mainLayout->addLayout(navigation);
    mainLayout->addLayout(sorting);
    mainLayout->addLayout(actions);

    m_overview = new FilterOverviewPanel(this);
    m_free = new FreeFilterPanel(m_list, this);
    m_overview->hide();
    m_free->hide();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(main, 1);
    layout->addWidget(m_overview);
    layout->addWidget(m_free);
    resize(900, 640);
    makeButtonsPlain(this);

    connect(m_sort, &QComboBox::activated, this, &TEVEDB::sortChosen);
    connect(m_search, &QLineEdit::returnPressed, this, &TEVEDB::searchRequested);
    connect(m_print, &QPushButton::clicked, this, &TEVEDB::printClicked);
    connect(m_erase, &QPushButton::clicked, this, &TEVEDB::eraseClicked);
    connect(m_showFilters, &QPushButton::clicked, this, &TEVEDB::showFiltersClicked);
    connect(m_utilities, &QPushButton::clicked, this, &TEVEDB::utilitiesClicked);
    connect(m_overview->doneButton(), &QPushButton::clicked, this, [this] { showPanel(nullptr); });
    connect(m_free->readButton(), &QPushButton::clicked, this, &TEVEDB::readListClicked);
    connect(m_free->writeButton(), &QPushButton::clicked, this, &TEVEDB::writeListClicked);
    connect(m_free->clearButton(), &QPushButton::clicked, this, &TEVEDB::clearListClicked);
    connect(m_free->selectButton(), &QPushButton::clicked, this, &TEVEDB::selectFreeClicked);
    connect(m_free->cancelButton(), &QPushButton::clicked, this, [this] { showPanel(nullptr); });
    m_cursor = new GridCursor(m_grid, m_model, m_navigator, this);

    m_free->showList();
    sortChosen(0);
}

TEVEDB::~TEVEDB()
{
    // The translations go with the grid, before the browser closes the table.
    m_grid->setModel(nullptr);
    delete m_model;
}

QString TEVEDB::looked(const Result<QString> &text)
{
    if (text)
        return *text;
    // Told once, after the painting that asked.
    if (!m_lookupFailed) {
        m_lookupFailed = true;
        QTimer::singleShot(0, this, [this, why = text.error()] { m_db.messages().error(why); });
    }
    return QString();
}

void TEVEDB::report(const Result<void> &outcome)
{
    if (!outcome)
        m_db.messages().error(outcome.error());
    refresh();
}

void TEVEDB::refresh()
{
    m_cursor->refresh();
    const Result<qint64> n = m_browser.count();
    m_counter->setText(n ? QStringLiteral("%1 záznamů").arg(*n) : QString());
    m_print->setEnabled(n && *n > 0);
}

void TEVEDB::showPanel(QWidget *panel)
{
    m_overview->setVisible(panel == m_overview);
    m_free->setVisible(panel == m_free);
}

void TEVEDB::chooseCriterion(int part)
{
    switch (FilterPart(part)) {
    case FilterPart::Date:
        m_db.UrceniIntervaluZpracovani(31);
        break;
    case FilterPart::Time: {
        TFrmSel2T dialog(m_db, this);
        dialog.exec();
        break;
    }
    case FilterPart::Key: {
        TFrmSelK dialog(m_db, this);
        dialog.exec();
        break;
    }
    case FilterPart::Unit: {
        TFrmSelU dialog(m_db, this);
        dialog.exec();
        break;
    }
    case FilterPart::Result:
        if (const std::optional<QString> text = TRESFLT::choose(this))
            report(m_browser.setResultText(*text));
        return;
    default:
        m_free->showList();
        showPanel(m_free);
        return;
    }
    report(m_browser.takeCriterion(FilterPart(part)));
}

void TEVEDB::toggled(int part, bool on)
{
    if (part < FilterPartCount)
        report(m_browser.setOn(FilterPart(part), on));
    else
        report(m_browser.setFreeFilterOn(on, m_free->text()));
}

void TEVEDB::sortChosen(int entry)
{
    const Result<void> sorted = m_browser.sortBy(entry);
    m_sort->setCurrentIndex(m_browser.sortEntry());
    const bool searchable = m_browser.searchEnabled();
    m_search->clear();
    m_search->setEnabled(searchable);
    m_searchCaption->setEnabled(searchable);
    report(sorted);
}

void TEVEDB::searchRequested()
{
    if (m_search->text().isEmpty())
        return;
    report(m_browser.search(m_search->text()));
}

void TEVEDB::printClicked()
{
    const Result<bool> printed = m_browser.print(m_outputDir);
    if (!printed)
        m_db.messages().error(printed.error());
    else if (*printed)
        TOUTTXT::showReport(m_outputDir, m_files, m_db.messages(), this);
}

void TEVEDB::eraseClicked()
{
    const Result<std::optional<qint64>> erased = m_browser.eraseUpToDay();
    report(erased ? Result<void>() : erased.failure());
}

void TEVEDB::showFiltersClicked()
{
    std::array<QString, FilterPartCount> texts;
    for (int i = 0; i < FilterPartCount; ++i)
        texts[size_t(i)] = m_browser.component(FilterPart(i)).text;
    m_overview->fill(texts, m_browser.appliedFilter());
    showPanel(m_overview);
}

void TEVEDB::utilitiesClicked()
{
    {
        TEVESPE utilities(QFileInfo(m_db.tbEvents.filePath()).absolutePath(), m_db.messages(),
                          this);
        utilities.exec();
    }
    // The utilities wrote through their own cursor.
    m_db.tbEvents.refresh();
    refresh();
}

void TEVEDB::readListClicked()
{
    if (const Result<void> read = m_list.read(); !read)
        m_db.messages().information(read.error());
    m_free->showList();
    m_free->box()->setEditText(m_list.expressions().value(0));
}

void TEVEDB::writeListClicked()
{
    if (m_list.fileExists() && m_db.messages().askYesNo(m_list.overwriteQuestion()) != Answer::Yes)
        return;
    if (const Result<void> written = m_list.write(); !written)
        m_db.messages().error(written.error());
    m_free->showList();
}

void TEVEDB::clearListClicked()
{
    if (m_db.messages().askOkCancel(QStringLiteral("Skutečně smazat seznam?")) != Answer::Ok)
        return;
    m_list.clear();
    m_free->showList();
}

void TEVEDB::selectFreeClicked()
{
    showPanel(nullptr);
    report(m_browser.selectFreeFilter(m_free->text()));
}

bool TEVEDB::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_search && event->type() == QEvent::MouseButtonDblClick) {
        searchRequested();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TEVEDB::reject()
{
    if (m_overview->isVisible() || m_free->isVisible()) {
        showPanel(nullptr);
        return;
    }
    QDialog::reject();
}

} // namespace vardex
