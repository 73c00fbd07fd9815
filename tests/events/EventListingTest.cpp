#include "events/EventListing.h"
#include "EventTestSite.h"
#include "events/EventTextCache.h"
#include "events/ReportFile.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

// "Tisknout" writes each event as date, time, "#" for an added one, the
// unit, the key and the result as the browser's columns show them.
TEST(EventListing, WritesTheBrowsersColumnsOfEveryEventInTheReportFile)
{
    EventTestSite site;
    EventTextCache texts(site.dir.path());
    const QString out = site.dir.path() + "/";
    ASSERT_EQ(writeEventListing(site.db.tbEvents, texts, out).valueOr(-1), 4);
    EXPECT_EQ(*readReportFile(out),
              QStringList({"01.12.2026 07:30  Vrátnice Novák Jan Dveře 0 / příchod, povoleno      ",
                           "02.12.2026 12:30 #Vrátnice #0100000000FFFF Dveře 0 / příchod, "
                           "^ilegální     ",
                           "02.12.2026 07:45  Vrátnice  Dveře 0, AKTIVOVÁNO",
                           "02.01.2026 07:30  # Neznámá # Novák Jan ", ""}));
}

// The archive's event line, made from the cached names, is the data
// module's line for the same event.
TEST(EventListing, TheCachedEventLineIsTheDataModulesLine)
{
    EventTestSite site;
    EventTextCache texts(site.dir.path());
    const EventRowLayout layout(site.db.tbEvents.schema());
    Table &events = site.db.tbEvents;
    int n = 0;
    for (events.first(); !events.eof(); events.next(), ++n)
        EXPECT_EQ(*texts.eventLine(layout(events.storedValues())), site.db.tbEventsRadekUdalosti());
    EXPECT_EQ(n, 4);
    EXPECT_EQ(site.messages.shown().size(), 0);
}
