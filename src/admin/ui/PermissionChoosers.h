#pragma once

#include <QGroupBox>

class QListWidget;
class QPushButton;

namespace vardex {

class ScheduleChart;

// The two choosers of the permission groups window, framed panels inside
// the window.

// "Vyberte jednotku": a click on a unit picks it; "Zavřít" closes.
class UnitChooserPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit UnitChooserPanel(QWidget *parent = nullptr);
    void load(const QStringList &units);
    QListWidget *list() const { return m_list; }
    QPushButton *closeButton() const { return m_close; }

Q_SIGNALS:
    void picked(const QString &unit);
    void closed();

private:
    QListWidget *m_list = nullptr;
    QPushButton *m_close = nullptr;
};

// "Vyberte rozvrh": the schedule names with the chart of the one selected;
// "Potvrdit" takes the selected name, "Zavřít" closes.
class ScheduleChooserPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit ScheduleChooserPanel(QWidget *parent = nullptr);
    // The names, the entry equal to `current` selected (none when none is).
    void load(const QStringList &names, const QString &current);
    QString selected() const;
    QListWidget *list() const { return m_list; }
    ScheduleChart *chart() const { return m_chart; }
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *closeButton() const { return m_close; }

Q_SIGNALS:
    // The selection moved to `name` (empty: none).
    void selectionChanged(const QString &name);
    void confirmed();
    void closed();

private:
    QListWidget *m_list = nullptr;
    ScheduleChart *m_chart = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace vardex
