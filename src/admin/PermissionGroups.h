#pragma once

#include <QList>
#include <QString>

namespace vardex {

class Table;

// The rows of a permission group record (the table of permission groups):
// row i (1..32) is the unit address at characters 2i-1, 2i of P_AHW ("--"
// for an empty row), the attribute at the same place of P_MSK (two hex
// digits) and the schedule name in the field R<i>. Filled rows come first.

struct PermissionRow
{
    QString address; // two hex digits; empty for an empty row
    quint8 attribute = 0;
    QString schedule;

    bool isEmpty() const { return address.isEmpty(); }
    friend bool operator==(const PermissionRow &, const PermissionRow &) = default;
};

// Row `row` (1..32) of the record the cursor stands on or edits.
PermissionRow permissionRow(const Table &groups, int row);
// The rows that name a unit, in row order.
QList<PermissionRow> filledPermissionRows(const Table &groups);
// Writes `rows` as rows 1..n of the record being edited or inserted, packed
// to the front, and empties the rows after them ("--", "00", no schedule).
bool putPermissionRows(Table &groups, const QList<PermissionRow> &rows);
// A new group: named "nové", row 1 the unit at `firstAddress` (none when
// empty) with attribute 00 and no schedule, the other rows empty.
bool putNewGroup(Table &groups, const QString &firstAddress);

// Moves to the group named exactly `name`; false, and the cursor where it
// was, when there is none.
bool tbAccExactName(Table &groups, const QString &name);
// The schedule field of row `row`, 1..32.
QString tbAccGetR_Field(const Table &groups, int row);
bool tbAccPutR_Field(Table &groups, int row, const QString &text);

} // namespace vardex
