#include "app/MenuRules.h"
#include "app/MenuItems.h"

#include <gtest/gtest.h>

using namespace vardex;

namespace {

// The entries the rules decide, in menu order, each with the letter that
// stands for it in the cases below.
const std::pair<char, const char *> kRuled[] = {
    {'C', "DatabazeCasu"},       {'G', "DatabazeSkupOpr"}, {'S', "DabazeSmen"},
    {'P', "DatabazePracSkupin"}, {'R', "DatabazeRozpisu"}, {'Z', "ZpracovaniDochazky"},
    {'U', "UdalostiDochazky"},   {'K', "DatabazeKlicu"},   {'J', "StavJednotek"},
    {'N', "NastaveniCasu"},      {'V', "NastaveniPrav"},   {'D', "SberDat"},
    {'M', "MonitorUdalosti"},    {'E', "DatabazeUdalosti"}};

MenuState startedWith(const MenuFacts &facts)
{
    MenuState m;
    m.setStarted(true);
    m.PocatecniMoznosti();
    m.PosouditMoznosti(facts);
    return m;
}

} // namespace

TEST(MenuRules, EnablingFollowsTheTablesContents)
{
    // The facts, and the letters of the entries they enable.
    const std::pair<MenuFacts, const char *> cases[] = {
        {{}, ""},                                     // first start, nothing in the tables
        {{.units = 2, .attendanceUnits = 2}, "SPJN"}, // no shift schedule yet
        {{.units = 2, .attendanceUnits = 2, .keys = true, .shifts = true, .shiftSchedules = true},
         "SPRZUKJNVDME"},
        {{.units = 1, .externalEntrance = true, .shifts = true}, "CSPRJN"}, // no attendance unit
        {{.units = 3}, "CJN"},                                              // access units, no keys
        {{.units = 3, .permissionGroups = true, .accessSchedules = true}, "CGKJN"},
        // Groups without access schedules do not open the groups window.
        {{.units = 3, .permissionGroups = true}, "CKJN"},
        // More than 32 attendance units still count all; 33 units of which
        // 32 are attendance units leave one access unit.
        {{.units = 40, .attendanceUnits = 40, .keys = true}, "SPZUJNVDME"},
        {{.units = 33, .attendanceUnits = 32}, "CSPJN"},
    };
    for (const auto &[facts, enabled] : cases) {
        const MenuState m = startedWith(facts);
        QString on;
        for (const auto &[letter, name] : kRuled)
            if (m.isEnabled(QLatin1String(name)))
                on += QLatin1Char(letter);
        EXPECT_EQ(on, QLatin1String(enabled)) << facts.units << " units";
    }
}

TEST(MenuRules, BeforeTheStartOnlyKonecIsUsableAfterItEveryEntryWithoutData)
{
    MenuState m;
    for (const MenuItemDef &item : mainMenuItems())
        EXPECT_EQ(m.isUsable(item.name), item.name == QLatin1String("Konec1"))
            << item.name.toStdString();
    m = startedWith({});
    for (const char *always :
         {"UcelProgramu", "ParametryProgramu", "DatabazeJednotek", "DokumentaceSystemu", "Svatky",
          "GrafickyMonitor1", "Databazerozpisu1", "Doasntolerancenonsmny1", "Napoveda"})
        EXPECT_TRUE(m.isUsable(QLatin1String(always))) << always;
}
