// The upload window against a simulated unit.
#include "unitops/ui/TFrmSetAll.h"
#include "../UploadSite.h"
#include "accessdata/UnitCatalogue.h"
#include "support/WindowDriving.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;
using Kind = testing::ScriptedMessages::Kind;

TEST(TFrmSetAll, ChecksSetsAndSaysHowTheRunEnded)
{
    testing::UploadSite s;
    sim::Kvr8Simulator simulator{s.clock};
    sim::SimConfig config;
    s.unit(UnitType::Access, u"01"_s, u"Vchod"_s);
    config.units.append(sim::UnitSetup{0x01});
    s.key(u"01000000000002"_s, u"Bára"_s, QString());
    ASSERT_TRUE(s.openPortOn(simulator, config));

    TFrmSetAll window(s.db, s.vx, s.dir.path());
    EXPECT_EQ(window.sgStat()->item(1, 1)->text(), u"1"_s);
    EXPECT_EQ(window.sgStat()->item(4, 4)->text(), u"1"_s); // a holder without a group
    EXPECT_TRUE(window.btStop()->isHidden());
    window.show();

    window.btKontrola()->click();
    EXPECT_EQ(window.meErrRts()->toPlainText(), u"Bára, 002 - nemá žádné oprávnění"_s);

    window.CheckBox1()->setChecked(true);
    EXPECT_TRUE(s.messages.texts(Kind::Warning).value(0).startsWith(u"Pozor! Prověřte"_s));
    window.Timer1().setInterval(1);
    window.btSend()->click();
    EXPECT_FALSE(window.btStop()->isHidden());
    EXPECT_FALSE(window.btSend()->isEnabled());
    // Not closed while the units are being set.
    testing::pressKey(window.meErrRts(), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    ASSERT_TRUE(testing::waitUntil(
        [&] { return s.messages.texts(Kind::Information).contains(u"Hotovo!"_s); }, 10000));
    EXPECT_TRUE(window.btStop()->isHidden());
    EXPECT_TRUE(window.btSend()->isEnabled());
    EXPECT_TRUE(window.meErrRts()->toPlainText().endsWith(u"ZÁMEK 01 Vchod  - akceptováno"_s));
}

} // namespace
} // namespace vardex
