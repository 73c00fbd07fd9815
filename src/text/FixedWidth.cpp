#include "text/FixedWidth.h"

namespace vardex {

namespace {

constexpr QChar Blank = u' ';

// The position up to `count` characters on from `from`, a surrogate pair
// counting as one character; never beyond the end. `taken` tells how many
// characters there were.
qsizetype advance(QStringView text, qsizetype from, qsizetype count, qsizetype *taken = nullptr)
{
    qsizetype at = from;
    qsizetype n = 0;
    while (n < count && at < text.size()) {
        if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
            at += 2;
        else
            at += 1;
        ++n;
    }
    if (taken)
        *taken = n;
    return at;
}

QString stripBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == Blank)
        ++begin;
    while (end > begin && text[end - 1] == Blank)
        --end;
    return text.sliced(begin, end - begin).toString();
}

} // namespace

QString fitToWidth(QStringView text, int width)
{
    if (width <= 0)
        return QString();
    qsizetype taken = 0;
    const qsizetype end = advance(text, 0, width, &taken);
    QString out = text.first(end).toString();
    out.append(QString(width - taken, Blank));
    return out;
}

QString buildFixedWidthLine(const QList<FixedWidthField> &fields)
{
    QString line;
    for (const FixedWidthField &field : fields)
        line.append(fitToWidth(field.text, field.width));
    line.append(FixedWidthLineMark);
    return line;
}

bool hasLineMark(QStringView line)
{
    return !line.isEmpty() && line.back() == FixedWidthLineMark;
}

QStringList splitFixedWidthFields(QStringView body, const QList<int> &widths)
{
    QStringList fields;
    fields.reserve(widths.size());
    qsizetype at = 0;
    for (int width : widths) {
        const qsizetype end = advance(body, at, qMax(width, 0));
        fields.append(stripBlanks(body.sliced(at, end - at)));
        at = end;
    }
    return fields;
}

std::optional<QStringList> parseFixedWidthLine(QStringView line, const QList<int> &widths)
{
    if (!hasLineMark(line))
        return std::nullopt;
    const QStringView body = line.chopped(1);
    qsizetype recordLength = 0;
    for (int width : widths)
        recordLength += qMax(width, 0);
    qsizetype length = 0;
    advance(body, 0, recordLength + 1, &length);
    if (length != recordLength)
        return std::nullopt;
    return splitFixedWidthFields(body, widths);
}

} // namespace vardex
