#include "unitops/ui/TFrmSetAll.h"

#include "accessdata/TDB0DM.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"
#include "unitops/UploadStatistics.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace vardex {

TFrmSetAll::TFrmSetAll(TDB0DM &db, TVXDM &vx, const QString &workDir, QWidget *parent)
    : QDialog(parent), m_db(db), m_vx(vx), m_upload(db, vx, workDir)
{
    setWindowTitle(QStringLiteral("Nastavení jednotek systému podle obsahu databází"));
    setObjectName(QStringLiteral("TFrmSetAll"));
    setModal(true);
    resize(640, 520);

    m_sgStat = new QTableWidget(5, 5, this);
    m_sgStat->setObjectName(QStringLiteral("sgStat"));
    m_sgStat->horizontalHeader()->hide();
    m_sgStat->verticalHeader()->hide();
    m_sgStat->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_sgStat->setSelectionMode(QAbstractItemView::NoSelection);
    m_sgStat->setFocusPolicy(Qt::NoFocus);
    m_sgStat->setFixedHeight(5 * m_sgStat->verticalHeader()->defaultSectionSize() + 4);
    m_checkBox1 = new QCheckBox(
        QStringLiteral("nastavovat docházkové jednotky bez ohledu na existenci rozpisu"), this);
    m_checkBox1->setToolTip(
        QStringLiteral("docházkové jednotky budou rozpoznávat všechny klíče uložené v databázi"));
    m_meErrRts = new QPlainTextEdit(this);
    m_meErrRts->setObjectName(QStringLiteral("meErrRts"));
    m_meErrRts->setReadOnly(true);
    m_meErrRts->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_meErrRts->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_progress = new QProgressBar(this);
    m_progress->setValue(0);
    m_btKontrola = new QPushButton(QStringLiteral("Kontrola"), this);
    m_btSend = new QPushButton(QStringLiteral("Nastavit"), this);
    m_btStop = new QPushButton(QStringLiteral("Přerušit"), this);
    m_btStop->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_btKontrola);
    buttons->addWidget(m_btSend);
    buttons->addStretch();
    buttons->addWidget(m_btStop);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_sgStat);
    layout->addWidget(m_checkBox1);
    layout->addWidget(m_meErrRts, 1);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    makeButtonsPlain(this);

    connect(m_btKontrola, &QPushButton::clicked, this, &TFrmSetAll::btKontrolaClick);
    connect(m_btSend, &QPushButton::clicked, this, &TFrmSetAll::btSendClick);
    connect(m_btStop, &QPushButton::clicked, this, [this] {
        m_timer1.stop();
        m_upload.btStopClick();
    });
    connect(m_checkBox1, &QCheckBox::toggled, this, &TFrmSetAll::CheckBox1Click);
    connect(&m_upload, &PermissionUpload::lineAdded, m_meErrRts, &QPlainTextEdit::appendPlainText);
    connect(&m_upload, &PermissionUpload::lastLineChanged, this, &TFrmSetAll::showLastLine);
    connect(&m_upload, &PermissionUpload::progressChanged, this, &TFrmSetAll::showProgress);
    // The final message once the port has delivered the last answer, not inside it.
    connect(&m_upload, &PermissionUpload::finished, this, &TFrmSetAll::showEnd,
            Qt::QueuedConnection);
    m_timer1.setInterval(PermissionUpload::IntervalMs);
    connect(&m_timer1, &QTimer::timeout, this, [this] { m_upload.Timer1Timer(); });

    ShowStatistics();
    if (!m_upload.FormCreate()) {
        m_btKontrola->hide();
        m_btSend->hide();
    }
}

void TFrmSetAll::ShowStatistics()
{
    const Result<QList<QStringList>> grid = uploadStatistics(m_db, m_vx);
    if (!grid) {
        m_db.messages().error(grid.error());
        return;
    }
    for (int r = 0; r < grid->size(); ++r)
        for (int c = 0; c < (*grid)[r].size(); ++c) {
            auto *item = new QTableWidgetItem((*grid)[r][c]);
            // The first two rows and the first column are headings.
            if (r < 2 || c == 0)
                item->setBackground(palette().button());
            else
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_sgStat->setItem(r, c, item);
        }
}

void TFrmSetAll::setIdle(bool idle)
{
    m_busy = !idle;
    m_btKontrola->setEnabled(idle);
    m_btSend->setEnabled(idle);
    m_checkBox1->setEnabled(idle);
}

void TFrmSetAll::showProgress(int value, int maximum)
{
    m_progress->setMaximum(std::max(maximum, 1));
    m_progress->setValue(std::min(value, m_progress->maximum()));
    // The expansion runs on this thread: the window keeps painting.
    if (!m_timer1.isActive())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFrmSetAll::btKontrolaClick()
{
    m_meErrRts->clear();
    setIdle(false);
    const Result<QStringList> log = m_upload.btKontrolaClick();
    setIdle(true);
    if (!log) {
        m_db.messages().error(log.error());
        return;
    }
    m_meErrRts->setPlainText(log->join(QLatin1Char('\n')));
}

void TFrmSetAll::btSendClick()
{
    setIdle(false);
    const Result<bool> started = m_upload.StartProces();
    if (!started || !*started) {
        setIdle(true);
        if (!started)
            m_db.messages().error(started.error());
        return;
    }
    m_meErrRts->clear();
    m_btStop->show();
    m_timer1.start();
}

void TFrmSetAll::CheckBox1Click(bool checked)
{
    m_upload.setAllAttendance(checked);
    if (checked)
        m_db.messages().warning(
            QStringLiteral("Pozor! Prověřte, docházkové jednotky!\r\nV tomto režimu nemohou "
                           "obsluhovat\r\n    žádné DŮLEŽITÉ dveře!"));
}

void TFrmSetAll::showLastLine(const QString &line)
{
    QTextCursor cursor(m_meErrRts->document()->lastBlock());
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(line);
}

void TFrmSetAll::showEnd()
{
    m_timer1.stop();
    m_btStop->hide();
    setIdle(true);
    if (!m_upload.failure().isEmpty())
        m_db.messages().error(m_upload.failure());
    if (m_upload.hadErrors())
        m_db.messages().warning(m_upload.finalMessage());
    else
        m_db.messages().information(m_upload.finalMessage());
}

void TFrmSetAll::reject()
{
    // Closed only between runs: a unit must not be left half programmed.
    if (!m_busy && !m_upload.running())
        QDialog::reject();
}

void TFrmSetAll::hideEvent(QHideEvent *event)
{
    // Every view of the archive is to show the events collected first.
    m_db.tbEvents.close();
    m_db.tbEvents.open();
    QDialog::hideEvent(event);
}

} // namespace vardex
