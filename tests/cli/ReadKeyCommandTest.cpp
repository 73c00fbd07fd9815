// `vardex read-key` against units simulated in-process.
#include "CliRun.h"
#include "accessdata/TDB0DM.h"
#include "app/ConfigFile.h"
#include "app/ConfigRecord.h"
#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "text/KeyNumber.h"
#include "text/LineFile.h"

#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

namespace vardex {
namespace {

using testing::CmdResult;
using testing::runVardex;

const QString kNow = QStringLiteral("2027-01-05 08:00:00");
const KeyBytes kKey = {0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};

class ReadKeyCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (quint8 address : {0x05, 0x06})
            simulator.addUnit(sim::UnitSetup{address});
        QString error;
        ASSERT_TRUE(simulator.start(&error)) << error.toStdString();
        usePort(simulator.slavePath());
        // The site reads keys at unit 05.
        ConfigRecord config = ConfigRecord::defaults(dir.path() + QLatin1Char('/'));
        config.keyReaderAddress = 0x05;
        ASSERT_TRUE(writeConfig(config).ok());
    }

    void usePort(const QString &path)
    {
        ASSERT_TRUE(writeLineFile(dir.file(QStringLiteral("VX_PARMS.INI")),
                                  {QStringLiteral("KOMPORTCOM=") + path})
                        .ok);
    }
    CmdResult readKey(const QStringList &args)
    {
        return runVardex(QStringList{QStringLiteral("--now"), kNow, QStringLiteral("read-key")} +
                             args,
                         dir.path());
    }
    std::optional<quint8> configuredAddress() const
    {
        QFile file(dir.file(QStringLiteral("WKVRCFG.DBF")));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        const std::optional<ConfigRecord> record = ConfigRecord::fromBytes(file.readAll());
        return record ? std::optional<quint8>(record->keyReaderAddress) : std::nullopt;
    }
    QStringList storedKeys()
    {
        testing::ScriptedMessages messages;
        TDB0DM db(dir.path(), messages, clock);
        EXPECT_TRUE(db.OpenMinimalDatabases(nullptr));
        QStringList keys;
        for (bool ok = db.tbEvents.first(); ok && !db.tbEvents.eof(); ok = db.tbEvents.next())
            keys.append(db.tbEvents.asString(QStringLiteral("AHWJ")) + QLatin1Char(' ') +
                        db.tbEvents.asString(QStringLiteral("CTM")));
        return keys;
    }

    testing::TempDir dir;
    FixedClock clock{QDateTime::fromString(kNow, QStringLiteral("yyyy-MM-dd hh:mm:ss"))};
    sim::Kvr8Simulator simulator{clock};
};

TEST_F(ReadKeyCommand, PrintsTheKeyPresentedAtTheConfiguredUnit)
{
    ASSERT_TRUE(simulator.presentKey(0x05, 0, kKey));
    const CmdResult r = readKey({QStringLiteral("--timeout"), QStringLiteral("0")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("01665544332211\n"));
    EXPECT_TRUE(r.err.contains(QStringLiteral("Předložte identifikační klíč")));
    EXPECT_EQ(storedKeys(), QStringList{QStringLiteral("05 01665544332211")});
}

TEST_F(ReadKeyCommand, TriesAgainUntilTheKeyIsPresented)
{
    // The holder comes once the unit has handed out an empty slot.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (simulator.heard().size() >= 2) {
            watch.stop();
            simulator.presentKey(0x06, 3, kKey);
        }
    });
    watch.start(5);
    const CmdResult r = readKey({QStringLiteral("--address"), QStringLiteral("06")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("01665544332211\n"));
    EXPECT_EQ(storedKeys(), QStringList{QStringLiteral("06 01665544332211")});
    // The address used was not written to the file.
    EXPECT_EQ(configuredAddress(), 0x05);
}

TEST_F(ReadKeyCommand, FailsWithoutAKeyOrALineAndRefusesBadArguments)
{
    const CmdResult none = readKey({QStringLiteral("--timeout"), QStringLiteral("0")});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_TRUE(none.err.contains(QStringLiteral("Identifikační klíč nebyl přečten")));

    for (const QStringList &args :
         {QStringList{QStringLiteral("--address"), QStringLiteral("5")},
          QStringList{QStringLiteral("--address"), QStringLiteral("G1")},
          QStringList{QStringLiteral("--timeout"), QStringLiteral("-1")},
          QStringList{QStringLiteral("--timeout")}, QStringList{QStringLiteral("05")}}) {
        const CmdResult r = readKey(args);
        EXPECT_EQ(r.status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("Použití: vardex read-key")));
    }

    usePort(dir.file(QStringLiteral("no-such-line")));
    const CmdResult closed = readKey({});
    EXPECT_EQ(closed.status, 1);
    EXPECT_FALSE(closed.err.isEmpty());
    EXPECT_TRUE(closed.out.isEmpty());
}

} // namespace
} // namespace vardex
