#pragma once

#include "accessdata/TDB0DM.h"
#include "attendance/TVXDM.h"
#include "comm/UnitLineEnd.h"
#include "platform/Clock.h"
#include "sim/Kvr8Simulator.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vardex::testing {

// The data modules of one run on the serial line, their tables open; the
// port is opened on demand and closed at the end.
struct LineSite
{
    LineSite() { EXPECT_TRUE(db.OpenMinimalDatabases(nullptr)); }
    ~LineSite() { db.KomHwj.ClosePort(); }

    bool openPort(const QString &path)
    {
        db.KomHwj.SetCommPort(path);
        db.KomHwj.SetWaitTimeout(300);
        return db.KomHwj.OpenPort().ok;
    }
    // Starts the simulated line, with `config` added, and opens the port on it.
    bool openPortOn(sim::Kvr8Simulator &simulator, const sim::SimConfig &config = {})
    {
        simulator.apply(config);
        QString error;
        return simulator.start(&error) && openPort(simulator.slavePath());
    }
    // Every stored event as "05 2027-01-05 08:00 01665544332211 01", sorted.
    QStringList storedEvents()
    {
        using namespace Qt::StringLiterals;
        QStringList rows;
        Table &e = db.tbEvents;
        for (bool ok = e.first(); ok && !e.eof(); ok = e.next())
            rows.append(QStringList{
                e.asString(u"AHWJ"_s), e.asDate(u"DATUM"_s).toString(u"yyyy-MM-dd"_s),
                e.asString(u"CAS"_s).left(5), e.asString(u"CTM"_s), e.asString(u"RES"_s)}
                            .join(u' '));
        rows.sort();
        return rows;
    }

    TempDir dir;
    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2027, 1, 5), QTime(8, 0))};
    TDB0DM db{dir.path(), messages, clock};
    TVXDM vx{db, dir.path(), messages};
};

} // namespace vardex::testing
