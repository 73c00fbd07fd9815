#include "app/MenuRules.h"
#include "app/MenuItems.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace vardex;

namespace {

// The entries the rules decide, in a fixed order for readable failures.
const char *const kRuled[] = {"DatabazeCasu",       "DatabazeSkupOpr", "DabazeSmen",
                              "DatabazePracSkupin", "DatabazeRozpisu", "ZpracovaniDochazky",
                              "UdalostiDochazky",   "DatabazeKlicu",   "StavJednotek",
                              "NastaveniCasu",      "NastaveniPrav",   "SberDat",
                              "MonitorUdalosti",    "DatabazeUdalosti"};

QSet<QString> enabledRuled(const MenuFacts &facts)
{
    MenuState m;
    m.setStarted(true);
    m.PocatecniMoznosti();
    m.PosouditMoznosti(facts);
    QSet<QString> on;
    for (const char *name : kRuled)
        if (m.isEnabled(QLatin1String(name)))
            on.insert(QLatin1String(name));
    return on;
}

QSet<QString> set(std::initializer_list<const char *> names)
{
    QSet<QString> s;
    for (const char *n : names)
        s.insert(QLatin1String(n));
    return s;
}

} // namespace

TEST(MenuRules, EnablingFollowsTheTablesContents)
{
    struct Case
    {
        const char *what;
        MenuFacts facts;
        QSet<QString> enabled;
    } cases[] = {
        {"first start, nothing in the tables", {}, {}},
        {"only attendance units, no shift schedule yet",
         {.units = 2, .attendanceUnits = 2},
         set({"DabazeSmen", "DatabazePracSkupin", "StavJednotek", "NastaveniCasu"})},
        {"only attendance units, shifts and schedules and keys",
         {.units = 2, .attendanceUnits = 2, .keys = true, .shifts = true, .shiftSchedules = true},
         set({"DabazeSmen", "DatabazePracSkupin", "DatabazeRozpisu", "ZpracovaniDochazky",
              "UdalostiDochazky", "DatabazeKlicu", "StavJednotek", "NastaveniCasu", "NastaveniPrav",
              "SberDat", "MonitorUdalosti", "DatabazeUdalosti"})},
        {"access unit with an external entrance, no attendance unit",
         {.units = 1, .externalEntrance = true, .shifts = true},
         set({"DatabazeCasu", "DabazeSmen", "DatabazePracSkupin", "DatabazeRozpisu", "StavJednotek",
              "NastaveniCasu"})},
        {"access units without keys",
         {.units = 3},
         set({"DatabazeCasu", "StavJednotek", "NastaveniCasu"})},
        {"access units with schedules and groups",
         {.units = 3, .permissionGroups = true, .accessSchedules = true},
         set({"DatabazeCasu", "DatabazeSkupOpr", "DatabazeKlicu", "StavJednotek",
              "NastaveniCasu"})},
        {"groups without access schedules do not open the groups window",
         {.units = 3, .permissionGroups = true},
         set({"DatabazeCasu", "DatabazeKlicu", "StavJednotek", "NastaveniCasu"})},
        {"more than 32 attendance units still count all",
         {.units = 40, .attendanceUnits = 40, .keys = true},
         set({"DabazeSmen", "DatabazePracSkupin", "ZpracovaniDochazky", "UdalostiDochazky",
              "StavJednotek", "NastaveniCasu", "NastaveniPrav", "SberDat", "MonitorUdalosti",
              "DatabazeUdalosti"})},
        {"33 units of which 32 are attendance units leave one access unit",
         {.units = 33, .attendanceUnits = 32},
         set({"DatabazeCasu", "DabazeSmen", "DatabazePracSkupin", "StavJednotek",
              "NastaveniCasu"})},
    };
    for (const Case &c : cases)
        EXPECT_EQ(enabledRuled(c.facts), c.enabled) << c.what;
}

TEST(MenuRules, BeforeTheStartOnlyKonecIsUsable)
{
    MenuState m;
    for (const MenuItemDef &item : mainMenuItems()) {
        if (item.name.isEmpty())
            continue;
        EXPECT_EQ(m.isUsable(item.name), item.name == QLatin1String("Konec1"))
            << item.name.toStdString();
    }
    m.setStarted(true);
    m.PocatecniMoznosti();
    m.PosouditMoznosti({});
    for (const char *always :
         {"UcelProgramu", "ParametryProgramu", "DatabazeJednotek", "DokumentaceSystemu", "Svatky",
          "GrafickyMonitor1", "Databazerozpisu1", "Doasntolerancenonsmny1", "Napoveda"})
        EXPECT_TRUE(m.isUsable(QLatin1String(always))) << always;
}

TEST(MenuItems, EveryTopLevelMenuHasEntriesAndNamesAreUnique)
{
    QSet<QString> names;
    int topLevel = 0;
    bool lastWasTop = false;
    for (const MenuItemDef &item : mainMenuItems()) {
        if (item.action == MenuAction::Separator)
            continue;
        EXPECT_FALSE(names.contains(item.name)) << item.name.toStdString();
        names.insert(item.name);
        EXPECT_TRUE(item.caption.contains(QLatin1Char('&'))) << item.name.toStdString();
        EXPECT_FALSE(lastWasTop && item.action == MenuAction::TopLevel);
        lastWasTop = item.action == MenuAction::TopLevel;
        topLevel += item.action == MenuAction::TopLevel;
    }
    EXPECT_EQ(topLevel, 5);
    for (const char *n : kRuled)
        EXPECT_TRUE(names.contains(QLatin1String(n))) << n;
}
