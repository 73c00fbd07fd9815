// The collection window against simulated units.
#include "unitops/ui/TFrmSbd.h"
#include "../LineSite.h"
#include "accessdata/UnitCatalogue.h"
#include "support/WindowDriving.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace vardex {
namespace {

TEST(TFrmSbd, CollectsUntilEveryUnitIsEmptyThenOffersHotovo)
{
    testing::LineSite s;
    sim::Kvr8Simulator simulator{s.clock};
    sim::SimConfig config;
    for (quint8 address : {0x01, 0x02}) {
        ASSERT_TRUE(s.db.tbUniDefaultByType(UnitType::Access));
        s.db.tbUni.edit();
        s.db.tbUni.setString(QStringLiteral("ADRESA"), QStringLiteral("0%1").arg(address));
        s.db.tbUni.setString(QStringLiteral("NAZEV"), QStringLiteral("Dveře"));
        ASSERT_TRUE(s.db.tbUni.post());
        config.units.append(sim::UnitSetup{address});
        config.events.append(
            {address, makeEventSlot(KeyBytes{}, QDateTime(QDate(2027, 1, 4), QTime(9, 0)), 8)});
    }
    ASSERT_TRUE(s.openPortOn(simulator, config));

    TFrmSbd window(s.db);
    EXPECT_FALSE(window.btPrerus()->isHidden());
    EXPECT_TRUE(window.btOkSbd()->isHidden());
    window.show();
    // Neither Escape nor Enter closes or interrupts it while collecting.
    for (int key : {Qt::Key_Escape, Qt::Key_Return})
        testing::pressKey(window.meMon(), key);
    EXPECT_TRUE(window.isVisible());

    window.sbdTimer().setInterval(1);
    ASSERT_TRUE(testing::waitUntil([&] { return window.collection().stopped(); }, 10000));
    EXPECT_TRUE(window.btPrerus()->isHidden());
    EXPECT_FALSE(window.btOkSbd()->isHidden());
    const QString log = window.meMon()->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("02 Dveře - 1 událostí"))) << log.toStdString();
    EXPECT_TRUE(log.endsWith(QStringLiteral(" - 0 událostí")));
    window.btOkSbd()->click();
    EXPECT_FALSE(window.isVisible());
    // The event table was reopened when the window hid.
    EXPECT_TRUE(s.db.tbEvents.isOpen());
    EXPECT_EQ(s.db.tbEvents.recordCount(), 2);
}

} // namespace
} // namespace vardex
