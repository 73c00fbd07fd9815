// WKVRFLTR.TXT, the operator's own filters: read, and each one compiled
// against the event table as the browser offers it.
#include "FuzzSite.h"
#include "FuzzTarget.h"

#include "events/FreeFilterList.h"
#include "tables/FilterExpression.h"

VARDEX_FUZZ_TARGET(FilterList)
{
    vardex::Session &s = vardex::fuzz::site();
    vardex::fuzz::siteFile(vardex::FreeFilterList::fileName(), input);
    vardex::FreeFilterList list(s.app.workDir());
    if (!list.read())
        return;
    for (const QString &text : list.expressions())
        (void)vardex::compileFilter(text, s.app.db0.tbEvents.schema());
}
