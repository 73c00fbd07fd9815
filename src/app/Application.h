#pragma once

#include "accessdata/TDB0DM.h"
#include "admin/TDMOBJ.h"
#include "app/MenuRules.h"
#include "attendance/TDMRPL.h"
#include "attendance/TVXDM.h"
#include "base/Result.h"

#include <functional>

namespace vardex {

class FileChooser;

// The application title, shown in the task bar, the main window and the
// about box.
QString applicationTitle();

// How the start sequence ended.
enum class StartOutcome {
    Started, // tables open, menu enabled
    Failed,  // an error was shown; only "&Konec" is left
    NoHome,  // no home directory: the program ends without a message
};

// Owns the four data modules, created in their fixed order, and runs the
// start sequence and the orderly close. Windows and sub-commands reach the
// data through it; nothing here is global.
class Application
{
public:
    // `workDir` is where the table files live, fixed for the whole run;
    // `home` holds the configuration file and ends with "/".
    Application(const QString &workDir, const QString &home, OperatorMessages &messages,
                FileChooser &files, Clock &clock);
    ~Application();

    const QString &workDir() const { return m_workDir; }
    const QString &home() const { return m_home; }
    OperatorMessages &messages() { return m_messages; }
    FileChooser &files() { return m_files; }
    Clock &clock() { return m_clock; }

    TDB0DM db0;
    TVXDM vx;
    TDMOBJ obj;
    TDMRPL rpl;
    MenuState menu;

    // The serial line joins the start here: opened after the start picture
    // is clicked and closed last. Unset means the run talks to no unit.
    std::function<bool(QString *error)> openPort;
    std::function<void()> closePort;
    // Makes the start open the data module's serial port (KomHwj) and the
    // close close it; the windows' run does, sub-commands that talk to no
    // unit do not.
    void useSerialPort();

    // The start sequence: port, configuration, tables, today's date, menu.
    // A failure is shown through the message seam.
    StartOutcome start();
    bool started() const { return menu.started(); }

    // What the menu rules look at, read from the tables now, or why a table
    // could not be counted.
    Result<MenuFacts> facts();
    // Re-evaluates the menu from the tables; a table that cannot be counted
    // is told through the message seam and leaves the menu as it was.
    bool PosouditMoznosti();

    // Every table of the site, in the order of the data modules, whether
    // open or not: for the administrator's export, import and listing.
    QList<Table *> tables();

    // Closes the tables in their order, then the port.
    void quit();

private:
    QString m_workDir;
    QString m_home;
    OperatorMessages &m_messages;
    FileChooser &m_files;
    Clock &m_clock;
    bool m_closed = false;
};

} // namespace vardex
