#include "comm/SerialParams.h"
#include "comm/TComHwj.h"
#include "text/LineFile.h"

#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vardex {
namespace {

struct ParamsCase
{
    const char *name;
    QStringList lines;
    QString port;
};

class VxParmsFile : public ::testing::TestWithParam<ParamsCase>
{
};

TEST_P(VxParmsFile, SetsThePortName)
{
    testing::TempDir dir;
    ASSERT_TRUE(writeLineFile(dir.file(QStringLiteral("VX_PARMS.INI")), GetParam().lines).ok);
    TComHwj port;
    port.TrySetParms(dir.path());
    EXPECT_EQ(port.CommPort(), GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, VxParmsFile,
    ::testing::Values(
        ParamsCase{"fourCharactersTaken", {"KOMPORTCOM=COM12"}, "COM1"},
        ParamsCase{"lastLineWins", {"KOMPORTCOM=COM1", "X=1", "KOMPORTCOM=COM3"}, "COM3"},
        ParamsCase{"emptyValueIgnored", {"KOMPORTCOM=COM4", "KOMPORTCOM="}, "COM4"},
        ParamsCase{"blankValueIgnored", {"KOMPORTCOM=   "}, "COM2"},
        ParamsCase{"keyIsCaseSensitive", {"komportcom=COM1", "KomPortCom=COM3"}, "COM2"},
        ParamsCase{"keyMustStartTheLine",
                   {" KOMPORTCOM=COM1", "#KOMPORTCOM=COM3", "KOMPORT=COM4"},
                   "COM2"},
        ParamsCase{"devicePathWhole", {"KOMPORTCOM=/dev/ttyUSB0  "}, "/dev/ttyUSB0"},
        ParamsCase{"shortValueKept", {"KOMPORTCOM=C1"}, "C1"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(VxParmsFile, MissingFileOrWrongCaseOfItsNameLeavesCom2)
{
    testing::TempDir dir;
    TComHwj port;
    port.TrySetParms(dir.path());
    EXPECT_EQ(port.CommPort(), QStringLiteral("COM2"));

    ASSERT_TRUE(writeLineFile(dir.file(QStringLiteral("vx_parms.ini")), {"KOMPORTCOM=COM1"}).ok);
    port.TrySetParms(dir.path());
    EXPECT_EQ(port.CommPort(), QStringLiteral("COM2"));
}

TEST(VxParmsFile, ReadsCp1250WithBareLineFeeds)
{
    testing::TempDir dir;
    QFile file(dir.file(QStringLiteral("VX_PARMS.INI")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("N\xe1zev=\x9e\nKOMPORTCOM=/dev/ttyACM1\r\n");
    file.close();
    TComHwj port;
    port.TrySetParms(dir.path());
    EXPECT_EQ(port.CommPort(), QStringLiteral("/dev/ttyACM1"));
}

// The file is written so that it names the same device when read back; a
// name cp1250 cannot hold is refused rather than written with "?".
TEST(VxParmsFile, WritesOnlyANameItCanGiveBack)
{
    const struct
    {
        QString port;
        bool written;
    } cases[] = {{QStringLiteral("/srv/přístroj/ttyKVR8"), true},
                 {QStringLiteral("/srv/Ёлка/ttyKVR8"), false}};
    for (const auto &c : cases) {
        testing::TempDir dir;
        const Result<void> written = SerialParams::writeFile(dir.path(), c.port);
        EXPECT_EQ(written.ok(), c.written) << written.error().toStdString();
        EXPECT_TRUE(written.ok() || written.error().contains(c.port));
        EXPECT_EQ(SerialParams::portFromFile(dir.path(), QStringLiteral("COM2")),
                  c.written ? c.port : QStringLiteral("COM2"));
    }
}

TEST(SerialDevicePath, MapsPortNamesToDevices)
{
    const struct
    {
        const char *name;
        const char *path;
    } cases[] = {
        {"COM1", "/dev/ttyS0"},
        {"com9", "/dev/ttyS8"},
        {"COM0", ""},
        {"LPT1", ""},
        {"COM", ""},
        {"", ""},
        {"/tmp/kvr8", "/tmp/kvr8"},
        {"dev/ttyS0", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SerialParams::devicePath(QString::fromLatin1(c.name)),
                  QString::fromLatin1(c.path))
            << c.name;
}

} // namespace
} // namespace vardex
