#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace vardex {

// The plain-text export format of whole tables: one record per line, every
// field in definition order padded or cut to its width, then "#". Widths
// count characters; a character outside the 16-bit range (a surrogate pair)
// counts as one, as it becomes one byte ("?") in the file.

inline constexpr QChar FixedWidthLineMark = u'#';

struct FixedWidthField
{
    QString text;
    int width = 0;
};

// The text cut to `width` characters, or filled up on the right with blanks
// to that width. A width below 1 gives an empty text.
QString fitToWidth(QStringView text, int width);

// The fields, each fitted to its width, followed by "#" (no line end).
QString buildFixedWidthLine(const QList<FixedWidthField> &fields);

// Whether the line's last character is "#"; an empty line has none.
bool hasLineMark(QStringView line);

// A line whose "#" is already removed, cut into fields of the given widths.
// Each field loses its leading blanks, and its trailing ones, which are the
// padding the export added. A line shorter than the widths gives short or
// empty trailing fields; characters beyond the widths are ignored.
QStringList splitFixedWidthFields(QStringView body, const QList<int> &widths);

// A whole line as read from the file: nothing when its last character is not
// "#", or when the rest is not exactly as long as the widths together (a
// line cut short or grown would move every later field; the caller asks
// whether to go on), else its fields as above.
std::optional<QStringList> parseFixedWidthLine(QStringView line, const QList<int> &widths);

} // namespace vardex
