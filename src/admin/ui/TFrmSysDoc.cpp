#include "admin/ui/TFrmSysDoc.h"

#include "accessdata/TDB0DM.h"
#include "attendance/TVXDM.h"
#include "events/ui/TOUTTXT.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vardex {

namespace {

// How long one slice of a listing may keep the window from repainting.
constexpr int kSliceMs = 40;
constexpr int kRecordsPerStep = 20;

QPushButton *hintedButton(const QString &caption, const QString &hint, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    return button;
}

// The progress bar's range is an int; a table beyond it is shown scaled.
int barValue(qint64 value, qint64 total)
{
    constexpr qint64 limit = 1'000'000;
    return int(total <= limit ? value : value * limit / total);
}

} // namespace

TFrmSysDoc::TFrmSysDoc(TDB0DM &db, TVXDM &vx, FileChooser &files, QWidget *parent)
    : QDialog(parent), m_db(db), m_vx(vx), m_files(files)
{
    setWindowTitle(QStringLiteral("Dokumenty o nastavení systému"));
    setModal(true);

    m_units = hintedButton(QStringLiteral("Popis jednotek"),
                           QStringLiteral("výpis parametrů technické části systému"), this);
    m_keys = hintedButton(QStringLiteral("Seznam klíčů"),
                          QStringLiteral("výpis seznamu osob a používaných klíčů"), this);
    m_permissions =
        hintedButton(QStringLiteral("Přehled oprávnění"),
                     QStringLiteral("výpis oprávnění pro všechny používané klíče"), this);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);

    auto *layout = new QVBoxLayout(this);
    for (QPushButton *button : {m_units, m_keys, m_permissions})
        layout->addWidget(button);
    layout->addWidget(m_progress);
    makeButtonsPlain(this);

    connect(m_units, &QPushButton::clicked, this, [this] { startListing(DocListing::Units); });
    connect(m_keys, &QPushButton::clicked, this, [this] { startListing(DocListing::Keys); });
    connect(m_permissions, &QPushButton::clicked, this,
            [this] { startListing(DocListing::Permissions); });
    // Single shots, started again after each slice: a message box shown
    // within a slice never lets the next slice run inside it.
    m_slices.setSingleShot(true);
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &TFrmSysDoc::runSlice);

    // Whether each table has records is looked at once, as the window opens.
    const Result<bool> units = documentationHasRecords(db, DocListing::Units);
    const Result<bool> keys = documentationHasRecords(db, DocListing::Keys);
    for (const Result<bool> *r : {&units, &keys})
        if (!*r)
            db.messages().error(r->error());
    m_haveUnits = units.valueOr(false);
    m_haveKeys = keys.valueOr(false);
    enableButtons();
}

TFrmSysDoc::~TFrmSysDoc() = default;

void TFrmSysDoc::done(int result)
{
    m_slices.stop();
    m_run.reset();
    enableButtons();
    QDialog::done(result);
}

void TFrmSysDoc::enableButtons()
{
    const bool idle = !m_run;
    m_units->setEnabled(idle && m_haveUnits);
    m_keys->setEnabled(idle && m_haveKeys);
    m_permissions->setEnabled(idle && m_haveKeys);
}

void TFrmSysDoc::startListing(DocListing listing)
{
    if (m_run)
        return;
    m_run = std::make_unique<DocumentationRun>(m_db, m_vx, listing);
    const Result<qint64> total = m_run->start(m_vx.config.outputDir);
    if (!total) {
        m_run.reset();
        m_db.messages().error(total.error());
        return;
    }
    m_progress->setRange(0, std::max(1, barValue(*total, *total)));
    m_progress->setValue(0);
    enableButtons();
    m_slices.start();
}

void TFrmSysDoc::runSlice()
{
    QElapsedTimer slice;
    slice.start();
    Result<bool> done = false;
    do {
        done = m_run->step(kRecordsPerStep);
    } while (done && !*done && slice.elapsed() < kSliceMs);
    m_progress->setValue(barValue(m_run->listed(), m_run->total()));
    if (!done) {
        m_run.reset();
        enableButtons();
        m_db.messages().error(done.error());
        return;
    }
    if (!*done) {
        m_slices.start();
        return;
    }
    endListing();
}

void TFrmSysDoc::endListing()
{
    m_run.reset();
    enableButtons();
    TOUTTXT::showReport(m_vx.config.outputDir, m_files, m_db.messages(), this);
}

} // namespace vardex
