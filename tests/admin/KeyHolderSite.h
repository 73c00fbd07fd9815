#pragma once

#include "accessdata/TDB0DM.h"
#include "attendance/TVXDM.h"
#include "platform/Clock.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vardex::testing {

struct Holder
{
    const char *ctm;
    const char *jmeno;
    const char *oscis;
};

// A site with key holders whose names need the Czech order (Čermák after
// Cibulka, Chalupa after Hrubý), and a scripted key reading dialog that
// "reads" `nextKey`.
struct KeyHolderSite
{
    KeyHolderSite()
    {
        EXPECT_TRUE(vx.OpenApplicationDatabases(nullptr));
        for (const Holder &h : holders())
            add(h);
        vx.showKeyDialog = [this] { db.udalost_dm.key = nextKey; };
    }

    static QList<Holder> holders()
    {
        return {{"01000000000005", "Hrubý Petr", "105"},
                {"01000000000001", "Čermák Jan", "101"},
                {"01000000000004", "Chalupa Ivo", "104"},
                {"01000000000003", "Cibulka Eva", "103"},
                {"01000000000002", "Adámek Aleš", "102"}};
    }

    void add(const Holder &h)
    {
        Table &k = db.tbKey;
        ASSERT_TRUE(k.append());
        k.setString(QStringLiteral("CTM"), QLatin1String(h.ctm));
        k.setString(QStringLiteral("JMENO"), QString::fromUtf8(h.jmeno));
        k.setString(QStringLiteral("OSCIS"), QLatin1String(h.oscis));
        ASSERT_TRUE(k.post());
    }

    // Appends a record with `field` set to each of `values` (repeats kept).
    static void fill(Table &t, const QString &field, const QStringList &values,
                     const QList<std::pair<QString, QString>> &other = {})
    {
        for (const QString &v : values) {
            ASSERT_TRUE(t.append());
            t.setString(field, v);
            for (const auto &[f, text] : other)
                t.setText(f, text);
            ASSERT_TRUE(t.post()) << t.errorMessage().toStdString();
        }
    }

    QString current(const char *field = "JMENO") const
    {
        return db.tbKey.asString(QLatin1String(field));
    }

    TempDir dir;
    ScriptedMessages messages;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db{dir.path(), messages, clock};
    TVXDM vx{db, dir.path(), messages};
    KeyBytes nextKey{};
};

} // namespace vardex::testing
