#include "attendance/SectionEditor.h"

#include "timecal/HourMinute.h"

namespace vardex {

quint16 SectionEditor::start(Part part) const
{
    return part == Part::Mandatory ? m_section.mandatoryStart : m_section.optionalStart;
}

quint16 SectionEditor::end(Part part) const
{
    return part == Part::Mandatory ? m_section.mandatoryEnd : m_section.optionalEnd;
}

quint16 &SectionEditor::startRef(Part part)
{
    return part == Part::Mandatory ? m_section.mandatoryStart : m_section.optionalStart;
}

quint16 &SectionEditor::endRef(Part part)
{
    return part == Part::Mandatory ? m_section.mandatoryEnd : m_section.optionalEnd;
}

void SectionEditor::setStartHour(Part part, int hour)
{
    quint16 &s = startRef(part);
    quint16 &e = endRef(part);
    s = MakeHourMinute(hour, MinuteOf(s));
    if (hour > HourOf(e))
        e = MakeHourMinute(hour, MinuteOf(e));
}

void SectionEditor::setStartMinute(Part part, int minute)
{
    quint16 &s = startRef(part);
    quint16 &e = endRef(part);
    s = MakeHourMinute(HourOf(s), minute);
    if (HourOf(s) == HourOf(e) && minute > MinuteOf(e))
        e = MakeHourMinute(HourOf(e), minute);
}

void SectionEditor::setEndHour(Part part, int hour)
{
    quint16 &e = endRef(part);
    e = MakeHourMinute(hour, MinuteOf(e));
}

void SectionEditor::setEndMinute(Part part, int minute)
{
    quint16 &e = endRef(part);
    e = MakeHourMinute(HourOf(e), minute);
}

QString SectionEditor::partText(Part part) const
{
    const QString from = FormatHourMinute(start(part));
    if (IsPartEmpty(start(part), end(part)))
        return from + QStringLiteral(" >>>");
    return from + QStringLiteral(" - ") + FormatHourMinute(end(part));
}

} // namespace vardex
