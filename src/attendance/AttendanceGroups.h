#pragma once

#include <QString>

namespace vardex {

// Whether a key holder with that workplace belongs to the chosen group: the
// codes must be equal letter for letter, case included.
inline bool InAttendanceGroup(const QString &holderWorkplace, const QString &group)
{
    return holderWorkplace.compare(group, Qt::CaseSensitive) == 0;
}

} // namespace vardex
