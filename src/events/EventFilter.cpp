#include "events/EventFilter.h"

#include "accessdata/TDB0DM.h"

namespace vardex {

QString combineFilter(const FilterComponents &parts)
{
    QString filter;
    for (const FilterComponent &part : parts) {
        if (!part.on || part.text.isEmpty())
            continue;
        if (!filter.isEmpty())
            filter += QStringLiteral(" AND ");
        filter += QLatin1Char('(') + part.text + QLatin1Char(')');
    }
    return filter;
}

QString componentText(const TDB0DM &db, FilterPart part)
{
    switch (part) {
    case FilterPart::Date:
        return db.FiltrDate();
    case FilterPart::Time:
        return db.FiltrTime();
    case FilterPart::Key:
        return db.FiltrKey();
    case FilterPart::Unit:
        return db.FiltrHwj();
    case FilterPart::Result:
        break;
    }
    return QString();
}

} // namespace vardex
