#pragma once

#include "attendance/AttendanceProcessing.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace vardex {

class Application;

// "Vyhodnocení docházky": chooses the period and the workers, runs the
// attendance evaluation (AttendanceProcessing) for one key or a batch and
// shows the reports. A batch keeps the window answering: it advances the
// progress bar and lets "Přerušit" stop it after the current worker.
class TDOCHAZ : public QDialog
{
    Q_OBJECT
public:
    explicit TDOCHAZ(Application &app, QWidget *parent = nullptr);
    ~TDOCHAZ() override;

    AttendanceProcessing &processing() { return m_run; }

    QPushButton *periodButton() const { return m_period; }
    QPushButton *keyButton() const { return m_key; }
    QPushButton *computeButton() const { return m_compute; }
    QPushButton *batchButton() const { return m_batch; }
    QPushButton *groupButton() const { return m_group; }
    QPushButton *stopButton() const { return m_stop; }
    QPushButton *showButton() const { return m_show; }
    QPushButton *clearButton() const { return m_clear; }
    QCheckBox *oneOutputBox() const { return m_oneOutput; }
    QCheckBox *explanationsBox() const { return m_explanations; }
    QCheckBox *correctEventsBox() const { return m_correctEvents; }
    QCheckBox *correctReportBox() const { return m_correctReport; }
    QRadioButton *kindButton(ReportKind kind) const;
    QRadioButton *manualPlanButton() const { return m_manualPlan; }
    QListWidget *notesList() const { return m_notes; }
    QProgressBar *progressBar() const { return m_progress; }
    QLabel *nameLabel() const { return m_name; }
    QLabel *periodLabel() const { return m_periodText; }

    // Shows the report file; set by the constructor to the output window
    // (tests set their own).
    std::function<void()> showReport;

public Q_SLOTS:
    void choosePeriod();
    void chooseKey();
    void computeKey();
    void computeBatch();
    void stopBatch();
    void showReportFile();
    void clearReportFile();
    // "Rozpis": the chosen worker's month plan for the period.
    void showMonthPlan();
    // Escape while a batch runs stops the batch instead.
    void reject() override;

private:
    void buildLayout();
    void readOptions();
    void kindChosen(int id);
    void setBusy(bool busy);
    void enableAfterPeriod(bool extracted);
    bool tell(const Result<void> &done);

    Application &m_app;
    AttendanceProcessing m_run;
    bool m_stopRequested = false;
    bool m_busy = false;

    QLabel *m_periodText = nullptr;
    QLabel *m_name = nullptr;
    QPushButton *m_period = nullptr;
    QPushButton *m_key = nullptr;
    QPushButton *m_compute = nullptr;
    QPushButton *m_batch = nullptr;
    QPushButton *m_group = nullptr;
    QPushButton *m_stop = nullptr;
    QPushButton *m_show = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_events = nullptr;
    QPushButton *m_plans = nullptr;
    QPushButton *m_manual = nullptr;
    QPushButton *m_planView = nullptr;
    QPushButton *m_results = nullptr;
    QPushButton *m_dayEvents = nullptr;
    QCheckBox *m_oneOutput = nullptr;
    QCheckBox *m_explanations = nullptr;
    QCheckBox *m_correctEvents = nullptr;
    QCheckBox *m_correctReport = nullptr;
    QButtonGroup *m_kinds = nullptr;
    QRadioButton *m_autoPlan = nullptr;
    QRadioButton *m_manualPlan = nullptr;
    QListWidget *m_notes = nullptr;
    QProgressBar *m_progress = nullptr;
};

} // namespace vardex
