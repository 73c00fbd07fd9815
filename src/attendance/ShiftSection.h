#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace vardex {

// One section of a day's shift: a mandatory part, when the worker must be
// present, and an optional part, when the worker may work; each a start
// and an end as hour-minute words. A part whose start is not below its end
// is empty.
struct ShiftSection
{
    quint16 mandatoryStart = 0;
    quint16 mandatoryEnd = 0;
    quint16 optionalStart = 0;
    quint16 optionalEnd = 0;
    friend bool operator==(const ShiftSection &, const ShiftSection &) = default;
};

// What a section holds.
enum class SectionKind { Empty = 0, MandatoryOnly = 1, Both = 2, OptionalOnly = 3 };

constexpr bool IsPartEmpty(quint16 start, quint16 end)
{
    return start >= end;
}

void ClearSection(ShiftSection &section);
void ClearOptionalPart(ShiftSection &section);
bool HasMandatoryPart(const ShiftSection &section);
bool HasOptionalPart(const ShiftSection &section);
bool IsSectionEmpty(const ShiftSection &section);
SectionKind SectionKindOf(const ShiftSection &section);

// The section text kept in the shift table: "P:06:00-10:00" for a
// mandatory part, then "N:05:30-10:30" for an optional part, a blank
// between them when both are there; an empty section gives "".
QString FormatSection(const ShiftSection &section);

// The section from its text; nothing when the text is malformed. An empty
// text is the empty section. "P:" must be followed by "hh:mm-hh:mm"; what
// follows the blank after it must be "N:hh:mm-hh:mm" (anything after that
// is ignored). A text with only "N:…" has no mandatory part.
std::optional<ShiftSection> ParseSection(QStringView text);

// The longest section text: both parts.
inline constexpr int SectionTextLength = 27;

} // namespace vardex
