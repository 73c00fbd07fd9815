// The key reading dialog through its widgets, against a simulated unit.
#include "unitops/ui/TKeyDlg.h"
#include "accessdata/TDB0DM.h"
#include "attendance/TVXDM.h"
#include "comm/UnitLineEnd.h"
#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/WindowDriving.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vardex {
namespace {

using testing::waitUntil;

const KeyBytes kKey = {0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};

class KeyDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
        simulator.addUnit(sim::UnitSetup{0x05});
        QString error;
        ASSERT_TRUE(simulator.start(&error)) << error.toStdString();
        db.KomHwj.SetCommPort(simulator.slavePath());
        db.KomHwj.SetWaitTimeout(300);
        ASSERT_TRUE(db.KomHwj.OpenPort().ok);
        vx.config.keyReaderAddress = 0x05;
    }
    void TearDown() override { db.KomHwj.ClosePort(); }

    // ReadIdKeyTM with the dialog shown modally and `drive` run once it is up.
    std::optional<KeyBytes> readIdKey(const std::function<void(TKeyDlg &)> &drive)
    {
        vx.showKeyDialog = [&] {
            TKeyDlg dialog(db, vx);
            testing::execDriven(dialog, [&] { drive(dialog); });
        };
        KeyBytes key{};
        return vx.ReadIdKeyTM(key) ? std::optional<KeyBytes>(key) : std::nullopt;
    }

    testing::TempDir dir;
    testing::ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2027, 1, 5), QTime(8, 0))};
    TDB0DM db{dir.path(), messages, clock};
    TVXDM vx{db, dir.path(), messages};
    sim::Kvr8Simulator simulator{clock};
};

TEST_F(KeyDialog, ShowsTheAddressInHexAndKeepsItOnClosing)
{
    vx.config.keyReaderAddress = 0x21;
    TKeyDlg dialog(db, vx);
    EXPECT_TRUE(dialog.manualEntry()->isHidden());
    EXPECT_TRUE(dialog.edAddr()->isReadOnly());
    EXPECT_EQ(dialog.UpDown1()->value(), 0x21);
    EXPECT_EQ(dialog.edAddr()->text(), QStringLiteral("21"));
    EXPECT_EQ(dialog.UpDown1()->maximum(), 255);

    dialog.show();
    dialog.UpDown1()->setValue(10);
    EXPECT_EQ(dialog.edAddr()->text(), QStringLiteral("0A"));
    // Escape is "Zrušit": the dialog closes and remembers the address.
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(vx.config.keyReaderAddress, 10);
    EXPECT_FALSE(bool(db.KomHwj.OnReceiveData));
}

TEST_F(KeyDialog, ReadWithoutAKeyLeavesTheDialogOpenWithHotovoEnabled)
{
    for (quint8 address : {0x09 /* no unit: time-out */, 0x05 /* no event waiting */}) {
        SCOPED_TRACE(int(address));
        TKeyDlg dialog(db, vx);
        dialog.show();
        dialog.UpDown1()->setValue(address);
        dialog.getKey()->click();
        EXPECT_FALSE(dialog.getKey()->isEnabled());
        ASSERT_TRUE(waitUntil([&] { return dialog.getKey()->isEnabled(); }, 5000));
        EXPECT_TRUE(dialog.isVisible());
        dialog.btCanc()->click();
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(KeyDialog, ManualEntryTakesFourteenDigitsInWireOrder)
{
    struct Case
    {
        const char *text;
        std::optional<KeyBytes> key; // none: the dialog stays open
    } const cases[] = {
        {"01665544332211", kKey},
        {"0a665544332211", KeyBytes{0x0A, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66}},
        {"00000000000000", std::nullopt},
        {"0166554433221", std::nullopt}, // what the text refuses is tested with the text
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        bool stayedOpen = false;
        const std::optional<KeyBytes> key = readIdKey([&](TKeyDlg &d) {
            d.edhexa()->setText(QStringLiteral("stale"));
            d.imaOtaz()->click();
            EXPECT_TRUE(d.manualEntry()->isVisible());
            EXPECT_TRUE(d.edhexa()->text().isEmpty());
            d.edhexa()->setText(QString::fromLatin1(c.text));
            d.SpeedButton1()->click();
            EXPECT_TRUE(d.manualEntry()->isHidden());
            stayedOpen = d.isVisible();
            if (stayedOpen)
                d.btCanc()->click();
        });
        EXPECT_EQ(key, c.key);
        EXPECT_EQ(stayedOpen, !c.key);
    }
}

} // namespace
} // namespace vardex
