// A calendar plan pattern (.VZR file) as "Použít vzor" reads it, laid onto
// a holder's January, and the plan printed.
#include "FuzzSite.h"
#include "FuzzTarget.h"

#include "attendance/CalendarPlan.h"

VARDEX_FUZZ_TARGET(PlanPattern)
{
    vardex::Session &s = vardex::fuzz::site();
    const vardex::Result<vardex::PlanPattern> pattern =
        vardex::loadPattern(vardex::fuzz::siteFile(QStringLiteral("VZOR.VZR"), input));
    if (!pattern)
        return;
    vardex::CalendarPlan plan(s.app.vx, s.app.db0, s.app.rpl);
    const QString key = QStringLiteral("010000004A0000");
    const QDate from(2027, 1, 1), to(2027, 1, 31);
    (void)plan.VzorDoKlice(*pattern, key, from, to, true);
    (void)plan.printLines(key, from, to);
}
