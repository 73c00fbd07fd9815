#pragma once

#include "LineSite.h"
#include "accessdata/UnitCatalogue.h"
#include "text/HexText.h"

namespace vardex::testing {

// A unit of the access type in the units table and on the simulated line.
inline void addSiteUnit(TDB0DM &db, sim::SimConfig &config, quint8 address, const char *name)
{
    ASSERT_TRUE(db.tbUniDefaultByType(UnitType::Access));
    db.tbUni.edit();
    db.tbUni.setString(QStringLiteral("ADRESA"), byteToHex(address));
    db.tbUni.setString(QStringLiteral("NAZEV"), QString::fromUtf8(name));
    ASSERT_TRUE(db.tbUni.post());
    config.units.append(sim::UnitSetup{address});
}

} // namespace vardex::testing
