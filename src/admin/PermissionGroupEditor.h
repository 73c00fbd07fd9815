#pragma once

#include "admin/AdminSchemas.h"
#include "admin/PermissionAttribute.h"
#include "admin/ScheduleLookup.h"
#include "tables/Table.h"

#include <array>
#include <optional>

namespace vardex {

class OperatorMessages;
class TDB0DM;
class TVXDM;

// One row of the group's detail grid as shown: "05 Kanceláře", "0F",
// "Pracovní doba"; all empty for an empty row.
struct PermissionCells
{
    QString unit;
    QString attribute;
    QString schedule;
    bool isEmpty() const { return unit.isEmpty(); }
};

// What the attribute dialog opens with for a row's unit.
struct AttributeRequest
{
    AttributeForm form = AttributeForm::None;
    std::array<QString, 4> inputNames; // SnimIN0..SnimIN3 of the unit
    quint8 attribute = 0;
};

// What the permission groups window does with the group table: the 32
// rows of the current group, the unit and schedule choices of a row, its
// attribute, and confirming or cancelling an edited group. Rows are counted
// from 0 as the grid shows them.
//
// Every change of a row is written at once, packed, into the record being
// edited, so whatever posts it (confirming, or a move to another group) stores
// what the grid shows. Units and schedules are looked up on cursors of the
// editor's own; the unit table stays where it is.
//
// While it lives, a new group starts with the name "nové" and the unit that
// is current in the unit table as its row 1.
class PermissionGroupEditor
{
public:
    PermissionGroupEditor(TDB0DM &db, TVXDM &vx);
    ~PermissionGroupEditor();
    PermissionGroupEditor(const PermissionGroupEditor &) = delete;
    PermissionGroupEditor &operator=(const PermissionGroupEditor &) = delete;

    Table &groups();
    OperatorMessages &messages();

    // Fills the rows from the current group (none when there is none).
    void showGroup();
    const std::array<PermissionCells, PermissionRows> &cells() const { return m_cells; }
    // Rows change only while the group is inserted or edited.
    bool editing() const;

    // "addr name" of every unit but the attendance units, in address order.
    Result<QStringList> unitChoices();
    // The unit `unitText` picked for `row`; refused, with "Jednotka již
    // byla použita", when another row holds it. The attribute step follows.
    bool pickUnit(int row, const QString &unitText);
    // The attribute step of `row`: an access or attendance unit gets 00 at
    // once (nothing returned); for an expander or barrier the request for
    // the attribute dialog is returned. A unit no longer in the table is
    // told as "Neznámá jednotka: " and the address; the row stays as it is.
    std::optional<AttributeRequest> attributeStep(int row);
    void setAttribute(int row, quint8 attribute);

    Result<QStringList> scheduleNames();
    // The block of a schedule for the chooser's chart.
    Result<std::optional<ScheduleBlock>> schedule(const QString &name);
    void setSchedule(int row, const QString &name);
    // Empties `row` (the Delete key on a row).
    void clearRow(int row);

    // The panel's confirm: the group is posted with its rows packed to the
    // front; a refused post is told and the group stays edited.
    bool confirm();
    // The panel's cancel.
    void cancel();

private:
    Result<void> unitsReady();
    // Positions the unit cursor on `address`; no message. A read that
    // failed is kept for tellLookupError().
    bool unitAt(const QString &address);
    void tellLookupError();
    QString unitText(const QString &address);
    bool validRow(int row) const;
    bool writeRows();

    TDB0DM &m_db;
    TVXDM &m_vx;
    Table m_units;
    ScheduleLookup m_schedules;
    std::array<PermissionCells, PermissionRows> m_cells;
    QString m_lookupError;
    decltype(Table::afterInsert) m_savedAfterInsert;
};

} // namespace vardex
