#pragma once

#include "unitops/EventMonitor.h"

#include <QDialog>
#include <QTimer>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSlider;

namespace vardex {

class TDB0DM;

// "Monitorování systému": the event monitor with its log. The window has
// no close box; it closes with "Konec", which is offered only while the
// monitor is stopped.
class TFrmMon : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmMon(TDB0DM &db, QWidget *parent = nullptr);
    ~TFrmMon() override;

    EventMonitor &monitor() { return m_monitor; }
    QTimer &monTimer() { return m_monTimer; }
    QLabel *laAdr() const { return m_laAdr; }
    QLabel *laNazev() const { return m_laNazev; }
    QPlainTextEdit *meMon() const { return m_meMon; }
    QSlider *tbMonPer() const { return m_tbMonPer; }
    QLabel *laPeriody() const { return m_laPeriody; }
    QLabel *Image1() const { return m_image1; }
    QLabel *Image2() const { return m_image2; }
    QPushButton *btJednotky() const { return m_btJednotky; }
    QPushButton *btStart() const { return m_btStart; }
    QPushButton *btPrerus() const { return m_btPrerus; }
    QPushButton *btStop() const { return m_btStop; }
    QCheckBox *CheckBox1() const { return m_checkBox1; }
    QPushButton *Button1() const { return m_button1; }

    // The unit selection and the searched-key list, shown modally; the
    // tests replace them.
    std::function<void()> chooseUnits;
    std::function<void()> showSearchedKeys;

    // Escape closes the window only where "Konec" would.
    void reject() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void btJednotkyClick();
    void showButtons();
    void showBusy(bool busy);

    TDB0DM &m_db;
    EventMonitor m_monitor;
    QTimer m_monTimer;
    QLabel *m_laAdr = nullptr;
    QLabel *m_laNazev = nullptr;
    QPlainTextEdit *m_meMon = nullptr;
    QSlider *m_tbMonPer = nullptr;
    QLabel *m_laPeriody = nullptr;
    QLabel *m_image1 = nullptr;
    QLabel *m_image2 = nullptr;
    QPushButton *m_btJednotky = nullptr;
    QPushButton *m_btStart = nullptr;
    QPushButton *m_btPrerus = nullptr;
    QPushButton *m_btStop = nullptr;
    QCheckBox *m_checkBox1 = nullptr;
    QPushButton *m_button1 = nullptr;
};

} // namespace vardex
