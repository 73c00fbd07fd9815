#include "attendance/ShiftSection.h"

#include "timecal/HourMinute.h"

namespace vardex {

namespace {

// "X:hh:mm-hh:mm" at the front of `text`, X the part's letter.
std::optional<std::pair<quint16, quint16>> parsePart(QStringView text, QChar letter)
{
    if (text.size() < 13 || text[0] != letter || text[1] != u':' || text[7] != u'-')
        return std::nullopt;
    const quint16 start = ParseHourMinute(text.mid(2, 5));
    const quint16 end = ParseHourMinute(text.mid(8, 5));
    if (start == InvalidHourMinute || end == InvalidHourMinute)
        return std::nullopt;
    return std::pair{start, end};
}

QString partText(QChar letter, quint16 start, quint16 end)
{
    return QString(letter) + u':' + FormatHourMinute(start) + u'-' + FormatHourMinute(end);
}

} // namespace

void ClearSection(ShiftSection &section)
{
    section = ShiftSection{};
}

void ClearOptionalPart(ShiftSection &section)
{
    section.optionalStart = 0;
    section.optionalEnd = 0;
}

bool HasMandatoryPart(const ShiftSection &s)
{
    return !IsPartEmpty(s.mandatoryStart, s.mandatoryEnd);
}

bool HasOptionalPart(const ShiftSection &s)
{
    return !IsPartEmpty(s.optionalStart, s.optionalEnd);
}

bool IsSectionEmpty(const ShiftSection &s)
{
    return !HasMandatoryPart(s) && !HasOptionalPart(s);
}

SectionKind SectionKindOf(const ShiftSection &s)
{
    if (HasMandatoryPart(s))
        return HasOptionalPart(s) ? SectionKind::Both : SectionKind::MandatoryOnly;
    return HasOptionalPart(s) ? SectionKind::OptionalOnly : SectionKind::Empty;
}

QString FormatSection(const ShiftSection &s)
{
    QString text;
    if (HasMandatoryPart(s))
        text = partText(u'P', s.mandatoryStart, s.mandatoryEnd);
    if (HasOptionalPart(s)) {
        if (!text.isEmpty())
            text += u' ';
        text += partText(u'N', s.optionalStart, s.optionalEnd);
    }
    return text;
}

std::optional<ShiftSection> ParseSection(QStringView text)
{
    ShiftSection s;
    if (text.isEmpty())
        return s;
    if (text[0] == u'P') {
        const auto part = parsePart(text, u'P');
        if (!part)
            return std::nullopt;
        s.mandatoryStart = part->first;
        s.mandatoryEnd = part->second;
        // The optional part follows the blank after the mandatory one.
        text = text.size() > 14 ? text.mid(14) : QStringView();
        if (text.isEmpty())
            return s;
    }
    const auto part = parsePart(text, u'N');
    if (!part)
        return std::nullopt;
    s.optionalStart = part->first;
    s.optionalEnd = part->second;
    return s;
}

} // namespace vardex
