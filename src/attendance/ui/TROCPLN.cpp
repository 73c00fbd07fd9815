#include "attendance/ui/TROCPLN.h"

#include "accessdata/TDB0DM.h"
#include "admin/ui/GridCursor.h"
#include "admin/ui/RecordNavigator.h"
#include "admin/ui/TFrmSelK.h"
#include "app/Application.h"
#include "attendance/ui/ShiftBars.h"
#include "attendance/ui/TFrmPozn.h"
#include "attendance/ui/TSMENA.h"
#include "events/ReportFile.h"
#include "events/ui/TOUTTXT.h"
#include "platform/FileChooser.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"
#include "tables/TableGridModel.h"
#include "timecal/DayMonth.h"
#include "timecal/HourMinute.h"
#include "timecal/LongDuration.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vardex {

namespace {

const QString kData = QStringLiteral("DATA");
const QString kPozn = QStringLiteral("POZN");

DayShift dayOf(const QVariant &bytes)
{
    return DayShiftFromBytes(bytes.toByteArray());
}

QList<GridColumn> planColumns()
{
    return {
        {QStringLiteral("DATUM"), QStringLiteral("Datum"), true,
         [](const QVariant &v) {
             const QDate d = v.toDate();
             return d.toString(QStringLiteral("dd.MM.yyyy ")) +
                    DayName(WeekdayFromMonday({d.year(), d.month(), d.day()}));
         }},
        {kData, QStringLiteral("Graf průběhu směny"), true,
         [](const QVariant &v) { return shiftBarText(dayOf(v)); }},
        {kPozn, QStringLiteral("Poznámka"), false, {}},
        {kData, QStringLiteral("Parametry směny"), true,
         [](const QVariant &v) {
             const DayShift day = dayOf(v);
             return FormatHourMinute(day.required) +
                    (day.crosses() ? QStringLiteral(" noc ") : QStringLiteral("     ")) +
                    FormatSection(day.first) + QLatin1Char(' ') + FormatSection(day.second);
         }},
    };
}

QDate dateOfWord(quint16 dayMonth, int year)
{
    return QDate(year, MonthOfDayMonth(dayMonth), DayOfDayMonth(dayMonth));
}

FileRequest patternRequest(const QString &title)
{
    FileRequest r;
    r.title = title;
    r.initialName = QLatin1String(PatternDefaultName);
    r.defaultExtension = QLatin1String(PatternSuffix);
    r.filter = patternFileFilter();
    return r;
}

} // namespace

