#pragma once

#include "admin/UnitEditors.h"

#include <QString>

#include <array>

namespace vardex {

class OperatorMessages;
class TDB0DM;
class Table;

// A mask editor as it opens: its title, the captions of its eight boxes
// (the unit's reader or input names) and the stored mask.
struct MaskEditorData
{
    QString title;
    std::array<QString, 8> captions;
    quint8 mask = 0;
};

// The use-mask panel as it opens for the current unit.
struct UseMaskEditorData
{
    UseMaskLayout layout;
    std::array<QString, 4> captions; // "Aktivní" in the first for attendance units
    quint8 mask = 0;
};

// What the units window does with the unit table: new units by type, which
// parameter editor a double-click opens, what each editor starts from, and
// writing its result back into the record being edited followed by a post.
// A refused post (a duplicate address) has been told to the operator by the
// table's post-error handler and leaves the record in edit state.
class UnitDatabase
{
public:
    explicit UnitDatabase(TDB0DM &db);

    Table &units();
    OperatorMessages &messages();

    // The types a new unit can have, in the order the type selector lists
    // them.
    static const std::array<quint8, 6> &newUnitTypes();

    // A new unit can be started only while the table is browsed.
    bool canAddUnit() const;
    // Appends a unit with the defaults of the type and stores it; the new
    // unit has no address yet.
    bool addUnit(quint8 type);

    // The editor the column of `field` opens for the current unit; None
    // unless the record is in edit state.
    UnitEditor editorForField(const QString &field) const;

    MaskEditorData alarmEditor() const;
    MaskEditorData relayEditor() const;
    UseMaskEditorData useEditor() const;
    int doorTime() const;
    DoorParameters doorParameters() const;
    BarrierParameters barrierParameters() const;
    // The names of the current unit's inputs 0..3 (captions of the rows of
    // the door and barrier parameters).
    std::array<QString, 4> inputNames() const;

    bool storeAlarm(quint8 mask);
    bool storeRelay(quint8 mask);
    // `boxes` are all four boxes of the panel, shown or not.
    bool storeUse(const std::array<bool, 4> &boxes);
    bool storeDoorTime(int seconds);
    bool storeDoorParameters(const DoorParameters &parameters);
    bool storeBarrierParameters(const BarrierParameters &parameters);

private:
    quint8 type() const;
    QString inputName(int input) const;
    bool storeAndPost(const QString &field, const QString &value);

    TDB0DM &m_db;
};

} // namespace vardex
