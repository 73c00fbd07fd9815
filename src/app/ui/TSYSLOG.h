#pragma once

#include <QDialog>
#include <QPointer>

class QPlainTextEdit;
class QPushButton;

namespace vardex {

class FileChooser;
class OperatorMessages;
class SystemLog;

// "Protokol systému": the alarm lines of the run. It has no window buttons;
// "&Zavřít" only hides it, so the lines stay for the next alarm.
class TSYSLOG : public QDialog
{
    Q_OBJECT
public:
    TSYSLOG(SystemLog &log, FileChooser &files, OperatorMessages &messages,
            QWidget *parent = nullptr);
    ~TSYSLOG() override;

    // Makes this window the one the log shows after an alarm. An alarm that
    // arrives while the window is already up only brings it to the front.
    void installAsShowModal();
    void showModal();

    QPlainTextEdit *textArea() const { return m_text; }
    QPushButton *clearButton() const { return m_clear; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *closeButton() const { return m_close; }

public Q_SLOTS:
    void refresh();
    void saveLog();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QPointer<SystemLog> m_log;
    FileChooser &m_files;
    OperatorMessages &m_messages;
    bool m_installed = false;
    QPlainTextEdit *m_text = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace vardex
