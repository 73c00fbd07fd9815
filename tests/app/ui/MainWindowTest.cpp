#include "app/ui/MainWindow.h"
#include "admin/ui/TFrmUni.h"
#include "admin/ui/UnitEditorPanels.h"
#include "app/Application.h"
#include "app/ui/AppWindows.h"
#include "platform/Clock.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"

#include <QAction>
#include <QPushButton>

using namespace vardex;
using namespace vardex::testing;
using namespace Qt::StringLiterals;

// Which entry is usable when is the menu rules', tested with them; here the
// window follows them at the start and again after each window it opened.
TEST(MainWindow, TheStartEnablesTheMenuAClosedWindowReevaluatesItAndOnlyKonecCloses)
{
    TempDir dir;
    ScriptedMessages messages;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    Application app{dir.path(), dir.path() + QLatin1Char('/'), messages, files, clock};
    MainWindow window{app};
    registerAppWindows(window, app);
    const auto enabled = [&](const QString &entry) { return window.action(entry)->isEnabled(); };
    window.show();
    EXPECT_FALSE(enabled(u"Databaze"_s));
    window.startButton()->click();
    EXPECT_TRUE(app.started());
    EXPECT_TRUE(window.startButton()->isHidden());
    EXPECT_TRUE(enabled(u"Databaze"_s));
    EXPECT_FALSE(enabled(u"StavJednotek"_s));

    messages.clear();
    window.action(u"GrafickyMonitor1"_s)->trigger();
    EXPECT_EQ(messages.texts(), QStringList{u"Funkce není v této verzi k dispozici."_s});

    // The units window adds one unit; the menu is re-evaluated after it.
    runDriven([&] { window.action(u"DatabazeJednotek"_s)->trigger(); },
              [] {
                  auto *units = qobject_cast<TFrmUni *>(QApplication::activeModalWidget());
                  ASSERT_NE(units, nullptr);
                  units->newButton()->click();
                  units->typeSelector()->pick(0);
                  units->reject();
              });
    EXPECT_TRUE(enabled(u"StavJednotek"_s));
    EXPECT_TRUE(enabled(u"DatabazeCasu"_s));

    EXPECT_FALSE(window.close());
    EXPECT_TRUE(app.db0.tbEvents.isOpen());
    window.action(u"Konec1"_s)->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(app.db0.tbEvents.isOpen());
    EXPECT_FALSE(app.vx.tbCas.isOpen());
}
