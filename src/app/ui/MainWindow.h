#pragma once

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
class QPushButton;

namespace vardex {

class Application;

// The main window "Základní menu" (TVXMAIN): heading lines, the start
// picture that runs the start sequence, and the menu. Which entries are
// enabled is decided by the application's menu rules; this window only
// shows them and opens the windows the entries name.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(Application &app, QWidget *parent = nullptr);

    // Lets an entry open its window; entries without one tell the operator
    // that the function is not available in this version.
    void registerWindow(const QString &menuItem, std::function<void()> open);

    QAction *action(const QString &menuItem) const { return m_actions.value(menuItem); }
    QPushButton *startButton() const { return m_start; }

    // Runs the start sequence, as a click on the start picture does.
    void startProgram();
    // Shows each entry's enabled flag as the menu rules have it.
    void refreshMenu();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    void trigger(const QString &menuItem);
    void quitProgram();

    Application &m_app;
    QHash<QString, QAction *> m_actions;
    QHash<QString, std::function<void()>> m_openers;
    QPushButton *m_start = nullptr;
    QLabel *m_photo = nullptr;
    bool m_quitting = false;
};

} // namespace vardex
