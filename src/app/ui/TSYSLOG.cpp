#include "app/ui/TSYSLOG.h"

#include "app/SystemLog.h"
#include "platform/ui/PlainButtons.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vardex {

TSYSLOG::TSYSLOG(SystemLog &log, FileChooser &files, OperatorMessages &messages, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_log(&log),
      m_files(files), m_messages(messages)
{
    setWindowTitle(QStringLiteral("Protokol systému"));

    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_clear = new QPushButton(QStringLiteral("Smazat"), this);
    m_save = new QPushButton(QStringLiteral("Uložit"), this);
    m_close = new QPushButton(QStringLiteral("&Zavřít"), this);
    connect(m_clear, &QPushButton::clicked, &log, &SystemLog::clear);
    connect(m_save, &QPushButton::clicked, this, &TSYSLOG::saveLog);
    connect(m_close, &QPushButton::clicked, this, &QDialog::hide);
    connect(&log, &SystemLog::changed, this, &TSYSLOG::refresh);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_clear);
    buttons->addWidget(m_save);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    resize(560, 320);
    makeButtonsPlain(this);
    refresh();
}

TSYSLOG::~TSYSLOG()
{
    if (m_installed && m_log)
        m_log->showModal = nullptr;
}

void TSYSLOG::installAsShowModal()
{
    if (!m_log)
        return;
    m_log->showModal = [this] { showModal(); };
    m_installed = true;
}

void TSYSLOG::showModal()
{
    // A second alarm while the operator still has the log in front of him
    // must not open a nested modal loop on the same window.
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    exec();
}

void TSYSLOG::refresh()
{
    m_text->setPlainText(m_log ? m_log->lines().join(QLatin1Char('\n')) : QString());
    // The newest alarm is the one the operator was called for.
    m_text->verticalScrollBar()->setValue(m_text->verticalScrollBar()->maximum());
}

void TSYSLOG::saveLog()
{
    if (m_log)
        m_log->save(m_files, m_messages);
}

void TSYSLOG::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace vardex
