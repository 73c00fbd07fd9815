#include "app/MenuRules.h"

#include "app/MenuItems.h"

namespace vardex {

MenuState::MenuState()
{
    // Entries are enabled as created; the rules switch them once started.
    for (const MenuItemDef &item : mainMenuItems())
        if (!item.name.isEmpty() && item.action != MenuAction::TopLevel)
            m_enabled.insert(item.name, true);
}

bool MenuState::isEnabled(const QString &name) const
{
    const MenuItemDef *item = findMenuItem(name);
    if (item && item->action == MenuAction::TopLevel)
        return m_started;
    return m_enabled.value(name, false);
}

bool MenuState::isShownEnabled(const QString &name) const
{
    if (name == QLatin1String("Konec1") || name == QLatin1String("OProgramu"))
        return true;
    return m_started && isEnabled(name);
}

bool MenuState::isUsable(const QString &name) const
{
    if (name == QLatin1String("Konec1"))
        return true;
    if (!m_started || !isEnabled(name))
        return false;
    // The entry's menu is the last top-level item before it.
    QString menu;
    for (const MenuItemDef &item : mainMenuItems()) {
        if (item.action == MenuAction::TopLevel)
            menu = item.name;
        if (item.name == name)
            break;
    }
    return menu.isEmpty() || isEnabled(menu);
}

void MenuState::PocatecniMoznosti()
{
    for (const char *name :
         {"UcelProgramu", "ParametryProgramu", "DatabazeJednotek", "DokumentaceSystemu", "Svatky"})
        m_enabled[QLatin1String(name)] = true;
}

void MenuState::PosouditMoznosti(const MenuFacts &f)
{
    const bool att = f.attendanceUnits > 0 || f.externalEntrance;
    const bool acc = f.units - f.attendanceUnits > 0;
    const bool anyUnit = f.units >= 1;
    const struct
    {
        const char *name;
        bool enabled;
    } rules[] = {
        {"DatabazeCasu", acc},
        {"DatabazeSkupOpr", f.accessSchedules && acc},
        {"DabazeSmen", att},
        {"DatabazePracSkupin", att},
        {"DatabazeRozpisu", att && f.shifts},
        {"ZpracovaniDochazky", att && f.keys},
        {"UdalostiDochazky", att && f.keys},
        {"DatabazeKlicu", (att && f.shiftSchedules) || (acc && f.permissionGroups)},
        {"StavJednotek", anyUnit},
        {"NastaveniCasu", anyUnit},
        {"NastaveniPrav", anyUnit && f.keys},
        {"SberDat", anyUnit && f.keys},
        {"MonitorUdalosti", anyUnit && f.keys},
        {"DatabazeUdalosti", anyUnit && f.keys},
    };
    for (const auto &r : rules)
        m_enabled[QLatin1String(r.name)] = r.enabled;
}

} // namespace vardex
