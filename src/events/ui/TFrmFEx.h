#pragma once

#include "events/ReportSave.h"

#include <QDialog>

class QPushButton;

namespace vardex {

// "Soubor VYSTUP.TXT existuje!": the file chosen for saving a report exists;
// overwrite it, append to it, or cancel. The caption names VYSTUP.TXT
// whatever file was chosen. No window buttons; Escape cancels.
class TFrmFEx : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmFEx(QWidget *parent = nullptr);

    // Shows the dialog modally and gives the operator's choice.
    static ExistingFileChoice ask(QWidget *parent);
    ExistingFileChoice choice() const;

    QPushButton *overwriteButton() const { return m_overwrite; }
    QPushButton *appendButton() const { return m_append; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QPushButton *m_overwrite = nullptr;
    QPushButton *m_append = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace vardex
