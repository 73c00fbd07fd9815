#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QModelIndex;
class QPushButton;
class QSpinBox;
class QTableView;
class QWidget;

namespace vardex {

class Application;
class GridCursor;
class RecordNavigator;
class ScheduleGridModel;

// "Rozpis směn pro docházku": the shift schedules with their cycle days,
// the day columns titled with the weekdays of the cycle's year. While a
// record is edited the cycle-length counter is shown, and in a day column
// the list of shift names ("*VYMAZAT*" clears the day). "Upravit pro
// aktuální rok" re-anchors every schedule; export and import use
// "ROZPISY.SDF".
class TFrmRozDch : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmRozDch(Application &app, QWidget *parent = nullptr);
    ~TFrmRozDch() override;

    QTableView *grid() const { return m_grid; }
    ScheduleGridModel *model() const { return m_model; }
    RecordNavigator *navigator() const { return m_navigator; }
    QSpinBox *lengthCounter() const { return m_length; }
    QListWidget *shiftList() const { return m_shifts; }
    QLineEdit *searchBox() const { return m_search; }
    QPushButton *reanchorButton() const { return m_reanchor; }

public Q_SLOTS:
    // A shift name chosen for the current day column.
    void shiftChosen(const QString &name);
    void reject() override;

private:
    // Titles, counter and list follow the current record and column.
    void syncControls();
    void reanchor();
    void exportSchedules();
    void importSchedules();

    Application &m_app;
    QTableView *m_grid = nullptr;
    ScheduleGridModel *m_model = nullptr;
    RecordNavigator *m_navigator = nullptr;
    GridCursor *m_cursor = nullptr;
    QWidget *m_lengthPanel = nullptr;
    QSpinBox *m_length = nullptr;
    QWidget *m_listPanel = nullptr;
    QListWidget *m_shifts = nullptr;
    QLineEdit *m_search = nullptr;
    QPushButton *m_reanchor = nullptr;
    bool m_syncing = false;
};

} // namespace vardex
