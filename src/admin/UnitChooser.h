#pragma once

#include <QStringList>

namespace vardex {

class TDB0DM;

// What the unit selection dialog leaves in the unit selection set of the
// access-control data module. The caller reads the set after the dialog,
// whichever way it was closed.
//
// Every marked unit is kept, however many there are: the set holds every
// unit asked for, so no unit is refused or cut off.
class UnitChooser
{
public:
    // Empties the set and clears the chosen address.
    explicit UnitChooser(TDB0DM &db);

    // A row double-clicked: its address is chosen and the list emptied.
    void chooseRow(const QString &address);
    // "Hotovo": the current row's address is chosen and the list holds the
    // marked addresses in the order they were marked; the cursor stays 0.
    void done(const QString &currentAddress, const QStringList &markedInOrder);
    // "Všechny": the current row's address is chosen and the list holds
    // every unit in table order, the cursor on the first. The unit table
    // stays where it was.
    void all(const QString &currentAddress);

private:
    TDB0DM &m_db;
};

} // namespace vardex
