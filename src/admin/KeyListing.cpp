#include "admin/KeyListing.h"

#include "tables/Table.h"
#include "text/FixedWidth.h"

namespace vardex {

namespace {

QString field(const Table &keys, const char *name)
{
    return keys.asString(QLatin1String(name));
}

} // namespace

QString keyNameWithTitles(const Table &keys, int width)
{
    const QString before = field(keys, "PTIT");
    const QString after = field(keys, "ZTIT");
    QString text;
    if (!before.isEmpty())
        text = before + QLatin1Char(' ');
    text += field(keys, "JMENO");
    if (!after.isEmpty())
        text += QStringLiteral(", ") + after;
    return width > 0 ? fitToWidth(text, width) : text;
}

QString keyListLine(const Table &keys, qint64 number)
{
    return QStringList{QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0')),
                       field(keys, "CTM"),
                       keyNameWithTitles(keys, 35),
                       fitToWidth(field(keys, "OSCIS"), 12),
                       fitToWidth(field(keys, "PRACOVISTE"), 17),
                       fitToWidth(field(keys, "OPRAVNENI"), 17),
                       fitToWidth(field(keys, "ROZPIS"), 17)}
        .join(QLatin1Char(' '));
}

QString keyHeaderLine(const Table &keys)
{
    return QStringList{field(keys, "CTM"), keyNameWithTitles(keys, 0), field(keys, "OSCIS"),
                       field(keys, "PRACOVISTE")}
        .join(QLatin1Char(' '));
}

} // namespace vardex
