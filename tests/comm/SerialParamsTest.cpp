#include "comm/SerialParams.h"
#include "comm/TComHwj.h"

#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vardex {
namespace {

// The file is cp1250; its lines may end in CR LF or LF alone. Without a
// usable line the port stays COM2.
TEST(VxParmsFile, SetsThePortName)
{
    const struct
    {
        const char *name;
        QByteArray bytes; // null: no file
        const char *port;
        const char *file = "VX_PARMS.INI";
    } cases[] = {
        {"missingFile", {}, "COM2"},
        {"wrongCaseOfTheFileName", "KOMPORTCOM=COM1\r\n", "COM2", "vx_parms.ini"},
        {"fourCharactersTaken", "KOMPORTCOM=COM12\r\n", "COM1"},
        {"lastLineWins", "KOMPORTCOM=COM1\r\nX=1\r\nKOMPORTCOM=COM3\r\n", "COM3"},
        {"emptyValueIgnored", "KOMPORTCOM=COM4\r\nKOMPORTCOM=\r\n", "COM4"},
        {"blankValueIgnored", "KOMPORTCOM=   \r\n", "COM2"},
        {"keyIsCaseSensitive", "komportcom=COM1\r\nKomPortCom=COM3\r\n", "COM2"},
        {"keyMustStartTheLine", " KOMPORTCOM=COM1\r\n#KOMPORTCOM=COM3\r\nKOMPORT=COM4\r\n", "COM2"},
        {"devicePathWhole", "KOMPORTCOM=/dev/ttyUSB0  \r\n", "/dev/ttyUSB0"},
        {"shortValueKept", "KOMPORTCOM=C1\r\n", "C1"},
        {"cp1250WithBareLineFeeds", "N\xe1zev=\x9e\nKOMPORTCOM=/dev/ttyACM1\r\n", "/dev/ttyACM1"},
    };
    for (const auto &c : cases) {
        testing::TempDir dir;
        QFile file(dir.file(QLatin1String(c.file)));
        ASSERT_TRUE(c.bytes.isNull() || (file.open(QIODevice::WriteOnly) && file.write(c.bytes)));
        file.close();
        TComHwj port;
        port.TrySetParms(dir.path());
        EXPECT_EQ(port.CommPort(), QLatin1String(c.port)) << c.name;
    }
}

// The file is written so that it names the same device when read back; a
// name cp1250 cannot hold is refused rather than written with "?".
TEST(VxParmsFile, WritesOnlyANameItCanGiveBack)
{
    for (const QString &port :
         {QStringLiteral("/srv/přístroj/ttyKVR8"), QStringLiteral("/srv/Ёлка/ttyKVR8")}) {
        testing::TempDir dir;
        const Result<void> written = SerialParams::writeFile(dir.path(), port);
        const bool fits = !port.contains(u'Ё');
        EXPECT_EQ(written.ok(), fits) << written.error().toStdString();
        EXPECT_TRUE(written.ok() || written.error().contains(port));
        EXPECT_EQ(SerialParams::portFromFile(dir.path(), QStringLiteral("COM2")),
                  fits ? port : QStringLiteral("COM2"));
    }
}

TEST(SerialDevicePath, MapsPortNamesToDevices)
{
    const std::pair<const char *, const char *> cases[] = {{"COM1", "/dev/ttyS0"},
                                                           {"com9", "/dev/ttyS8"},
                                                           {"COM0", ""},
                                                           {"LPT1", ""},
                                                           {"COM", ""},
                                                           {"", ""},
                                                           {"/tmp/kvr8", "/tmp/kvr8"},
                                                           {"dev/ttyS0", ""}};
    for (const auto &[name, path] : cases)
        EXPECT_EQ(SerialParams::devicePath(QString::fromLatin1(name)), QString::fromLatin1(path))
            << name;
}

} // namespace
} // namespace vardex
