#include "events/ResultFilter.h"

#include <algorithm>

namespace vardex {

namespace {

bool any(const auto &boxes)
{
    return std::any_of(boxes.begin(), boxes.end(), [](bool ticked) { return ticked; });
}

} // namespace

bool ResultFilter::complete() const
{
    return any(kinds) && any(places);
}

QString ResultFilter::text() const
{
    if (!complete())
        return QString();
    const int pair = pairs ? 0x80 : 0;
    QString text;
    for (int kind = 0; kind < KindCount; ++kind) {
        if (!kinds[kind])
            continue;
        for (int bit6 : {0, 0x40}) {
            for (int place = 0; place < PlaceCount; ++place) {
                if (!places[place])
                    continue;
                if (!text.isEmpty())
                    text += QLatin1String(" OR ");
                const int code = pair + bit6 + 16 * kind + place;
                text += QStringLiteral("RES='%1'").arg(code, 2, 16, QLatin1Char('0')).toUpper();
            }
        }
    }
    return text;
}

} // namespace vardex
