#include "admin/PermissionGroupEditor.h"

#include "accessdata/AccessSchemas.h"
#include "accessdata/TDB0DM.h"
#include "admin/PermissionGroups.h"
#include "attendance/TVXDM.h"
#include "platform/OperatorMessages.h"
#include "text/HexText.h"

#include <QFileInfo>

namespace vardex {

namespace {

const QString kAddress = QStringLiteral("ADRESA");
const QString kType = QStringLiteral("TYP");
const QString kName = QStringLiteral("NAZEV");

constexpr int kFirstInputObject = 8; // SnimIN0 follows SnimTM0..SnimTM7

} // namespace

PermissionGroupEditor::PermissionGroupEditor(TDB0DM &db, TVXDM &vx)
    : m_db(db), m_vx(vx), m_units(db.tbUni.schema(), QFileInfo(db.tbUni.filePath()).absolutePath()),
      m_schedules(vx.tbCas), m_savedAfterInsert(vx.tbAcc.afterInsert)
{
    m_vx.tbAcc.afterInsert = [this](Table &t) {
        Table &units = m_db.tbUni;
        putNewGroup(t, units.isOpen() && !units.isEmpty() ? units.asString(kAddress) : QString());
    };
}

PermissionGroupEditor::~PermissionGroupEditor()
{
    m_vx.tbAcc.afterInsert = m_savedAfterInsert;
}

Table &PermissionGroupEditor::groups()
{
    return m_vx.tbAcc;
}

OperatorMessages &PermissionGroupEditor::messages()
{
    return m_db.messages();
}

bool PermissionGroupEditor::editing() const
{
    const TableState state = m_vx.tbAcc.state();
    return state == TableState::Edit || state == TableState::Insert;
}

bool PermissionGroupEditor::validRow(int row) const
{
    return row >= 0 && row < PermissionRows;
}

Result<void> PermissionGroupEditor::unitsReady()
{
    if (!m_units.isOpen() && !m_units.open())
        return m_units.failure();
    m_units.refresh();
    return {};
}

bool PermissionGroupEditor::unitAt(const QString &address)
{
    if (address.isEmpty())
        return false;
    if (const Result<void> ready = unitsReady(); !ready) {
        m_lookupError = ready.error();
        return false;
    }
    if (m_units.findKey({address}))
        return true;
    if (m_units.readFailed())
        m_lookupError = m_units.errorMessage();
    return false;
}

void PermissionGroupEditor::tellLookupError()
{
    if (!m_lookupError.isEmpty())
        messages().error(m_lookupError);
    m_lookupError.clear();
}

QString PermissionGroupEditor::unitText(const QString &address)
{
    return address + QLatin1Char(' ') +
           (unitAt(address) ? m_units.asString(kName) : QStringLiteral("?"));
}

void PermissionGroupEditor::showGroup()
{
    m_cells.fill({});
    Table &t = groups();
    if (!editing() && (!t.isOpen() || t.isEmpty()))
        return;
    for (int row = 0; row < PermissionRows; ++row) {
        const PermissionRow r = permissionRow(t, row + 1);
        if (!r.isEmpty())
            m_cells[size_t(row)] = {unitText(r.address), byteToHex(r.attribute), r.schedule};
    }
    tellLookupError();
}

Result<QStringList> PermissionGroupEditor::unitChoices()
{
    if (const Result<void> r = unitsReady(); !r)
        return r.failure();
    QStringList units;
    for (bool more = m_units.first(); more; more = m_units.next()) {
        const QString address = m_units.asString(kAddress);
        if (!address.isEmpty() && hexToByte(m_units.asString(kType)) != UnitType::Attendance)
            units.append(address + QLatin1Char(' ') + m_units.asString(kName));
    }
    if (m_units.readFailed())
        return m_units.failure();
    return units;
}

bool PermissionGroupEditor::pickUnit(int row, const QString &unitText)
{
    if (!editing() || !validRow(row))
        return false;
    for (int other = 0; other < PermissionRows; ++other) {
        if (other != row && m_cells[size_t(other)].unit == unitText) {
            messages().information(QStringLiteral("Jednotka již byla použita"));
            return false;
        }
    }
    PermissionCells &cells = m_cells[size_t(row)];
    cells.unit = unitText;
    if (cells.attribute.isEmpty())
        cells.attribute = byteToHex(0);
    writeRows();
    return true;
}

std::optional<AttributeRequest> PermissionGroupEditor::attributeStep(int row)
{
    if (!editing() || !validRow(row) || m_cells[size_t(row)].isEmpty())
        return std::nullopt;
    const QString address = m_cells[size_t(row)].unit.left(2);
    if (!unitAt(address)) {
        if (m_lookupError.isEmpty())
            messages().information(QStringLiteral("Neznámá jednotka: ") + address);
        tellLookupError();
        return std::nullopt;
    }
    const AttributeForm form = attributeForm(hexToByte(m_units.asString(kType)));
    if (form == AttributeForm::None) {
        setAttribute(row, 0);
        return std::nullopt;
    }
    AttributeRequest request{form, {}, hexToByte(m_cells[size_t(row)].attribute)};
    for (int i = 0; i < 4; ++i)
        request.inputNames[size_t(i)] = m_units.asString(unitSensorField(kFirstInputObject + i));
    return request;
}

void PermissionGroupEditor::setAttribute(int row, quint8 attribute)
{
    if (!editing() || !validRow(row) || m_cells[size_t(row)].isEmpty())
        return;
    m_cells[size_t(row)].attribute = byteToHex(attribute);
    writeRows();
}

Result<QStringList> PermissionGroupEditor::scheduleNames()
{
    return m_schedules.names();
}

Result<std::optional<ScheduleBlock>> PermissionGroupEditor::schedule(const QString &name)
{
    return m_schedules.find(name);
}

void PermissionGroupEditor::setSchedule(int row, const QString &name)
{
    if (!editing() || !validRow(row))
        return;
    m_cells[size_t(row)].schedule = name;
    writeRows();
}

void PermissionGroupEditor::clearRow(int row)
{
    if (!editing() || !validRow(row))
        return;
    m_cells[size_t(row)] = {};
    writeRows();
}

bool PermissionGroupEditor::writeRows()
{
    QList<PermissionRow> rows;
    for (const PermissionCells &c : m_cells)
        if (!c.isEmpty())
            rows.append({c.unit.left(2), hexToByte(c.attribute.left(2)), c.schedule});
    return putPermissionRows(groups(), rows);
}

bool PermissionGroupEditor::confirm()
{
    if (!editing())
        return false;
    Table &t = groups();
    if (!writeRows() || !t.post()) {
        if (!t.errorMessage().isEmpty())
            messages().error(t.errorMessage());
        return false;
    }
    showGroup();
    return true;
}

void PermissionGroupEditor::cancel()
{
    groups().cancel();
    showGroup();
}

} // namespace vardex
