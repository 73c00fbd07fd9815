#pragma once

#include "admin/AccessScheduleEditor.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vardex {

class RecordNavigator;
class ScheduleChart;
class ScheduleComponentPanel;
class TVXDM;

// "Databáze časových rozvrhů pro přístupovou část systému": one schedule at
// a time with its record counter, name and seven component lines, the week
// chart, the name register and the navigator. While a record is edited a
// click on a component line opens the component editor panel, which keeps
// the rest of the window out of use until "Použít" or "Přerušit".
class TFrmCasO : public QDialog
{
    Q_OBJECT
public:
    TFrmCasO(TVXDM &vx, OperatorMessages &messages, QWidget *parent = nullptr);
    ~TFrmCasO() override;

    const AccessScheduleEditor &editor() const { return m_editor; }
    RecordNavigator *navigator() const { return m_navigator; }
    QLabel *counter() const { return m_counter; }
    QLineEdit *nameEdit() const { return m_name; }
    QPushButton *line(int k) const { return m_lines[size_t(k - 1)]; }
    ScheduleChart *weekChart() const { return m_chart; }
    QListWidget *nameRegister() const { return m_register; }
    ScheduleComponentPanel *componentPanel() const { return m_panel; }

public Q_SLOTS:
    // A click on component line k (1..7).
    void lineClicked(int k);
    // Picking a name in the register.
    void registerPicked(int row);
    // Escape: closes the component editor as "Přerušit" does; otherwise
    // closes the window, posting an edited schedule that can be posted
    // (a refused post keeps the window open) and dropping one that cannot.
    void reject() override;

private:
    void afterAction();
    void showRecord();
    void applyPostRule();
    void fillRegister();
    void showComponent();
    void closeComponent();

    AccessScheduleEditor m_editor;
    QWidget *m_record = nullptr;
    QLabel *m_counter = nullptr;
    QLineEdit *m_name = nullptr;
    std::array<QPushButton *, ScheduleComponentCount> m_lines{};
    ScheduleChart *m_chart = nullptr;
    QListWidget *m_register = nullptr;
    RecordNavigator *m_navigator = nullptr;
    ScheduleComponentPanel *m_panel = nullptr;
};

} // namespace vardex
