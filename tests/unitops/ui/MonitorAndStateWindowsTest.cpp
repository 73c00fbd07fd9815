// The state, clock and monitor windows against simulated units, and the
// searched-keys list.
#include "../SiteUnits.h"
#include "admin/UnitChooser.h"
#include "admin/ui/RecordNavigator.h"
#include "comm/Protocol.h"
#include "support/WindowDriving.h"
#include "tables/TableGridModel.h"
#include "unitops/ui/TFrmGetSta.h"
#include "unitops/ui/TFrmMon.h"
#include "unitops/ui/TFrmSetTim.h"
#include "unitops/ui/TFrmStaHwj.h"
#include "unitops/ui/TKEYALA.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QToolButton>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;
using testing::waitUntil;

class WindowsOnTheLine : public ::testing::Test, public testing::LineSite
{
protected:
    void SetUp() override
    {
        testing::addSiteUnit(db, config, 0x01, "Vrátnice");
        testing::addSiteUnit(db, config, 0x02, "Sklad");
        ASSERT_TRUE(openPortOn(simulator, config));
    }
    void TearDown() override { db.KomHwj.ClosePort(); }

    sim::Kvr8Simulator simulator{clock};
    sim::SimConfig config;
};

TEST_F(WindowsOnTheLine, MonitorStartsOnlyWithUnitsAndClosesOnlyWhenStopped)
{
    TFrmMon window(db);
    const auto enabled = [&] {
        QString e;
        for (QPushButton *b :
             {window.btJednotky(), window.btStart(), window.btPrerus(), window.btStop()})
            e += b->isEnabled() ? u'1' : u'0';
        return e;
    };
    EXPECT_EQ(enabled(), u"1001"_s);
    window.tbMonPer()->setValue(12);
    EXPECT_EQ(window.monTimer().interval(), 12000);
    EXPECT_EQ(window.laPeriody()->text(), u"12 s."_s);

    window.chooseUnits = [&] { UnitChooser(db).done(u"01"_s, {}); }; // nothing marked
    window.btJednotky()->click();
    EXPECT_EQ(enabled(), u"1001"_s);
    window.chooseUnits = [&] { UnitChooser(db).all(u"01"_s); };
    window.btJednotky()->click();
    EXPECT_EQ(enabled(), u"1101"_s);

    ASSERT_TRUE(simulator.changeInput(0x02, 1, 3));
    window.show();
    window.btStart()->click();
    EXPECT_EQ(enabled(), u"0010"_s);
    testing::pressKey(window.meMon(), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    window.monTimer().setInterval(1);
    ASSERT_TRUE(waitUntil([&] { return window.meMon()->toPlainText().contains(u"AKTIVOVÁNO"_s); }));
    EXPECT_FALSE(window.laNazev()->text().isEmpty());
    window.btPrerus()->click();
    ASSERT_TRUE(waitUntil([&] { return !window.monitor().busy(); }));
    EXPECT_FALSE(window.Image1()->isHidden());
    EXPECT_EQ(enabled(), u"1101"_s);
    window.btStop()->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(db.tbEvents.isOpen());
    EXPECT_EQ(db.tbEvents.recordCount(), 1);
}

TEST_F(WindowsOnTheLine, AStateReadIsShownInTheStateWindow)
{
    TFrmGetSta window(db);
    QByteArray shown;
    window.showState = [&](const QByteArray &state) { shown = state; };
    window.DBGrid1DblClick(window.grid()->model()->index(1, 0));
    EXPECT_TRUE(window.grid()->isHidden());
    ASSERT_TRUE(waitUntil([&] { return !shown.isEmpty(); }));
    EXPECT_FALSE(window.grid()->isHidden());
    EXPECT_TRUE(window.status()->text().isEmpty());

    const TFrmStaHwj locked(shown);
    EXPECT_EQ(locked.fields().value(0)->text(), u"02"_s);
    EXPECT_EQ(locked.waitingEvents()->text(), u"Prázdný seznam událostí."_s);
    EXPECT_TRUE(locked.memoryOverflow()->isHidden());
    EXPECT_TRUE(locked.unitParameters()->isHidden());
    // A barrier T whose memory overflowed.
    UnitState s = UnitState::fromBytes(shown);
    s.type = 9;
    s.memoryFlag = MemoryFlagOverflow;
    s.channels = QByteArray(128, '\0');
    const TFrmStaHwj overflowed(s.toBytes());
    EXPECT_FALSE(overflowed.memoryOverflow()->isHidden());
    EXPECT_FALSE(overflowed.unitParameters()->isHidden());
    EXPECT_EQ(overflowed.parameterLines()->toPlainText().count(u'\n'), 3);
}

TEST_F(WindowsOnTheLine, SettingTheClocksEndsWithOneMessage)
{
    TFrmSetTim window(db);
    EXPECT_FALSE(window.pcTime()->text().isEmpty());
    window.RepeatTimer().setInterval(1);
    ASSERT_TRUE(waitUntil([&] { return !messages.shown().isEmpty(); }, 5000));
    EXPECT_EQ(messages.texts(), QStringList{u"Hotovo!"_s});
    EXPECT_EQ(window.log()->toPlainText(), u"01 Vrátnice - akceptováno\n02 Sklad - akceptováno"_s);
}

TEST(TKEYALA, ANewRowTakesTheChosenKeyOrGoes)
{
    testing::LineSite s;
    ASSERT_TRUE(s.db.tbKey.append());
    s.db.tbKey.setString(u"CTM"_s, u"01000000000005"_s);
    s.db.tbKey.setString(u"JMENO"_s, u"Hrubý Petr"_s);
    s.db.tbKey.setString(u"OSCIS"_s, u"105"_s);
    ASSERT_TRUE(s.db.tbKey.post());
    TKEYALA window(s.db);
    QToolButton *insert = window.navigator()->button(RecordNavigator::Insert);

    window.chooseKey = [] {}; // the key selection cancelled
    insert->click();
    EXPECT_EQ(s.db.tbSKey.state(), TableState::Browse);
    EXPECT_EQ(s.db.tbSKey.recordCount(), 0);

    window.chooseKey = [&] { s.db.chosenKey = u"01000000000005"_s; };
    insert->click();
    window.navigator()->button(RecordNavigator::Post)->click();
    ASSERT_EQ(s.db.tbSKey.recordCount(), 1);
    const auto cell = [&](int column) {
        return window.model()->data(window.model()->index(0, column)).toString();
    };
    EXPECT_EQ(cell(0), u"Hrubý Petr"_s);
    EXPECT_EQ(cell(1), u"Byl nalezen hledaný klíč!"_s);
    EXPECT_EQ(cell(2), u"N"_s);
    EXPECT_FALSE(s.db.tbSKeyJeHledany(u"01000000000005"_s));
    window.allOn()->click();
    EXPECT_TRUE(s.db.tbSKeyJeHledany(u"01000000000005"_s));
    EXPECT_EQ(cell(2), u"A"_s);
}

} // namespace
} // namespace vardex
