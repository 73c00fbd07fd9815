// The key reading dialog through its widgets, against a simulated unit.
#include "unitops/ui/TKeyDlg.h"
#include "../LineSite.h"
#include "support/WindowDriving.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace vardex {
namespace {

const KeyBytes kKey = {0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};

// A unit at address 05 on the line.
class KeyDialog : public ::testing::Test, public testing::LineSite
{
protected:
    void SetUp() override
    {
        simulator.addUnit(sim::UnitSetup{0x05});
        ASSERT_TRUE(openPortOn(simulator));
    }

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

    sim::Kvr8Simulator simulator{clock};
};

TEST_F(KeyDialog, ShowsTheAddressInHexAndKeepsItOnClosing)
{
    vx.config.keyReaderAddress = 0x21;
    TKeyDlg dialog(db, vx);
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
        ASSERT_TRUE(testing::waitUntil([&] { return dialog.getKey()->isEnabled(); }, 5000));
        EXPECT_TRUE(dialog.isVisible());
        dialog.btCanc()->click();
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(KeyDialog, ManualEntryTakesFourteenDigitsInWireOrder)
{
    // typed, the key taken (none: the dialog stays open); what the text
    // refuses is tested with the text
    const std::pair<const char *, std::optional<KeyBytes>> cases[] = {
        {"01665544332211", kKey},
        {"0a665544332211", KeyBytes{0x0A, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66}},
        {"00000000000000", std::nullopt},
        {"0166554433221", std::nullopt}};
    for (const auto &[text, expected] : cases) {
        SCOPED_TRACE(text);
        bool stayedOpen = false;
        const std::optional<KeyBytes> key = readIdKey([&](TKeyDlg &d) {
            d.edhexa()->setText(QStringLiteral("stale"));
            d.imaOtaz()->click();
            EXPECT_TRUE(d.manualEntry()->isVisible());
            EXPECT_TRUE(d.edhexa()->text().isEmpty());
            d.edhexa()->setText(QString::fromLatin1(text));
            d.SpeedButton1()->click();
            EXPECT_TRUE(d.manualEntry()->isHidden());
            stayedOpen = d.isVisible();
            if (stayedOpen)
                d.btCanc()->click();
        });
        EXPECT_EQ(key, expected);
        EXPECT_EQ(stayedOpen, !expected);
    }
}

} // namespace
} // namespace vardex
