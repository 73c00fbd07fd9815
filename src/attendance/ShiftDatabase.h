#pragma once

#include "attendance/DayShift.h"
#include "tables/Table.h"

#include <QString>

#include <optional>

namespace vardex {

class FileChooser;
class OperatorMessages;
class TVXDM;

// A shift picked from the shift database.
struct ChosenShift
{
    QString name;
    DayShift day;
};

// The columns of the shift database window that act on a double click.
enum class ShiftColumn { Name, FirstSection, SecondSection, Crossing, Required };

// What the shift database window does with the shift table beyond the
// grid: a new record's defaults, the actions of a double click on a column
// while a record is edited, the night template, the search, the export and
// import ("SMENY.SDF") and the choice of a shift. Every action reads the
// day from the record, changes it and writes it back; a record whose
// section text does not parse is left as it is, and the operator told.
class ShiftDatabase
{
public:
    ShiftDatabase(TVXDM &vx, OperatorMessages &messages, FileChooser &files);
    ~ShiftDatabase();
    ShiftDatabase(const ShiftDatabase &) = delete;
    ShiftDatabase &operator=(const ShiftDatabase &) = delete;

    Table &shifts() { return m_shifts; }
    OperatorMessages &messages() { return m_messages; }
    bool editing() const;

    // Orders by name and moves to the nearest name.
    void search(const QString &text);

    // The day of the record being edited; nothing (after telling the
    // operator) when a section text does not parse or no record is edited.
    std::optional<DayShift> editedDay();
    // "Odpracovat" and "Noc": recompute the required time, toggle crossing.
    bool recomputeRequired();
    bool toggleCrossing();
    // Stores a section of the edited day (1 or 2), normalising the day.
    bool storeSection(int which, const ShiftSection &section);
    // The night template into the current record, editing it first.
    bool applyNightTemplate();

    bool exportShifts();
    bool importShifts();

    // The shift of the current record; nothing when there is none or it
    // does not parse (the operator is told).
    std::optional<ChosenShift> currentShift();

private:
    bool writeBack(DayShift day);

    Table &m_shifts;
    OperatorMessages &m_messages;
    FileChooser &m_files;
    std::function<void(Table &)> m_savedAfterInsert;
};

} // namespace vardex
