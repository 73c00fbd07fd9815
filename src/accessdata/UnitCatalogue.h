#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace vardex {

class Table;

// The unit types (field TYP of the unit table) and what a unit of each type
// has: the default record a new unit gets, the sixteen objects and their
// default names, and the object codes by which doors, barriers and inputs are
// known across the program ("0x" main object x, "1x" auxiliary object x).

namespace UnitType {
inline constexpr quint8 Unknown = 0;
inline constexpr quint8 Access = 1;
inline constexpr quint8 Attendance = 2;
inline constexpr quint8 Expander = 3;
inline constexpr quint8 Barrier = 4;
inline constexpr quint8 ExpanderT = 8;
inline constexpr quint8 BarrierT = 9;
} // namespace UnitType

// Access, expander and expander T: up to four doors.
bool isDoorType(quint8 type);
// Barrier and barrier T: two barriers.
bool isBarrierType(quint8 type);

// The 11-character name of a type code, trailing blanks included;
// "neznámý typ" for a code without a name.
QString NazevTypu(quint8 code);
// The code whose name equals `name` exactly (blanks included); 0 when none.
quint8 KodTypu(const QString &name);

// The names of objects 0..15 (SnimTM0..SnimTM7, then SnimIN0..SnimIN7) that
// a new unit of the type gets; sixteen empty texts for a type without
// defaults.
std::array<QString, 16> defaultObjectNames(quint8 type);

// Fills the record that the caller has put in insert or edit state with the
// defaults of a new unit of the type. The address is left as it is.
void DefaultTyp(Table &units, quint8 type);

// The object code (as a number, e.g. 0x14) that an event with the result
// code `res` concerns; only the low nibble counts. 255 means no object.
inline constexpr quint8 NoObject = 255;
quint8 SnimacByTypeResult(quint8 type, quint8 res);

// An object whose name begins with "*" is not in use. An empty (or blank)
// name counts as not in use as well: the defaults are never empty, and an
// entry without a name could not be told apart on the floor plan.
bool objectInUse(const QString &name);

// What the object lists need of one unit.
struct UnitObjects
{
    quint8 type = 0;
    quint8 rele = 0;
    QString name;                    // NAZEV as stored
    std::array<QString, 8> inputs{}; // SnimIN0..SnimIN7
};

// The lists hold only the entries in use, packed from the first position;
// at most eight each.

// The objects that may be placed on the floor plan: code, blank, unit name,
// ", ", input name; each cut to 40 characters.
QStringList possibleObjects(const UnitObjects &unit);
// The main objects: code "0x", blank, input name; cut to 17 characters.
QStringList mainObjects(const UnitObjects &unit);
// The auxiliary objects: code "1x", blank, input name; cut to 17 characters.
QStringList auxiliaryObjects(const UnitObjects &unit);

} // namespace vardex
