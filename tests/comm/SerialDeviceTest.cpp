#include "comm/SerialDevice.h"

#include "UnitLineEnd.h"
#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vardex {
namespace {

// Every failed open names the device and says why, after the fixed text the
// operator already knows; the device stays closed.
TEST(SerialDeviceOpen, FailuresNameTheDeviceAndTheReason)
{
    testing::TempDir dir;
    const QString regular = dir.file(QStringLiteral("not-a-line"));
    QFile file(regular);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    testing::UnitLineEnd unit;
    ASSERT_TRUE(unit.isValid());
    SerialDevice holder;
    ASSERT_FALSE(holder.open(unit.slavePath(), 2400));
    testing::UnitLineEnd free;
    ASSERT_TRUE(free.isValid());

    const QString missing = dir.file(QStringLiteral("ttyS9"));
    const struct
    {
        QString path;
        int baudRate;
        QString message;
    } cases[] = {
        {missing, 2400, "Chyba při otevírání COM: " + missing + " – zařízení neexistuje"},
        {regular, 2400, "Handle nepřísluší COM: " + regular + " – není to sériové zařízení"},
        {"/dev/null", 2400, "Handle nepřísluší COM: /dev/null – není to sériové zařízení"},
        {dir.path(), 2400, "Handle nepřísluší COM: " + dir.path() + " – není to sériové zařízení"},
        {unit.slavePath(), 2400,
         "COM již byl otevřen: " + unit.slavePath() + " – zařízení používá jiný program"},
        {free.slavePath(), 2401,
         "Chyba při otevírání COM: " + free.slavePath() + " – nepodporovaná rychlost 2401 Bd"},
    };
    for (const auto &c : cases) {
        SerialDevice device;
        const std::optional<EChybaCOM> error = device.open(c.path, c.baudRate);
        ASSERT_TRUE(error) << c.path.toStdString();
        EXPECT_EQ(error->Message, c.message);
        EXPECT_FALSE(device.isOpen());
    }
}

} // namespace
} // namespace vardex
