#pragma once

#include "accessdata/TDB0DM.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vardex::testing {

// A site with the door unit 05 "Vrátnice" (default object and result
// texts), the holder "Novák Jan" of key 01000000000AB1 and four events:
//   01.12.2026 07:30 05 Novák    00  (allowed, entering)
//   02.12.2026 12:30 05 unknown  10  (illegal), added by the operator
//   02.12.2026 07:45 05 no key   38  (input IN0 activated)
//   02.01.2026 07:30 06 Novák    00  (a unit that does not exist)
struct EventTestSite
{
    static constexpr const char *Known = "01000000000AB1";
    static constexpr const char *Unknown = "0100000000FFFF";

    EventTestSite()
    {
        EXPECT_TRUE(db.OpenMinimalDatabases(nullptr));
        EXPECT_TRUE(db.tbUniDefaultByType(1));
        Table &u = db.tbUni;
        u.edit();
        u.setString(QStringLiteral("ADRESA"), QStringLiteral("05"));
        u.setString(QStringLiteral("NAZEV"), QStringLiteral("Vrátnice"));
        EXPECT_TRUE(u.post());
        Table &k = db.tbKey;
        k.append();
        k.setString(QStringLiteral("CTM"), QLatin1String(Known));
        k.setString(QStringLiteral("JMENO"), QStringLiteral("Novák Jan"));
        k.setString(QStringLiteral("OSCIS"), QStringLiteral("1"));
        EXPECT_TRUE(k.post());
        add("2026-12-01", "07:30", "05", Known, "00");
        add("2026-12-02", "12:30", "05", Unknown, "10", false);
        add("2026-12-02", "07:45", "05", "00000000000000", "38");
        add("2026-01-02", "07:30", "06", Known, "00");
    }

    void add(const char *date, const char *time, const char *unit, const char *key, const char *res,
             bool ori = true)
    {
        Table &t = db.tbEvents;
        ASSERT_TRUE(t.append());
        t.setDate(QStringLiteral("DATUM"), QDate::fromString(QLatin1String(date), Qt::ISODate));
        t.setText(QStringLiteral("CAS"), QLatin1String(time));
        t.setString(QStringLiteral("AHWJ"), QLatin1String(unit));
        t.setString(QStringLiteral("CTM"), QLatin1String(key));
        t.setString(QStringLiteral("RES"), QLatin1String(res));
        t.setBool(QStringLiteral("ORI"), ori);
        ASSERT_TRUE(t.post()) << t.errorMessage().toStdString();
    }

    TempDir dir;
    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db{dir.path(), messages, clock};
};

} // namespace vardex::testing
