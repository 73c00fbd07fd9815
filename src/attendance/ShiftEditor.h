#pragma once

#include "attendance/DayShift.h"
#include "attendance/ShiftDatabase.h"

#include <QString>

namespace vardex {

// The state of the shift window: one day's shift with its name, and the
// required time as the operator types it. Every change of a section
// normalises the day; a typed required time counts as soon as it parses.
class ShiftEditor
{
public:
    ShiftEditor(const DayShift &day, const QString &name, bool nameRequired);

    const DayShift &day() const { return m_day; }
    const QString &name() const { return m_name; }
    const QString &requiredText() const { return m_requiredText; }
    // "P:06:00-14:00" of section 1 or 2.
    QString sectionText(int which) const;
    const ShiftSection &section(int which) const;

    void setName(const QString &name) { m_name = name; }
    void setRequiredText(const QString &text);
    void setSection(int which, const ShiftSection &section);
    // "Nulovat" also clears the name.
    void applyTemplate(ShiftTemplate which);
    // A click on "Odpracovat" and on "Noc".
    void recomputeRequired();
    void toggleCrossing();
    // "Podle seznamu": the chosen shift's day and name.
    void take(const ChosenShift &shift);

    // "Hotovo" can be pressed: the required time parses and, where a name
    // is required, there is one.
    bool canFinish() const;

private:
    void showRequired();

    DayShift m_day;
    QString m_name;
    QString m_requiredText;
    bool m_nameRequired;
};

} // namespace vardex
