#include "events/EventTableTools.h"
#include "EventTestSite.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

// The operator's answers decide what the import and "Nová" do; each step
// ends with a message and the number of events.
TEST(EventTableTools, ImportAndNewFollowTheAnswers)
{
    EventTestSite site;
    EventTableTools utilities(site.dir.path(), site.messages);
    EXPECT_FALSE(utilities.importEnabled());
    utilities.exportEvents();
    EXPECT_TRUE(utilities.importEnabled());
    using Kind = ScriptedMessages::Kind;
    const std::tuple<const char *, std::function<void()>, QList<Answer>, QString, qint64> steps[] =
        {
            {"cancel",
             [&] { utilities.importEvents(); },
             {Answer::Cancel},
             "Smazat stará data?",
             4},
            {"keep", [&] { utilities.importEvents(); }, {Answer::No}, "Hotovo!", 8},
            {"replace", [&] { utilities.importEvents(); }, {Answer::Yes}, "Hotovo!", 4},
            {"not new", [&] { utilities.newDatabase(); }, {Answer::No}, "Přerušeno!", 4},
            {"new", [&] { utilities.newDatabase(); }, {Answer::Yes}, "Hotovo!", 0},
        };
    for (const auto &[what, act, answers, last, count] : steps) {
        SCOPED_TRACE(what);
        site.messages.clear();
        for (Answer a : answers)
            site.messages.answer(a);
        act();
        EXPECT_EQ(site.messages.texts().value(site.messages.texts().size() - 1), last);
        EXPECT_EQ(utilities.count().valueOr(-1), count);
    }
    EXPECT_TRUE(site.messages.texts(Kind::Error).isEmpty());
}
