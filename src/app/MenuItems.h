#pragma once

#include <QList>
#include <QString>

namespace vardex {

// What choosing a menu entry does.
enum class MenuAction {
    TopLevel,    // a menu of the menu bar
    Separator,   // a line between entries
    OpensWindow, // creates a window, shows it modally and destroys it
    Help,        // opens the help at the topic "Postup zpracování"
    About,       // the about box
    Quit,        // ends the program
};

// One entry of the main window's menu, in display order.
struct MenuItemDef
{
    QString name;    // e.g. "DatabazeJednotek"; empty for a separator
    QString caption; // with "&" before the accelerator
    QString hint;    // shown in the status bar
    MenuAction action = MenuAction::OpensWindow;
    QString window;           // class of the window it opens, e.g. "TFrmUni"
    bool reevaluates = false; // the menu is re-evaluated after the window closes
};

// The whole menu: each top-level item followed by its entries.
const QList<MenuItemDef> &mainMenuItems();

// The entry with this name, or nullptr.
const MenuItemDef *findMenuItem(const QString &name);

} // namespace vardex
