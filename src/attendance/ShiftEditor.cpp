#include "attendance/ShiftEditor.h"

#include "timecal/HourMinute.h"

namespace vardex {

ShiftEditor::ShiftEditor(const DayShift &day, const QString &name, bool nameRequired)
    : m_day(day), m_name(name), m_nameRequired(nameRequired)
{
    showRequired();
}

void ShiftEditor::showRequired()
{
    m_requiredText = FormatHourMinute(m_day.required);
}

QString ShiftEditor::sectionText(int which) const
{
    return FormatSection(section(which));
}

const ShiftSection &ShiftEditor::section(int which) const
{
    return which == 1 ? m_day.first : m_day.second;
}

void ShiftEditor::setRequiredText(const QString &text)
{
    m_requiredText = text;
    const quint16 required = ParseHourMinute(text);
    if (required != InvalidHourMinute)
        m_day.required = required;
}

void ShiftEditor::setSection(int which, const ShiftSection &section)
{
    (which == 1 ? m_day.first : m_day.second) = section;
    NormaliseDay(m_day);
}

void ShiftEditor::applyTemplate(ShiftTemplate which)
{
    m_day = ShiftFromTemplate(which);
    if (which == ShiftTemplate::Clear)
        m_name.clear();
    showRequired();
}

void ShiftEditor::recomputeRequired()
{
    ComputeRequired(m_day);
    showRequired();
}

void ShiftEditor::toggleCrossing()
{
    ToggleCrossing(m_day);
    showRequired();
}

void ShiftEditor::take(const ChosenShift &shift)
{
    m_day = shift.day;
    m_name = shift.name;
    showRequired();
}

bool ShiftEditor::canFinish() const
{
    return ParseHourMinute(m_requiredText) != InvalidHourMinute &&
           !(m_nameRequired && m_name.trimmed().isEmpty());
}

} // namespace vardex
