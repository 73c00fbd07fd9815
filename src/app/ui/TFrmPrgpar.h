#pragma once

#include "app/ProgramParameters.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vardex {

class OperatorMessages;

// "Parametry programu": the output and database directories of the
// configuration record. The confirm button tests and stores them and closes
// the window; the close box stores nothing.
class TFrmPrgpar : public QDialog
{
    Q_OBJECT
public:
    TFrmPrgpar(ConfigRecord &record, OperatorMessages &messages, QWidget *parent = nullptr);

    QLineEdit *outputEdit() const { return m_output; }
    QLineEdit *databaseEdit() const { return m_database; }
    QCheckBox *autoCollectBox() const { return m_autoCollect; }
    QCheckBox *usageHistoryBox() const { return m_usageHistory; }
    QPushButton *confirmButton() const { return m_confirm; }

public Q_SLOTS:
    void confirm();

private:
    ProgramParameters m_parameters;
    QLabel *m_home = nullptr;
    QLineEdit *m_output = nullptr;
    QLineEdit *m_database = nullptr;
    QCheckBox *m_autoCollect = nullptr;
    QCheckBox *m_usageHistory = nullptr;
    QPushButton *m_confirm = nullptr;
};

} // namespace vardex
