#pragma once

#include "base/Result.h"

#include <QString>

namespace vardex::DemoSite {

// Writes the demo site's start picture "logo.bmp" and the photograph of
// the hardware "foto.bmp" into `dir`, so that the main window looks as on a
// real site.
Result<void> writePictures(const QString &dir);

} // namespace vardex::DemoSite
