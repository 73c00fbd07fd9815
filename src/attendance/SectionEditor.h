#pragma once

#include "attendance/ShiftSection.h"

#include <QString>

namespace vardex {

// The state of the section window: the hours and minutes of the starts and
// ends of a section's two parts, set one counter at a time. A start raised
// past its end takes the end along: its hour, or with equal hours its
// minute.
class SectionEditor
{
public:
    enum class Part { Mandatory, Optional };

    explicit SectionEditor(const ShiftSection &section) : m_section(section) {}

    const ShiftSection &section() const { return m_section; }
    quint16 start(Part part) const;
    quint16 end(Part part) const;

    void setStartHour(Part part, int hour);
    void setStartMinute(Part part, int minute);
    void setEndHour(Part part, int hour);
    void setEndMinute(Part part, int minute);

    // "06:00 - 14:00", or "06:00 >>>" for an empty part.
    QString partText(Part part) const;

private:
    quint16 &startRef(Part part);
    quint16 &endRef(Part part);

    ShiftSection m_section;
};

} // namespace vardex
