#pragma once

#include "unitops/KeyReading.h"

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace vardex {

class TDB0DM;
class TVXDM;

// "Předložte identifikační klíč": the key reading dialog. The operator
// presents the key at the reader of the unit at "Adresa pro čtení" and
// confirms with "Hotovo", or types the key number in the manual entry that
// the question mark opens. The dialog has no close box; Escape is "Zrušit".
class TKeyDlg : public QDialog
{
    Q_OBJECT
public:
    TKeyDlg(TDB0DM &db, TVXDM &vx, QWidget *parent = nullptr);

    KeyReading &reading() { return m_reading; }
    QSpinBox *UpDown1() const { return m_upDown1; }
    QLineEdit *edAddr() const { return m_edAddr; }
    QPushButton *getKey() const { return m_getKey; }
    QPushButton *btCanc() const { return m_btCanc; }
    QToolButton *imaOtaz() const { return m_imaOtaz; }
    QGroupBox *manualEntry() const { return m_manualEntry; }
    QLineEdit *edhexa() const { return m_edhexa; }
    QPushButton *SpeedButton1() const { return m_speedButton1; }

    // Escape and any other way of cancelling act as "Zrušit".
    void reject() override;
    // Every way of closing gives the port back and remembers the address.
    void done(int result) override;

private:
    KeyReading m_reading;
    QSpinBox *m_upDown1 = nullptr;
    QLineEdit *m_edAddr = nullptr;
    QPushButton *m_getKey = nullptr;
    QPushButton *m_btCanc = nullptr;
    QToolButton *m_imaOtaz = nullptr;
    QGroupBox *m_manualEntry = nullptr;
    QLineEdit *m_edhexa = nullptr;
    QPushButton *m_speedButton1 = nullptr;
};

} // namespace vardex
