#pragma once

#include "base/Result.h"

#include <QStringList>

namespace vardex {

// "Vybrané události": one line per record of the work file `path`: the
// record number (six digits), " >" before a record of `shownKey` (two
// blanks before any other), the key, "dd.mm.", "hh:mm", the unit address
// and the result code. A missing file or one cut inside a record is a
// failure naming it.
Result<QStringList> workFileListing(const QString &path, const QString &shownKey);

} // namespace vardex
