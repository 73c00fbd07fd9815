// UTIL_EVE.TXT, the event table as text: byte 0 chooses adding to the
// events or replacing them (checked whole first); the rest is the file.
#include "FuzzSite.h"
#include "FuzzTarget.h"

#include "events/EventArchiveFile.h"

VARDEX_FUZZ_TARGET(EventFile)
{
    if (input.isEmpty())
        return;
    const QString path = vardex::fuzz::siteFile(vardex::eventFileName(), input.mid(1));
    (void)vardex::importEventFile(vardex::fuzz::site().app.db0.tbEvents, path,
                                  input[0] & 1 ? vardex::EventImportMode::Replace
                                               : vardex::EventImportMode::Keep);
}
