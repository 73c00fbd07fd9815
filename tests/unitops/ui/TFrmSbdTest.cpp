// The collection window against simulated units.
#include "unitops/ui/TFrmSbd.h"
#include "accessdata/TDB0DM.h"
#include "accessdata/UnitCatalogue.h"
#include "comm/UnitLineEnd.h"
#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace vardex {
namespace {

TEST(TFrmSbd, CollectsUntilEveryUnitIsEmptyThenOffersHotovo)
{
    testing::TempDir dir;
    testing::ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2027, 1, 5), QTime(8, 0))};
    TDB0DM db(dir.path(), messages, clock);
    ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
    sim::Kvr8Simulator simulator{clock};
    sim::SimConfig config;
    for (quint8 address : {0x01, 0x02}) {
        ASSERT_TRUE(db.tbUniDefaultByType(UnitType::Access));
        db.tbUni.edit();
        db.tbUni.setString(QStringLiteral("ADRESA"), QStringLiteral("0%1").arg(address));
        db.tbUni.setString(QStringLiteral("NAZEV"), QStringLiteral("Dveře"));
        ASSERT_TRUE(db.tbUni.post());
        config.units.append(sim::UnitSetup{address});
        config.events.append(
            {address, makeEventSlot(KeyBytes{}, QDateTime(QDate(2027, 1, 4), QTime(9, 0)), 8)});
    }
    simulator.apply(config);
    QString error;
    ASSERT_TRUE(simulator.start(&error));
    db.KomHwj.SetCommPort(simulator.slavePath());
    ASSERT_TRUE(db.KomHwj.OpenPort().ok);

    TFrmSbd window(db);
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
    EXPECT_TRUE(db.tbEvents.isOpen());
    EXPECT_EQ(db.tbEvents.recordCount(), 2);
    db.KomHwj.ClosePort();
}

} // namespace
} // namespace vardex
