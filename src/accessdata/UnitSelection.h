#pragma once

#include <QString>
#include <QStringList>

namespace vardex {

// The units an operation works through, kept by the access-control data
// module so that any window can read it: the address the unit selection
// dialog confirmed, the current unit's address and name, and the list of
// addresses with a 1-based cursor. The list holds every unit asked for; it
// is not capped at 32, so no unit of a larger site is silently skipped.
struct UnitSelection
{
    QString chosenAddress;  // confirmed in the selection dialog; empty when none
    QString currentAddress; // the unit at the cursor
    QString currentName;    // its name, "#?" when no unit has that address
    QStringList addresses;  // two hex digits each
    int cursor = 0;         // 1-based; 0 while the list is empty

    int count() const { return int(addresses.size()); }
};

} // namespace vardex
