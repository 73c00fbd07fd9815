#pragma once

#include "unitops/ClockSetting.h"

#include <QDialog>
#include <QTimer>

class QLineEdit;
class QPlainTextEdit;

namespace vardex {

class TDB0DM;

// "Nastavení času  všech hardwarových jednotek": sets every unit's clock
// to the PC's time as soon as it opens, one line per unit, and says once
// at the end whether every unit took it.
class TFrmSetTim : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmSetTim(TDB0DM &db, QWidget *parent = nullptr);
    ~TFrmSetTim() override;

    ClockSetting &setting() { return m_setting; }
    QLineEdit *pcTime() const { return m_pcTime; }
    QPlainTextEdit *log() const { return m_log; }
    QTimer &RepeatTimer() { return m_repeatTimer; }

private:
    void showLastLine(const QString &line);
    void showFinalMessage();

    TDB0DM &m_db;
    ClockSetting m_setting;
    QTimer m_repeatTimer;
    QLineEdit *m_pcTime = nullptr;
    QPlainTextEdit *m_log = nullptr;
};

} // namespace vardex
