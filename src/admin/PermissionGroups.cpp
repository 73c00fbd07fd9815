#include "admin/PermissionGroups.h"

#include "admin/AdminSchemas.h"
#include "tables/Table.h"
#include "text/HexText.h"

namespace vardex {

namespace {

const QString kName = QStringLiteral("OPRAVNENI");
const QString kAddresses = QStringLiteral("P_AHW");
const QString kAttributes = QStringLiteral("P_MSK");
const QString kNoUnit = QStringLiteral("--");

bool inRange(int row)
{
    return row >= 1 && row <= PermissionRows;
}

QString pairAt(const QString &text, int row)
{
    return text.mid(2 * (row - 1), 2);
}

} // namespace

PermissionRow permissionRow(const Table &groups, int row)
{
    if (!inRange(row))
        return {};
    const QString address = pairAt(groups.asString(kAddresses), row).trimmed();
    if (address.isEmpty() || address == kNoUnit)
        return {};
    return {address, hexToByte(pairAt(groups.asString(kAttributes), row)),
            tbAccGetR_Field(groups, row)};
}

QList<PermissionRow> filledPermissionRows(const Table &groups)
{
    QList<PermissionRow> rows;
    for (int row = 1; row <= PermissionRows; ++row)
        if (const PermissionRow r = permissionRow(groups, row); !r.isEmpty())
            rows.append(r);
    return rows;
}

bool putPermissionRows(Table &groups, const QList<PermissionRow> &rows)
{
    QString addresses, attributes;
    bool ok = true;
    for (int row = 1; row <= PermissionRows; ++row) {
        const PermissionRow r = row <= rows.size() ? rows[row - 1] : PermissionRow{};
        addresses += r.isEmpty() ? kNoUnit : r.address.left(2).rightJustified(2, QLatin1Char('0'));
        attributes += byteToHex(r.isEmpty() ? 0 : r.attribute);
        ok = tbAccPutR_Field(groups, row, r.isEmpty() ? QString() : r.schedule) && ok;
    }
    return groups.setString(kAddresses, addresses) && groups.setString(kAttributes, attributes) &&
           ok;
}

bool putNewGroup(Table &groups, const QString &firstAddress)
{
    QList<PermissionRow> rows;
    if (!firstAddress.isEmpty())
        rows.append({firstAddress, 0, {}});
    return groups.setString(kName, QStringLiteral("nové")) && putPermissionRows(groups, rows);
}

bool tbAccExactName(Table &groups, const QString &name)
{
    return groups.setIndex(QString()) && groups.findKey({name});
}

QString tbAccGetR_Field(const Table &groups, int row)
{
    return inRange(row) ? groups.asString(permissionScheduleField(row)) : QString();
}

bool tbAccPutR_Field(Table &groups, int row, const QString &text)
{
    return inRange(row) && groups.setString(permissionScheduleField(row), text);
}

} // namespace vardex
