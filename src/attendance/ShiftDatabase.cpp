#include "attendance/ShiftDatabase.h"

#include "accessdata/TableTextDialogs.h"
#include "admin/PendingEdit.h"
#include "attendance/ShiftRecord.h"
#include "attendance/TVXDM.h"
#include "platform/OperatorMessages.h"

namespace vardex {

namespace {

const QString kFileName = QStringLiteral("SMENY.SDF");

} // namespace

ShiftDatabase::ShiftDatabase(TVXDM &vx, OperatorMessages &messages, FileChooser &files)
    : m_shifts(vx.tbSme), m_messages(messages), m_files(files),
      m_savedAfterInsert(vx.tbSme.afterInsert)
{
    // A new shift starts as an empty day with a name to be overwritten.
    m_shifts.afterInsert = [](Table &t) {
        t.setString(QStringLiteral("NazevSmeny"), QStringLiteral("nová"));
        t.setString(QStringLiteral("NutnoOdpracovat"), QStringLiteral("00:00"));
        t.setString(QStringLiteral("Prechod"), QStringLiteral(" "));
    };
}

ShiftDatabase::~ShiftDatabase()
{
    m_shifts.afterInsert = m_savedAfterInsert;
}

bool ShiftDatabase::editing() const
{
    return m_shifts.state() == TableState::Edit || m_shifts.state() == TableState::Insert;
}

void ShiftDatabase::search(const QString &text)
{
    m_shifts.setIndex(QString());
    m_shifts.findNearest({text});
}

std::optional<DayShift> ShiftDatabase::editedDay()
{
    if (!editing())
        return std::nullopt;
    const Result<DayShift> day = readShiftRecord(m_shifts);
    if (!day) {
        m_messages.error(day.error());
        return std::nullopt;
    }
    return *day;
}

bool ShiftDatabase::writeBack(DayShift day)
{
    NormaliseDay(day);
    writeShiftRecord(m_shifts, day);
    return true;
}

bool ShiftDatabase::recomputeRequired()
{
    std::optional<DayShift> day = editedDay();
    if (!day)
        return false;
    ComputeRequired(*day);
    return writeBack(*day);
}

bool ShiftDatabase::toggleCrossing()
{
    std::optional<DayShift> day = editedDay();
    if (!day)
        return false;
    ToggleCrossing(*day);
    return writeBack(*day);
}

bool ShiftDatabase::storeSection(int which, const ShiftSection &section)
{
    std::optional<DayShift> day = editedDay();
    if (!day)
        return false;
    (which == 1 ? day->first : day->second) = section;
    return writeBack(*day);
}

bool ShiftDatabase::applyNightTemplate()
{
    if (!editing() && (m_shifts.isEmpty() || !m_shifts.edit()))
        return false;
    return writeBack(ShiftFromTemplate(ShiftTemplate::Night));
}

bool ShiftDatabase::exportShifts()
{
    if (!postPendingEdit(m_shifts, m_messages))
        return false;
    return exportTableWithDialog(m_shifts, m_files, m_messages, kFileName);
}

bool ShiftDatabase::importShifts()
{
    if (!postPendingEdit(m_shifts, m_messages))
        return false;
    return importTableWithDialog(m_shifts, m_files, m_messages, kFileName).ok;
}

std::optional<ChosenShift> ShiftDatabase::currentShift()
{
    if (m_shifts.isEmpty())
        return std::nullopt;
    const Result<DayShift> day = readShiftRecord(m_shifts);
    if (!day) {
        m_messages.error(day.error());
        return std::nullopt;
    }
    return ChosenShift{m_shifts.asString(QStringLiteral("NazevSmeny")), *day};
}

} // namespace vardex
