#include "attendance/ui/TDOCHAZ.h"

#include "accessdata/TDB0DM.h"
#include "admin/ui/TFrmSelK.h"
#include "app/Application.h"
#include "attendance/TVXDM.h"
#include "attendance/ui/CorrectionWindows.h"
#include "attendance/ui/TFrmDErr.h"
#include "attendance/ui/TFrmPrs.h"
#include "attendance/ui/TROCPLN.h"
#include "attendance/ui/TTABROZ.h"
#include "events/ui/TOUTTXT.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vardex {

namespace {

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TDOCHAZ::TDOCHAZ(Application &app, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_app(app), m_run(app.db0, app.vx, app.workDir())
{
    setWindowTitle(QStringLiteral("Vyhodnocení docházky"));
    setObjectName(QStringLiteral("TDOCHAZ"));
    buildLayout();
    makeButtonsPlain(this);

    showReport = [this] {
        TOUTTXT::showReport(m_app.vx.config.outputDir, m_app.files(), m_app.messages(), this);
    };
    m_run.planFor = standardPlanSource(app.db0, app.vx, app.rpl);
    m_run.noteAdded = [this](const QString &line) {
        m_notes->addItem(line);
        m_notes->scrollToBottom();
    };
    m_run.progress = [this](qint64 done, qint64 total) {
        m_progress->setValue(total > 0 ? int(done * 200 / total) : 0);
        QCoreApplication::processEvents();
        return !m_stopRequested;
    };
    m_run.showReport = [this] {
        if (showReport)
            showReport();
    };
    m_run.showErrors = [this] {
        TFrmDErr errors(m_app.db0, m_app.vx, this);
        errors.showDay = [this](const QDate &day) { openErrorDay(m_app, day, this); };
        errors.exec();
    };
    m_run.correctResults = [this](const QString &title) { openCorrections(m_run, title, this); };

    // The window's starting state.
    m_group->setEnabled(m_app.vx.tbPrs.recordCount() > 0);
    tell(m_app.vx.tbVdErEmptyTable());
    m_app.db0.tbEvents.setIndex(QStringLiteral("IndexCTMDATUMCAS"));
    tell(m_run.clearReport());
    enableAfterPeriod(false);
    m_key->setEnabled(false);
    m_batch->setEnabled(false);
}

TDOCHAZ::~TDOCHAZ()
{
    m_app.vx.tbVder.close();
    m_app.vx.tbVdch.close();
}

void TDOCHAZ::buildLayout()
{
    m_periodText = new QLabel(this);
    m_period = button(QStringLiteral("Určit datum zpracování"), this);
    m_name = new QLabel(this);
    m_key = button(QStringLiteral("Vybrat klíč"), this);
    m_compute = button(QStringLiteral("Výpočet pro klíč"), this);
    m_show = button(QStringLiteral("Ukázat sestavu"), this);
    m_clear = button(QStringLiteral("Smazat sestavu"), this);

    auto *batch = new QGroupBox(QStringLiteral("Dávkové zpracování"), this);
    m_batch = button(QStringLiteral("Všechny klíče"), batch);
    m_group = button(QStringLiteral("  Určit skupinu"), batch);
    m_group->setCheckable(true);
    m_stop = button(QStringLiteral("Přerušit"), batch);
    m_stop->hide();
    m_oneOutput = new QCheckBox(QStringLiteral("jako jeden výstup"), batch);
    auto *batchLayout = new QHBoxLayout(batch);
    for (QWidget *w : {static_cast<QWidget *>(m_batch), static_cast<QWidget *>(m_group),
                       static_cast<QWidget *>(m_stop), static_cast<QWidget *>(m_oneOutput)})
        batchLayout->addWidget(w);

    auto *kinds = new QGroupBox(QStringLiteral("Sestava"), this);
    m_kinds = new QButtonGroup(this);
    auto *kindLayout = new QVBoxLayout(kinds);
    const std::pair<ReportKind, QString> kindTexts[] = {
        {ReportKind::Statement, QStringLiteral("výkaz")},
        {ReportKind::ExtendedStatement, QStringLiteral("rozšířený výkaz")},
        {ReportKind::Export, QStringLiteral("formát exportu")},
        {ReportKind::Summary, QStringLiteral("souhrný přehled")}};
    for (const auto &[kind, text] : kindTexts) {
        auto *radio = new QRadioButton(text, kinds);
        m_kinds->addButton(radio, int(kind));
        kindLayout->addWidget(radio);
    }
    m_kinds->button(int(ReportKind::Statement))->setChecked(true);
    m_explanations = new QCheckBox(QStringLiteral("vypisovat vysvětlivky"), kinds);
    m_explanations->setChecked(true);
    kindLayout->addWidget(m_explanations);
    connect(m_kinds, &QButtonGroup::idClicked, this, &TDOCHAZ::kindChosen);

    auto *plans = new QGroupBox(QStringLiteral("Rozpis pracovní doby"), this);
    m_autoPlan = new QRadioButton(QStringLiteral("automatický rozpis"), plans);
    m_manualPlan = new QRadioButton(QStringLiteral("manuálně určený"), plans);
    m_autoPlan->setChecked(true);
    auto *planLayout = new QVBoxLayout(plans);
    planLayout->addWidget(m_autoPlan);
    planLayout->addWidget(m_manualPlan);

    auto *corrections = new QGroupBox(QStringLiteral("Při výpočtu opravovat:"), this);
    m_correctEvents = new QCheckBox(QStringLiteral("nesprávné události"), corrections);
    m_correctReport = new QCheckBox(QStringLiteral("zpracovanou sestavu"), corrections);
    auto *correctionLayout = new QVBoxLayout(corrections);
    correctionLayout->addWidget(m_correctEvents);
    correctionLayout->addWidget(m_correctReport);

    m_events = button(QStringLiteral("Události"), this);
    m_plans = button(QStringLiteral("Rozpisy"), this);
    m_manual = button(QStringLiteral("Ručně"), this);
    auto *service = new QGroupBox(QStringLiteral("Servis"), this);
    m_planView = button(QStringLiteral("Rozpis"), service);
    m_results = button(QStringLiteral("Sestava"), service);
    m_dayEvents = button(QStringLiteral("Udál."), service);
    auto *serviceLayout = new QHBoxLayout(service);
    serviceLayout->addWidget(m_planView);
    serviceLayout->addWidget(m_results);
    serviceLayout->addWidget(m_dayEvents);

    m_notes = new QListWidget(this);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 200);
    m_progress->setValue(0);

    auto *grid = new QGridLayout;
    grid->addWidget(m_period, 0, 0);
    grid->addWidget(m_periodText, 0, 1, 1, 3);
    grid->addWidget(m_key, 1, 0);
    grid->addWidget(m_name, 1, 1, 1, 3);
    grid->addWidget(m_compute, 2, 0);
    grid->addWidget(m_show, 2, 1);
    grid->addWidget(m_clear, 2, 2);
    grid->addWidget(batch, 3, 0, 1, 4);
    grid->addWidget(kinds, 4, 0);
    grid->addWidget(plans, 4, 1);
    grid->addWidget(corrections, 4, 2);
    auto *actions = new QHBoxLayout;
    for (QWidget *w : {m_events, m_plans, m_manual})
        actions->addWidget(w);
    actions->addWidget(service);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(actions);
    layout->addWidget(new QLabel(QStringLiteral("Poznámky "), this));
    layout->addWidget(m_notes, 1);
    layout->addWidget(m_progress);

    connect(m_period, &QPushButton::clicked, this, &TDOCHAZ::choosePeriod);
    connect(m_key, &QPushButton::clicked, this, &TDOCHAZ::chooseKey);
    connect(m_compute, &QPushButton::clicked, this, &TDOCHAZ::computeKey);
    connect(m_batch, &QPushButton::clicked, this, &TDOCHAZ::computeBatch);
    connect(m_stop, &QPushButton::clicked, this, &TDOCHAZ::stopBatch);
    connect(m_show, &QPushButton::clicked, this, &TDOCHAZ::showReportFile);
    connect(m_clear, &QPushButton::clicked, this, &TDOCHAZ::clearReportFile);
    connect(m_events, &QPushButton::clicked, this, [this] { openDayReview(m_app, m_run, this); });
    connect(m_manual, &QPushButton::clicked, this, [this] {
        readOptions();
        makeManualReport(m_app, m_run, this, showReport);
    });
    connect(m_results, &QPushButton::clicked, this, [this] {
        openCorrections(m_run, QStringLiteral("Sestava: ") + m_run.workerName(), this);
    });
    connect(m_dayEvents, &QPushButton::clicked, this,
            [this] { openWorkFileListing(m_app, m_run, this); });
    connect(m_plans, &QPushButton::clicked, this, [this] { TROCPLN::showWindow(m_app, this); });
    connect(m_planView, &QPushButton::clicked, this, &TDOCHAZ::showMonthPlan);
    resize(640, 600);
}

QRadioButton *TDOCHAZ::kindButton(ReportKind kind) const
{
    return qobject_cast<QRadioButton *>(m_kinds->button(int(kind)));
}

void TDOCHAZ::kindChosen(int id)
{
    if (id == int(ReportKind::Export) || id == int(ReportKind::Summary))
        m_oneOutput->setChecked(true);
}

void TDOCHAZ::readOptions()
{
    AttendanceOptions &o = m_run.options;
    o.kind = ReportKind(m_kinds->checkedId());
    o.explanations = m_explanations->isChecked();
    o.plan = m_manualPlan->isChecked() ? PlanChoice::Manual : PlanChoice::Automatic;
    o.oneOutput = m_oneOutput->isChecked();
    o.correctEvents = m_correctEvents->isChecked();
    o.correctReport = m_correctReport->isChecked();
}

bool TDOCHAZ::tell(const Result<void> &done)
{
    if (!done)
        m_app.messages().error(done.error());
    return done.ok();
}

void TDOCHAZ::setBusy(bool busy)
{
    m_busy = busy;
    for (QWidget *w : findChildren<QPushButton *>())
        w->setEnabled(!busy);
    m_stop->setVisible(busy);
    m_stop->setEnabled(busy);
    if (!busy)
        m_progress->setValue(0);
}

void TDOCHAZ::enableAfterPeriod(bool extracted)
{
    m_key->setEnabled(extracted);
    m_batch->setEnabled(extracted);
    m_compute->setEnabled(extracted && !m_app.db0.chosenKey.isEmpty());
    m_show->setEnabled(false);
}

void TDOCHAZ::choosePeriod()
{
    if (!m_run.IntervalZpracovaniDochazky())
        return;
    m_periodText->setText(m_app.db0.ObdobiZpracovani());
    setBusy(true);
    const Result<void> read = m_run.ReserseDat();
    setBusy(false);
    if (!read)
        m_app.messages().error(read.error());
    enableAfterPeriod(read.ok());
    m_compute->setEnabled(false);
}

void TDOCHAZ::chooseKey()
{
    m_app.db0.chosenKey.clear();
    TFrmSelK keys(m_app.db0, this);
    keys.exec();
    const QString ctm = m_app.db0.chosenKey;
    m_name->setText(ctm.isEmpty() ? QString() : m_app.db0.tbKeyNameOfKey(ctm));
    m_compute->setEnabled(!ctm.isEmpty() && m_run.extracted());
}

void TDOCHAZ::computeKey()
{
    readOptions();
    setBusy(true);
    const Result<bool> done = m_run.computeChosenKey();
    setBusy(false);
    enableAfterPeriod(true);
    if (!done)
        m_app.messages().error(done.error());
    m_name->setText(m_run.workerName());
    m_show->setEnabled(true);
}

void TDOCHAZ::computeBatch()
{
    readOptions();
    const QString groupBefore = m_app.db0.chosenGroup;
    if (m_group->isChecked()) {
        TFrmPrs groups(m_app.db0, m_app.vx, this);
        groups.exec();
    } else {
        m_app.db0.chosenGroup.clear();
    }
    m_stopRequested = false;
    setBusy(true);
    const Result<BatchOutcome> done = m_run.ZpracovaniDavky();
    setBusy(false);
    if (!m_group->isChecked())
        m_app.db0.chosenGroup = groupBefore;
    enableAfterPeriod(true);
    if (!done)
        m_app.messages().error(done.error());
    m_name->setText(m_run.workerName());
    m_show->setEnabled(m_run.options.oneOutput);
}

void TDOCHAZ::showMonthPlan()
{
    const QString ctm = m_app.db0.chosenKey;
    if (ctm.isEmpty() || m_app.db0.JeprazdnyInterval()) {
        m_app.messages().information(QStringLiteral("Nebyl určen klíč nebo období."));
        return;
    }
    if (!m_app.db0.tbKeyExactCTM(ctm))
        return;
    readOptions();
    const Result<PlannedMonth> month = m_run.planFor(m_run.options.plan);
    if (!month)
        return; // the plan source has told why
    TTABROZ::showMonthPlan(*month, QStringLiteral("Rozpis: ") + m_app.db0.tbKeyJmenoTituly(0),
                           this);
}

void TDOCHAZ::reject()
{
    if (m_busy) {
        m_stopRequested = true;
        return;
    }
    QDialog::reject();
}

void TDOCHAZ::stopBatch()
{
    m_stopRequested = true;
}

void TDOCHAZ::showReportFile()
{
    if (showReport)
        showReport();
}

void TDOCHAZ::clearReportFile()
{
    tell(m_run.clearReport());
}

} // namespace vardex
