#include "app/ui/MainWindow.h"
#include "app/Application.h"
#include "platform/Clock.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QPushButton>

using namespace vardex;
using vardex::testing::ScriptedFileChooser;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

struct Fixture
{
    TempDir dir;
    ScriptedMessages messages;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    Application app{dir.path(), dir.path() + QLatin1Char('/'), messages, files, clock};
    MainWindow window{app};
};

} // namespace

// Which entry is usable when is the menu rules', tested with them.
TEST(MainWindow, BeforeTheStartOnlyKonecWorksAndTheStartEnablesTheMenu)
{
    Fixture f;
    EXPECT_FALSE(f.window.action(QStringLiteral("Databaze"))->isEnabled());
    EXPECT_TRUE(f.window.action(QStringLiteral("Konec1"))->isEnabled());
    // "&Konec" sits in "&Program", which stays reachable with nothing else on.
    EXPECT_TRUE(f.window.action(QStringLiteral("OProgramu"))->isEnabled());
    EXPECT_FALSE(f.window.action(QStringLiteral("UcelProgramu"))->isEnabled());

    f.window.startButton()->click();
    EXPECT_TRUE(f.app.started());
    EXPECT_TRUE(f.window.startButton()->isHidden());
    EXPECT_TRUE(f.window.action(QStringLiteral("Databaze"))->isEnabled());
    EXPECT_FALSE(f.window.action(QStringLiteral("StavJednotek"))->isEnabled());
}

TEST(MainWindow, EntriesWithoutAWindowSaySoAndUnitsReevaluateTheMenu)
{
    Fixture f;
    f.window.startButton()->click();
    f.messages.clear();
    f.window.action(QStringLiteral("GrafickyMonitor1"))->trigger();
    EXPECT_EQ(f.messages.texts(),
              QStringList{QStringLiteral("Funkce není v této verzi k dispozici.")});

    // A units window that adds one unit: the menu is re-evaluated after it.
    f.window.registerWindow(QStringLiteral("DatabazeJednotek"), [&] {
        Table &u = f.app.db0.tbUni;
        ASSERT_TRUE(u.append());
        u.setString(QStringLiteral("ADRESA"), QStringLiteral("01"));
        u.setString(QStringLiteral("TYP"), QStringLiteral("01"));
        ASSERT_TRUE(u.post());
    });
    f.window.action(QStringLiteral("DatabazeJednotek"))->trigger();
    EXPECT_TRUE(f.window.action(QStringLiteral("StavJednotek"))->isEnabled());
    EXPECT_TRUE(f.window.action(QStringLiteral("DatabazeCasu"))->isEnabled());
}

TEST(MainWindow, OnlyKonecClosesTheWindowAndClosesTheTables)
{
    Fixture f;
    f.window.show();
    f.window.startButton()->click();
    EXPECT_FALSE(f.window.close());
    EXPECT_TRUE(f.app.db0.tbEvents.isOpen());
    f.window.action(QStringLiteral("Konec1"))->trigger();
    EXPECT_FALSE(f.window.isVisible());
    EXPECT_FALSE(f.app.db0.tbEvents.isOpen());
    EXPECT_FALSE(f.app.vx.tbCas.isOpen());
}
