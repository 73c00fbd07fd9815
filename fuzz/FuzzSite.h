#pragma once

#include "cli/Session.h"

#include <QByteArray>
#include <QString>

namespace vardex::fuzz {

// One started site for the whole run of a fuzz target, in a fresh folder
// in memory (/dev/shm when there is one) with a few units, holders and
// events, the clock fixed at 5 January 2027 08:00. Quiet: operator
// messages go nowhere.
Session &site();
// Writes `bytes` into the site's folder as `name` and gives its path.
QString siteFile(const QString &name, const QByteArray &bytes);

} // namespace vardex::fuzz
