#pragma once

#include "AdminSite.h"
#include "admin/AccessSchedule.h"
#include "admin/PermissionGroups.h"
#include "attendance/AttendanceSchemas.h"

namespace vardex::testing {

// A site for the documentation listings: an access unit 01, an expander
// 04, a barrier 05; the access schedule "Den"; groups "Vše" (01, 04 with
// inputs 0 and 2, 09, which no unit has, and 05 with both barriers and the
// employee's key) and "Zlý rozvrh" (a schedule that does not
// exist); shifts "R" and "N" (over midnight); schedules "Devět" (9 days
// from Friday 4.12.2026) and "Chybný" (its second day names no shift).
struct DocumentationSite : AdminSite
{
    DocumentationSite()
    {
        EXPECT_TRUE(vx.OpenApplicationDatabases(nullptr));
        addUnit(UnitType::Access, u"01"_s);
        addUnit(UnitType::Expander, u"04"_s);
        addUnit(UnitType::Barrier, u"05"_s);

        ScheduleBlock den;
        den.apply(1, {0x0800, 0x101E, 0x7C});
        den.apply(2, {0x0700, 0x0C00, 0x02});
        EXPECT_TRUE(vx.tbCas.append());
        vx.tbCas.setString(u"NAZEVROZVRHU"_s, u"Den"_s);
        vx.tbCas.setBytes(u"DATAROZVRHU"_s, den.toBytes());
        EXPECT_TRUE(vx.tbCas.post());

        group(u"Vše"_s, {{u"01"_s, 0, u"Den"_s},
                         {u"04"_s, 0x05, u"Den"_s},
                         {u"09"_s, 0, u"Den"_s},
                         {u"05"_s, 0x07, u"Den"_s}});
        group(u"Zlý rozvrh"_s, {{u"01"_s, 0, u"Nic"_s}});

        shift(u"R"_s, u"08:00"_s, u"P:06:00-14:00"_s, u""_s, u" "_s);
        shift(u"N"_s, u"07:30"_s, u"P:18:00-22:00"_s, u"P:22:00-23:30"_s, u"A"_s);
        schedule(u"Devět"_s, QDate(2026, 12, 4),
                 {u"R"_s, u""_s, u""_s, u"R"_s, u"N"_s, u"R"_s, u"R"_s, u"R"_s, u""_s});
        schedule(u"Chybný"_s, QDate(2026, 12, 7), {u"R"_s, u"X"_s, u"R"_s});
    }

    void group(const QString &name, const QList<PermissionRow> &rows)
    {
        ASSERT_TRUE(vx.tbAcc.append());
        vx.tbAcc.setString(u"OPRAVNENI"_s, name);
        putPermissionRows(vx.tbAcc, rows);
        ASSERT_TRUE(vx.tbAcc.post()) << vx.tbAcc.errorMessage().toStdString();
    }
    void shift(const QString &name, const QString &time, const QString &first,
               const QString &second, const QString &flag)
    {
        ASSERT_TRUE(vx.tbSme.append());
        for (const auto &[f, v] : {std::pair{u"NazevSmeny"_s, name},
                                   {u"NutnoOdpracovat"_s, time},
                                   {u"PrvniUsekSmeny"_s, first},
                                   {u"DruhyUsekSmeny"_s, second},
                                   {u"Prechod"_s, flag}})
            vx.tbSme.setString(f, v);
        ASSERT_TRUE(vx.tbSme.post()) << vx.tbSme.errorMessage().toStdString();
    }
    void schedule(const QString &name, const QDate &start, const QStringList &days)
    {
        ASSERT_TRUE(vx.tbDch.append());
        vx.tbDch.setString(u"ROZPIS"_s, name);
        vx.tbDch.setInt(u"DelkaRozpisu"_s, int(days.size()));
        vx.tbDch.setDate(u"DatumOd"_s, start);
        for (int i = 0; i < days.size(); ++i)
            vx.tbDch.setString(scheduleShiftField(i + 1), days[i]);
        ASSERT_TRUE(vx.tbDch.post()) << vx.tbDch.errorMessage().toStdString();
    }
    // A key holder: key number, name, titles before and after, personal
    // number, workplace, group and schedule.
    void key(const QStringList &fields)
    {
        static const char *const names[] = {"CTM",   "JMENO",      "PTIT",      "ZTIT",
                                            "OSCIS", "PRACOVISTE", "OPRAVNENI", "ROZPIS"};
        ASSERT_TRUE(db.tbKey.append());
        for (int i = 0; i < fields.size(); ++i)
            db.tbKey.setString(QLatin1String(names[i]), fields[i]);
        ASSERT_TRUE(db.tbKey.post()) << db.tbKey.errorMessage().toStdString();
    }

    QString outputDir() const { return dir.path() + u'/'; }
};

} // namespace vardex::testing
