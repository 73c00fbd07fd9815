#pragma once

#include "accessdata/TDB0DM.h"
#include "attendance/ShiftRecord.h"
#include "attendance/TVXDM.h"
#include "platform/Clock.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

namespace vardex::testing {

using namespace Qt::StringLiterals;

// A fresh started site: every table of the run open.
struct AttendanceSite
{
    AttendanceSite() { EXPECT_TRUE(vx.OpenApplicationDatabases(nullptr)); }

    void addHolder(const QString &ctm, const QString &schedule, const QString &workplace = {},
                   const QString &group = {})
    {
        ASSERT_TRUE(db.tbKey.append());
        db.tbKey.setString(u"CTM"_s, ctm);
        db.tbKey.setString(u"JMENO"_s, u"Holder "_s + ctm.right(2));
        db.tbKey.setString(u"OSCIS"_s, ctm.right(4));
        db.tbKey.setString(u"ROZPIS"_s, schedule);
        db.tbKey.setString(u"PRACOVISTE"_s, workplace);
        db.tbKey.setString(u"OPRAVNENI"_s, group);
        ASSERT_TRUE(db.tbKey.post()) << db.tbKey.errorMessage().toStdString();
    }
    void addShift(const QString &name, const QString &first, const QString &second = {},
                  const QString &flag = u" "_s, const QString &required = u"08:00"_s)
    {
        ASSERT_TRUE(vx.tbSme.append());
        const QString values[] = {name, required, flag, first, second};
        for (int i = 0; i < 5; ++i)
            vx.tbSme.setString(vx.tbSme.schema().fields[i].name, values[i]);
        ASSERT_TRUE(vx.tbSme.post()) << vx.tbSme.errorMessage().toStdString();
    }
    void addSchedule(const QString &name, const QDate &start, const QStringList &days)
    {
        ASSERT_TRUE(vx.tbDch.append());
        vx.tbDch.setString(u"ROZPIS"_s, name);
        vx.tbDch.setInt(u"DelkaRozpisu"_s, int(days.size()));
        vx.tbDch.setDate(u"DatumOd"_s, start);
        for (int i = 0; i < days.size(); ++i)
            vx.tbDchPutNazSmeny(i + 1, days[i]);
        ASSERT_TRUE(vx.tbDch.post()) << vx.tbDch.errorMessage().toStdString();
    }
    QStringList scheduleDays(const QString &name)
    {
        QStringList days;
        EXPECT_TRUE(vx.tbDchExactName(name));
        for (int i = 1; i <= vx.tbDch.asInt(u"DelkaRozpisu"_s); ++i)
            days << vx.tbDchGetNazSmeny(i);
        return days;
    }

    TempDir dir;
    ScriptedMessages messages;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db{dir.path(), messages, clock};
    TVXDM vx{db, dir.path(), messages};
};

} // namespace vardex::testing
