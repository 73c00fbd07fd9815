#pragma once

#include "accessdata/TDB0DM.h"
#include "attendance/TVXDM.h"
#include "platform/Clock.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace vardex::testing {

using namespace Qt::StringLiterals;

// A fresh site with its unit and key tables open.
struct AdminSite
{
    AdminSite() { EXPECT_TRUE(db.OpenMinimalDatabases(nullptr)); }

    // Posts a unit of `type` with its defaults at `address`; it stays current.
    void addUnit(quint8 type, const QString &address)
    {
        ASSERT_TRUE(db.tbUniDefaultByType(type));
        ASSERT_TRUE(db.tbUni.edit());
        db.tbUni.setString(u"ADRESA"_s, address);
        ASSERT_TRUE(db.tbUni.post());
    }
    QString unit(const char *field) const { return db.tbUni.asString(QLatin1String(field)); }

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

    TempDir dir;
    ScriptedMessages messages;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db{dir.path(), messages, clock};
    TVXDM vx{db, dir.path(), messages};
};

// Key holders whose names need the Czech order (Čermák after Cibulka,
// Chalupa after Hrubý), and a scripted key reading dialog that "reads"
// `nextKey`.
struct KeyHolderSite : AdminSite
{
    KeyHolderSite()
    {
        EXPECT_TRUE(vx.OpenApplicationDatabases(nullptr));
        const char *const holders[][3] = {{"01000000000005", "Hrubý Petr", "105"},
                                          {"01000000000001", "Čermák Jan", "101"},
                                          {"01000000000004", "Chalupa Ivo", "104"},
                                          {"01000000000003", "Cibulka Eva", "103"},
                                          {"01000000000002", "Adámek Aleš", "102"}};
        for (const auto &h : holders) {
            EXPECT_TRUE(db.tbKey.append());
            db.tbKey.setString(u"CTM"_s, QLatin1String(h[0]));
            db.tbKey.setString(u"JMENO"_s, QString::fromUtf8(h[1]));
            db.tbKey.setString(u"OSCIS"_s, QLatin1String(h[2]));
            EXPECT_TRUE(db.tbKey.post());
        }
        vx.showKeyDialog = [this] { db.udalost_dm.key = nextKey; };
    }

    QString current(const char *f = "JMENO") const { return db.tbKey.asString(QLatin1String(f)); }

    KeyBytes nextKey{};
};

} // namespace vardex::testing
