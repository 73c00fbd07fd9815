#pragma once

#include "events/TimeIntervalEditor.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace vardex {

class TDB0DM;

// "Určení intervalu času": the time-of-day interval of the access-control
// data module. Opening clears it; only "Použít" stores one again.
class TFrmSel2T : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmSel2T(TDB0DM &db, QWidget *parent = nullptr);

    QSpinBox *startHour() const { return m_startHour; }
    QSpinBox *startMinute() const { return m_startMinute; }
    QSpinBox *endHour() const { return m_endHour; }
    QSpinBox *endMinute() const { return m_endMinute; }
    QLabel *startText() const { return m_startText; }
    QLabel *endText() const { return m_endText; }
    QPushButton *applyButton() const { return m_apply; }

private:
    // Shows the editor's times in the counters and the texts.
    void showTimes();

    TimeIntervalEditor m_editor;
    QSpinBox *m_startHour = nullptr;
    QSpinBox *m_startMinute = nullptr;
    QSpinBox *m_endHour = nullptr;
    QSpinBox *m_endMinute = nullptr;
    QLabel *m_startText = nullptr;
    QLabel *m_endText = nullptr;
    QPushButton *m_apply = nullptr;
};

} // namespace vardex
