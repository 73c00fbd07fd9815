#include "unitops/ui/TFrmSetTim.h"

#include "accessdata/TDB0DM.h"
#include "platform/OperatorMessages.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace vardex {

TFrmSetTim::TFrmSetTim(TDB0DM &db, QWidget *parent) : QDialog(parent), m_db(db), m_setting(db)
{
    setWindowTitle(QStringLiteral("Nastavení času  všech hardwarových jednotek"));
    setObjectName(QStringLiteral("TFrmSetTim"));
    setModal(true);
    resize(520, 360);

    m_pcTime = new QLineEdit(this);
    m_pcTime->setReadOnly(true);
    m_log = new QPlainTextEdit(this);
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_log->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pcTime);
    layout->addWidget(m_log, 1);

    connect(&m_setting, &ClockSetting::lineAdded, m_log, &QPlainTextEdit::appendPlainText);
    connect(&m_setting, &ClockSetting::lastLineChanged, this, &TFrmSetTim::showLastLine);
    // Shown once the port has delivered the last answer, not inside it.
    connect(&m_setting, &ClockSetting::done, this, &TFrmSetTim::showFinalMessage,
            Qt::QueuedConnection);
    m_repeatTimer.setInterval(ClockSetting::IntervalMs);
    connect(&m_repeatTimer, &QTimer::timeout, this, [this] { m_setting.RepeatTimerTimer(); });

    m_setting.FormCreate();
    m_pcTime->setText(m_setting.pcTime());
    m_repeatTimer.start();
}

TFrmSetTim::~TFrmSetTim()
{
    m_setting.FormDestroy();
}

void TFrmSetTim::showLastLine(const QString &line)
{
    QTextCursor cursor(m_log->document()->lastBlock());
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(line);
}

void TFrmSetTim::showFinalMessage()
{
    m_repeatTimer.stop();
    if (m_setting.hadErrors())
        m_db.messages().warning(m_setting.finalMessage());
    else
        m_db.messages().information(m_setting.finalMessage());
}

} // namespace vardex
