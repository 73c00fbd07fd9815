#pragma once

#include "unitops/PermissionUpload.h"

#include <QDialog>
#include <QTimer>

class QCheckBox;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace vardex {

class TDB0DM;
class TVXDM;

// "Nastavení jednotek systému podle obsahu databází": the statistics of the
// key assignments, "Kontrola" of the databases and "Nastavit", which
// programs every unit from them with a running log.
class TFrmSetAll : public QDialog
{
    Q_OBJECT
public:
    TFrmSetAll(TDB0DM &db, TVXDM &vx, const QString &workDir, QWidget *parent = nullptr);

    PermissionUpload &upload() { return m_upload; }
    QTableWidget *sgStat() const { return m_sgStat; }
    QPlainTextEdit *meErrRts() const { return m_meErrRts; }
    QProgressBar *progress() const { return m_progress; }
    QCheckBox *CheckBox1() const { return m_checkBox1; }
    QPushButton *btKontrola() const { return m_btKontrola; }
    QPushButton *btSend() const { return m_btSend; }
    QPushButton *btStop() const { return m_btStop; }
    QTimer &Timer1() { return m_timer1; }

    void reject() override;

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void ShowStatistics();
    void btKontrolaClick();
    void btSendClick();
    void CheckBox1Click(bool checked);
    void showLastLine(const QString &line);
    void showProgress(int value, int maximum);
    void showEnd();
    void setIdle(bool idle);

    TDB0DM &m_db;
    TVXDM &m_vx;
    PermissionUpload m_upload;
    QTimer m_timer1;
    QTableWidget *m_sgStat = nullptr;
    QPlainTextEdit *m_meErrRts = nullptr;
    QProgressBar *m_progress = nullptr;
    QCheckBox *m_checkBox1 = nullptr;
    QPushButton *m_btKontrola = nullptr;
    QPushButton *m_btSend = nullptr;
    QPushButton *m_btStop = nullptr;
    bool m_busy = false;
};

} // namespace vardex
