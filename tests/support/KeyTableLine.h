#pragma once

#include "text/Cp1250.h"

#include <QByteArray>
#include <QString>

namespace vardex::testing {

// A line of the key table's text file as another program would write it:
// key number, name and personal number in their columns, the other fields
// blank, "#", CR LF, cp1250.
inline QByteArray keyTableLine(const QString &ctm, const QString &jmeno, const QString &oscis)
{
    const QString line = ctm.leftJustified(14) + QString(12, u' ') + jmeno.leftJustified(25) +
                         QString(12, u' ') + oscis.leftJustified(12) + QString(85, u' ') + u'#';
    return Cp1250Codec().encode(line).bytes + "\r\n";
}

} // namespace vardex::testing
