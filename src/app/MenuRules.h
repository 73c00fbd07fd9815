#pragma once

#include <QHash>
#include <QString>

namespace vardex {

// What the menu rules look at: counts and contents of the tables.
struct MenuFacts
{
    int units = 0;                 // N: records in the unit table
    int attendanceUnits = 0;       // A: units of type "02", the true count
    bool externalEntrance = false; // X: a non-attendance unit marks an external entrance
    bool keys = false;             // K
    bool permissionGroups = false; // G
    bool accessSchedules = false;  // T
    bool shifts = false;           // S
    bool shiftSchedules = false;   // D
};

// The enabled flags of the main menu's entries and whether the start
// sequence has succeeded. Before the start only "&Konec" can be used.
class MenuState
{
public:
    MenuState();

    bool started() const { return m_started; }
    void setStarted(bool started) { m_started = started; }

    // The entry's own flag (top-level menus follow `started`).
    bool isEnabled(const QString &name) const;
    // Whether the operator can reach the entry now: its menu and itself
    // enabled. Before the start only "&Konec" can be reached; its menu
    // "&Program" therefore stays open then, with everything else in it off.
    bool isUsable(const QString &name) const;
    // Whether the window shows the entry (or top-level menu) enabled now.
    bool isShownEnabled(const QString &name) const;
    void setEnabled(const QString &name, bool enabled) { m_enabled[name] = enabled; }

    // Enables the entries that need no data.
    void PocatecniMoznosti();
    // Enables or disables every other entry from the tables' contents.
    void PosouditMoznosti(const MenuFacts &facts);

private:
    QHash<QString, bool> m_enabled;
    bool m_started = false;
};

} // namespace vardex
