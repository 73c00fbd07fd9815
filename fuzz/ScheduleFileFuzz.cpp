// ROZPISY.SDF, the shift schedules as text: byte 0 chooses a replacing,
// all-or-nothing import; the rest is the file.
#include "FuzzSite.h"
#include "FuzzTarget.h"

#include "attendance/ScheduleFile.h"

VARDEX_FUZZ_TARGET(ScheduleFile)
{
    if (input.isEmpty())
        return;
    const bool replace = input[0] & 1;
    const QString path =
        vardex::fuzz::siteFile(QString::fromLatin1(vardex::ScheduleFileName), input.mid(1));
    (void)vardex::importScheduleText(vardex::fuzz::site().app.vx.tbDch, path, replace, {},
                                     replace ? vardex::TextImportMode::AllOrNothing
                                             : vardex::TextImportMode::SkipBadLines);
}
