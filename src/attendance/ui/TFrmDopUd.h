#pragma once

#include "attendance/DayReview.h"

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace vardex {

class TDB0DM;

// "Události docházky pro pracovníka a den": the chosen key's attendance
// events of one day, where the operator adds a forgotten event (double
// click on a "<- vložit" row) or removes the added ones. With the date
// panel the day and the worker can be changed in the window.
class TFrmDopUd : public QDialog
{
    Q_OBJECT
public:
    TFrmDopUd(TDB0DM &db, const QString &workDir, const QDate &date, bool datePanel,
              QWidget *parent = nullptr);
    ~TFrmDopUd() override;

    // Asks for the unit of an event added to an empty day; empty when the
    // operator chose none. The unit selection dialog unless a test sets it.
    std::function<QString()> chooseUnit;

    const DayReview &review() const { return m_review; }
    QTableWidget *grid() const { return m_grid; }
    QGroupBox *insertPanel() const { return m_insertPanel; }
    QGroupBox *unitPanel() const { return m_unitPanel; }
    QPushButton *unitButton(int i) const { return m_unitButtons[i]; }
    QSpinBox *hourBox() const { return m_hour; }
    QSpinBox *minuteBox() const { return m_minute; }
    QListWidget *objectList() const { return m_objects; }
    QSpinBox *dayBox() const { return m_day; }
    QSpinBox *monthBox() const { return m_month; }
    QPushButton *showToggle() const { return m_showToggle; }

public Q_SLOTS:
    // Reads the day again and fills the grid.
    void redisplay();
    // A double click on row `row`: on an insertion row the insertion starts.
    void rowDoubleClicked(int row);
    // One of the two unit buttons.
    void unitChosen(int which);
    // An entry of "Určete čas a snímač".
    void objectChosen(QListWidgetItem *item);
    // "Zrušit doplněné".
    void clearAdded();

private:
    QWidget *makeDatePanel();
    void dateChanged();
    void chooseWorker();
    void timeChanged();
    void offerObjects(const QString &unit);
    void endInsertion();
    quint16 chosenTime() const;
    bool report(const Result<void> &done);

    TDB0DM &m_db;
    DayReview m_review;
    int m_insertRow = -1;
    InsertionPlace m_place;
    QString m_unit;

    QLabel *m_worker = nullptr;
    QSpinBox *m_day = nullptr;
    QSpinBox *m_month = nullptr;
    QSpinBox *m_year = nullptr;
    QPushButton *m_showToggle = nullptr;
    QTableWidget *m_grid = nullptr;
    QGroupBox *m_insertPanel = nullptr;
    QSpinBox *m_hour = nullptr;
    QSpinBox *m_minute = nullptr;
    QListWidget *m_objects = nullptr;
    QGroupBox *m_unitPanel = nullptr;
    QPushButton *m_unitButtons[2] = {nullptr, nullptr};
};

} // namespace vardex
