// `vardex read-key` against units simulated in-process.
#include "CliRun.h"
#include "app/ConfigFile.h"
#include "app/ConfigRecord.h"
#include "text/LineFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;
using testing::CmdResult;

const KeyBytes kKey = {0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};

// At the configured unit a key presented is read at once; at another, asked
// for, the command reads again until a key comes.
TEST(ReadKeyCommand, PrintsTheKeyPresentedTriesAgainUntilItIsAndFailsWithoutOne)
{
    testing::TempDir dir;
    FixedClock clock{QDateTime(QDate(2027, 1, 5), QTime(8, 0))};
    sim::Kvr8Simulator simulator{clock};
    for (quint8 address : {0x05, 0x06})
        simulator.addUnit(sim::UnitSetup{address});
    QString error;
    ASSERT_TRUE(simulator.start(&error)) << error.toStdString();
    const auto usePort = [&](const QString &path) {
        ASSERT_TRUE(writeLineFile(dir.file(u"VX_PARMS.INI"_s), {u"KOMPORTCOM="_s + path}).ok);
    };
    usePort(simulator.slavePath());
    // The site reads keys at unit 05.
    ConfigRecord config = ConfigRecord::defaults(dir.path() + u'/');
    config.keyReaderAddress = 0x05;
    ASSERT_TRUE(writeConfig(config).ok());
    const auto readKey = [&](const QStringList &args) {
        return testing::runVardex(
            QStringList{u"--now"_s, u"2027-01-05 08:00:00"_s, u"read-key"_s} + args, dir.path());
    };

    ASSERT_TRUE(simulator.presentKey(0x05, 0, kKey));
    CmdResult r = readKey({u"--timeout"_s, u"0"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u"01665544332211\n"_s);
    EXPECT_TRUE(r.err.contains(u"Předložte identifikační klíč"_s));

    // An input change waits before the key: the first read finds no key.
    ASSERT_TRUE(simulator.changeInput(0x06, 2, 3));
    ASSERT_TRUE(simulator.presentKey(0x06, 3, kKey));
    r = readKey({u"--address"_s, u"06"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u"01665544332211\n"_s);
    {
        testing::SiteTables site(dir.path());
        Table &e = site.db.tbEvents;
        QStringList keys;
        for (bool ok = e.first(); ok && !e.eof(); ok = e.next())
            keys << e.asString(u"AHWJ"_s) + u' ' + e.asString(u"CTM"_s);
        EXPECT_EQ(keys, (QStringList{u"05 01665544332211"_s, u"06 00000000000000"_s,
                                     u"06 01665544332211"_s}));
    }
    // The address used was not written to the file.
    testing::ScriptedMessages messages;
    EXPECT_EQ(loadOrCreateConfig(dir.path() + u'/', messages)->keyReaderAddress, 0x05);

    // Without a key or a line the command fails.
    const CmdResult none = readKey({u"--timeout"_s, u"0"_s});
    EXPECT_TRUE(none.status == 1 && none.out.isEmpty());
    EXPECT_TRUE(none.err.contains(u"Identifikační klíč nebyl přečten"_s)) << none.err.toStdString();

    usePort(dir.file(u"no-such-line"_s));
    const CmdResult closed = readKey({});
    EXPECT_TRUE(closed.status == 1 && closed.out.isEmpty() && !closed.err.isEmpty());
}

} // namespace
} // namespace vardex
