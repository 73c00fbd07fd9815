#include "unitops/ui/TFrmSbd.h"

#include "accessdata/TDB0DM.h"
#include "platform/OperatorMessages.h"
#include "platform/ui/PlainButtons.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vardex {

TFrmSbd::TFrmSbd(TDB0DM &db, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_db(db),
      m_collection(db)
{
    setWindowTitle(QStringLiteral("Sběr dat od všech hardwarových jednotek"));
    setModal(true);
    resize(640, 420);

    m_meMon = new QPlainTextEdit(this);
    m_meMon->setObjectName(QStringLiteral("meMon"));
    m_meMon->setReadOnly(true);
    m_meMon->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_meMon->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_btPrerus = new QPushButton(QStringLiteral("Přerušit"), this);
    m_btPrerus->setObjectName(QStringLiteral("btPrerus"));
    m_btOkSbd = new QPushButton(QStringLiteral("Hotovo"), this);
    m_btOkSbd->setObjectName(QStringLiteral("btOkSbd"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btPrerus);
    buttons->addWidget(m_btOkSbd);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_meMon);
    layout->addLayout(buttons);
    makeButtonsPlain(this);

    connect(&m_collection, &Collection::lineAdded, m_meMon, &QPlainTextEdit::appendPlainText);
    connect(&m_collection, &Collection::logCleared, m_meMon, &QPlainTextEdit::clear);
    connect(&m_collection, &Collection::finished, this, &TFrmSbd::showStopped);
    connect(m_btPrerus, &QPushButton::clicked, this, [this] { m_collection.KonecSberuDat(); });
    connect(m_btOkSbd, &QPushButton::clicked, this, &QDialog::accept);

    m_sbdTimer.setInterval(Collection::IntervalMs);
    connect(&m_sbdTimer, &QTimer::timeout, this, [this] { m_collection.sbdTimerTimer(); });

    // Without units both buttons stay; while collecting only "Přerušit".
    if (m_collection.FormCreate())
        m_btOkSbd->hide();
    m_sbdTimer.start();
}

void TFrmSbd::showStopped()
{
    m_sbdTimer.stop();
    m_btPrerus->hide();
    m_btOkSbd->show();
    m_btOkSbd->setFocus();
    // Events that could not be stored stay in their unit; the operator is
    // to know that the collection did not end well, and why.
    if (!m_collection.failure().isEmpty())
        m_db.messages().error(m_collection.failure());
}

void TFrmSbd::reject()
{
    if (m_collection.stopped())
        QDialog::reject();
}

void TFrmSbd::hideEvent(QHideEvent *event)
{
    // Every view of the archive is to show the new events.
    m_db.tbEvents.close();
    m_db.tbEvents.open();
    QDialog::hideEvent(event);
}

} // namespace vardex