TROCPLN::TROCPLN(Application &app, QWidget *parent)
    : QDialog(parent), m_app(app), m_plan(app.vx, app.db0, app.rpl)
{
    setWindowTitle(QStringLiteral("Kalendářní plán rozpisů pracovních směn"));
    setObjectName(QStringLiteral("TROCPLN"));
    Table &plan = app.rpl.tbRpl;
    plan.setIndex(QStringLiteral("IndexKLICDATUM"));

    m_holder = new QLabel(this);
    m_period = new QLabel(this);
    m_navigator = new RecordNavigator(plan, app.messages(), RecordNavigator::movingOnly(), this);
    m_model = new TableGridModel(plan, planColumns(), this);
    m_grid = new QTableView(this);
    m_grid->setModel(m_model);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setItemDelegateForColumn(1, new ShiftBarDelegate(m_grid));
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(0, 110);
    m_grid->setColumnWidth(1, ShiftBarWidth + 8);

    const std::pair<const char *, void (TROCPLN::*)()> actions[] = {
        {"Pracovník", &TROCPLN::chooseHolder},       {"Období", &TROCPLN::choosePeriod},
        {"Předepsaný rozpis", &TROCPLN::generate},   {"Prázdný rozpis", &TROCPLN::emptyPeriod},
        {"Vymazat období", &TROCPLN::erasePeriod},   {"Norma za období", &TROCPLN::showNorm},
        {"Opravit směnu", &TROCPLN::editShift},      {"Opravit poznámku", &TROCPLN::editNote},
        {"Smazat poznámku", &TROCPLN::clearNote},    {"Uchovat vzor", &TROCPLN::savePatternFile},
        {"Použít vzor", &TROCPLN::applyPatternFile}, {"Obsah databáze", &TROCPLN::showContents},
        {"Vytisknout", &TROCPLN::printPlan},
    };
    auto *side = new QVBoxLayout;
    for (const auto &[caption, slot] : actions) {
        auto *b = new QPushButton(QString::fromUtf8(caption), this);
        connect(b, &QPushButton::clicked, this, slot);
        m_buttons << b;
        side->addWidget(b);
    }
    side->addStretch();
    auto *close = new QPushButton(QStringLiteral("Zpět"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    side->addWidget(close);

    // "Obsah databáze": the holders with planned days.
    m_contents = new QWidget(this);
    m_holders = new QListWidget(m_contents);
    auto *contents = new QVBoxLayout(m_contents);
    contents->addWidget(
        new QLabel(QStringLiteral("Obsah databáze - rejstřík pracovníků "), m_contents));
    contents->addWidget(m_holders, 1);
    auto *contentButtons = new QHBoxLayout;
    for (const char *caption : {"Na pracovníka", "Vymazat", "Vymazat vše", "Zpět"}) {
        auto *b = new QPushButton(QString::fromUtf8(caption), m_contents);
        const QString text = QString::fromUtf8(caption);
        connect(b, &QPushButton::clicked, this, [this, text] { contentsAction(text); });
        contentButtons->addWidget(b);
    }
    contents->addLayout(contentButtons);
    m_contents->hide();

    auto *left = new QVBoxLayout;
    left->addWidget(m_holder);
    left->addWidget(m_period);
    left->addWidget(m_navigator);
    left->addWidget(m_grid, 1);
    left->addWidget(m_contents, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(side);
    resize(900, 560);
    makeButtonsPlain(this);

    m_cursor = new GridCursor(m_grid, m_model, m_navigator, this);
    showHolder();
}

TROCPLN::~TROCPLN()
{
    Table &plan = m_app.rpl.tbRpl;
    plan.setFiltered(false);
    plan.setFilterText(QString());
    plan.setIndex(QString());
}

void TROCPLN::showWindow(Application &app, QWidget *parent)
{
    TROCPLN window(app, parent);
    window.exec();
}

QPushButton *TROCPLN::button(const QString &caption) const
{
    for (QPushButton *b : m_buttons)
        if (b->text() == caption)
            return b;
    return nullptr;
}

QDate TROCPLN::from() const
{
    const ProcessingInterval &i = m_app.db0.interval;
    return i.isEmpty() ? QDate() : dateOfWord(i.startDate, i.startYear);
}

QDate TROCPLN::to() const
{
    const ProcessingInterval &i = m_app.db0.interval;
    return i.isEmpty() ? QDate() : dateOfWord(i.endDate, i.endYear);
}

template <typename T> bool TROCPLN::told(const Result<T> &result)
{
    if (!result)
        m_app.messages().error(result.error());
    m_cursor->refresh();
    return result.ok();
}

bool TROCPLN::ready()
{
    if (m_app.db0.chosenKey.isEmpty()) {
        m_app.messages().error(QStringLiteral("Není určen pracovník!"));
        return false;
    }
    if (!from().isValid() || !to().isValid()) {
        m_app.messages().error(QStringLiteral("Není určeno období!"));
        return false;
    }
    return true;
}

void TROCPLN::showHolder()
{
    const QString &key = m_app.db0.chosenKey;
    m_holder->setText(QStringLiteral("Pracovník: ") +
                      (key.isEmpty() ? QString() : m_app.db0.tbKeyNameOfKey(key)));
    m_period->setText(QStringLiteral("Období: ") + m_app.db0.ObdobiZpracovani());
    Table &plan = m_app.rpl.tbRpl;
    plan.setIndex(QStringLiteral("IndexKLICDATUM"));
    plan.setFilterText(CalendarPlan::keyFilter(key));
    plan.setFiltered(true);
    plan.first();
    m_cursor->showCurrent();
}

void TROCPLN::chooseHolder()
{
    TFrmSelK dialog(m_app.db0, this);
    dialog.exec();
    showHolder();
}

void TROCPLN::choosePeriod()
{
    m_app.db0.UrceniIntervaluZpracovani(366);
    showHolder();
}

void TROCPLN::generate()
{
    if (!ready())
        return;
    const std::optional<bool> overwrite = CalendarPlan::askOverwrite(m_app.messages());
    if (overwrite)
        told(m_plan.GenerujPredepsanyRozpis(m_app.db0.chosenKey, from(), to(), *overwrite));
}

void TROCPLN::emptyPeriod()
{
    if (!ready() ||
        m_app.messages().askYesNo(QStringLiteral("Skutečně vynulovat tabulku?")) != Answer::Yes)
        return;
    told(m_plan.emptyPeriod(m_app.db0.chosenKey, from(), to()));
}

void TROCPLN::erasePeriod()
{
    if (ready())
        told(m_plan.erasePeriod(m_app.db0.chosenKey, from(), to()));
}

void TROCPLN::showNorm()
{
    if (!ready())
        return;
    const Result<quint32> norm = m_plan.norm(m_app.db0.chosenKey, from(), to());
    if (told(norm))
        m_app.messages().information(QStringLiteral("Norma za období: ") +
                                     FormatLongDuration(*norm));
}

void TROCPLN::editShift()
{
    Table &plan = m_app.rpl.tbRpl;
    if (plan.isEmpty())
        return;
    DayShift day = DayShiftFromBytes(plan.asBytes(kData));
    QString name;
    if (!TSMENA::editShift(day, name, false, m_app.vx, m_app.messages(), m_app.files(), this))
        return;
    if (!plan.edit() || !plan.setBytes(kData, DayShiftToBytes(day)) || !plan.post()) {
        m_app.messages().error(plan.errorMessage());
        plan.cancel();
    }
    m_cursor->refresh();
}

void TROCPLN::editNote()
{
    Table &plan = m_app.rpl.tbRpl;
    if (plan.isEmpty())
        return;
    const std::optional<QString> note =
        TFrmPozn::editNote(plan.asString(kPozn), m_app.files(), m_app.messages(), this);
    if (!note)
        return;
    if (!plan.edit() || !plan.setString(kPozn, *note) || !plan.post()) {
        m_app.messages().error(plan.errorMessage());
        plan.cancel();
    }
    m_cursor->refresh();
}

void TROCPLN::clearNote()
{
    Table &plan = m_app.rpl.tbRpl;
    if (plan.isEmpty())
        return;
    if (!plan.edit() || !plan.setString(kPozn, QString()) || !plan.post()) {
        m_app.messages().error(plan.errorMessage());
        plan.cancel();
    }
    m_cursor->refresh();
}

void TROCPLN::savePatternFile()
{
    if (!ready())
        return;
    const Result<PlanPattern> pattern = m_plan.KlicDoVzoru(m_app.db0.chosenKey, from(), to());
    if (!told(pattern))
        return;
    const std::optional<QString> path =
        m_app.files().chooseSave(patternRequest(QStringLiteral("Uchovat vzor")));
    if (path)
        told(savePattern(*path, *pattern));
}

void TROCPLN::applyPatternFile()
{
    if (!ready())
        return;
    const std::optional<QString> path =
        m_app.files().chooseOpen(patternRequest(QStringLiteral("Použít vzor")));
    if (!path)
        return;
    const Result<PlanPattern> pattern = loadPattern(*path);
    if (!told(pattern))
        return;
    const std::optional<bool> overwrite = CalendarPlan::askOverwrite(m_app.messages());
    if (overwrite)
        told(m_plan.VzorDoKlice(*pattern, m_app.db0.chosenKey, from(), to(), *overwrite));
}

void TROCPLN::showContents()
{
    const Result<QList<PlanHolder>> holders = m_plan.holders();
    if (!told(holders))
        return;
    m_listed = *holders;
    m_holders->clear();
    for (const PlanHolder &h : m_listed)
        m_holders->addItem(h.name);
    m_grid->hide();
    m_contents->show();
}

void TROCPLN::contentsAction(const QString &caption)
{
    const int row = m_holders->currentRow();
    const bool marked = row >= 0 && row < m_listed.size();
    if (caption == QStringLiteral("Na pracovníka") && marked) {
        m_app.db0.chosenKey = m_listed[row].key;
    } else if (caption == QStringLiteral("Vymazat") && marked) {
        if (!told(m_plan.eraseKey(m_listed[row].key)))
            return;
    } else if (caption == QStringLiteral("Vymazat vše")) {
        if (m_app.messages().askYesNo(QStringLiteral("Skutečně smazat celou databázi?")) !=
                Answer::Yes ||
            !told(m_plan.eraseAll()))
            return;
    }
    if (caption == QStringLiteral("Vymazat") || caption == QStringLiteral("Vymazat vše")) {
        showContents();
        return;
    }
    m_contents->hide();
    m_grid->show();
    showHolder();
}

void TROCPLN::printPlan()
{
    if (!ready())
        return;
    const Result<QStringList> lines = m_plan.printLines(m_app.db0.chosenKey, from(), to());
    if (!told(lines))
        return;
    if (!told(writeReportFile(m_app.vx.config.outputDir, *lines)))
        return;
    TOUTTXT::showReport(m_app.vx.config.outputDir, m_app.files(), m_app.messages(), this);
}

} // namespace vardex
