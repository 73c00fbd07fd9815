#pragma once

#include "AdminSite.h"
#include "admin/AccessSchedule.h"
#include "admin/PermissionGroups.h"

namespace vardex::testing {

// A site for the documentation listings: units 01 access, 04 expander, 05
// barrier; the access schedule "Den"; groups "Vše" (01; 04 with inputs 0
// and 2; 09, which no unit has; 05 with both barriers and the employee's
// key) and "Zlý rozvrh" (a schedule that does not exist); shifts "R" and
// "N" (over midnight); schedules "Devět" (9 days from Friday 4.12.2026)
// and "Chybný" (its second day names no shift).
struct DocumentationSite : AdminSite
{
    DocumentationSite()
    {
        EXPECT_TRUE(vx.OpenApplicationDatabases(nullptr));
        for (const auto &[type, address] : {std::pair{UnitType::Access, u"01"_s},
                                            {UnitType::Expander, u"04"_s},
                                            {UnitType::Barrier, u"05"_s}})
            addUnit(type, address);
        ScheduleBlock den;
        den.apply(1, {0x0800, 0x101E, 0x7C});
        post(vx.tbCas, {u"NAZEVROZVRHU"_s}, {u"Den"_s},
             [&] { vx.tbCas.setBytes(u"DATAROZVRHU"_s, den.toBytes()); });
        const auto group = [this](const QString &name, const QList<PermissionRow> &rows) {
            post(vx.tbAcc, {u"OPRAVNENI"_s}, {name}, [&] { putPermissionRows(vx.tbAcc, rows); });
        };
        group(u"Vše"_s, {{u"01"_s, 0, u"Den"_s},
                         {u"04"_s, 0x05, u"Den"_s},
                         {u"09"_s, 0, u"Den"_s},
                         {u"05"_s, 0x07, u"Den"_s}});
        group(u"Zlý rozvrh"_s, {{u"01"_s, 0, u"Nic"_s}});
        const QStringList shift = {u"NazevSmeny"_s, u"NutnoOdpracovat"_s, u"PrvniUsekSmeny"_s,
                                   u"DruhyUsekSmeny"_s, u"Prechod"_s};
        post(vx.tbSme, shift, {u"R"_s, u"08:00"_s, u"P:06:00-14:00"_s, u""_s, u" "_s});
        post(vx.tbSme, shift, {u"N"_s, u"07:30"_s, u"P:18:00-22:00"_s, u"P:22:00-23:30"_s, u"A"_s});
        QStringList schedule = {u"ROZPIS"_s, u"DelkaRozpisu"_s, u"DatumOd"_s};
        for (int day = 1; day <= 9; ++day)
            schedule << u"NazevDruhuSmeny_%1"_s.arg(day);
        post(vx.tbDch, schedule,
             {u"Devět"_s, u"9"_s, u"04.12.2026"_s, u"R"_s, u""_s, u""_s, u"R"_s, u"N"_s, u"R"_s,
              u"R"_s, u"R"_s, u""_s});
        post(vx.tbDch, schedule, {u"Chybný"_s, u"3"_s, u"07.12.2026"_s, u"R"_s, u"X"_s, u"R"_s});
    }

    // Posts a new record of `t` with the typed texts `values` in `fields`.
    static void post(Table &t, const QStringList &fields, const QStringList &values,
                     const std::function<void()> &more = {})
    {
        ASSERT_TRUE(t.append());
        for (int i = 0; i < values.size(); ++i)
            ASSERT_TRUE(t.setText(fields[i], values[i])) << fields[i].toStdString();
        if (more)
            more();
        ASSERT_TRUE(t.post()) << t.errorMessage().toStdString();
    }
    // A key holder: key, name, titles before and after, personal number,
    // workplace, group, schedule.
    void key(const QStringList &values)
    {
        post(db.tbKey,
             {u"CTM"_s, u"JMENO"_s, u"PTIT"_s, u"ZTIT"_s, u"OSCIS"_s, u"PRACOVISTE"_s,
              u"OPRAVNENI"_s, u"ROZPIS"_s},
             values);
    }

    QString outputDir() const { return dir.path() + u'/'; }
};

} // namespace vardex::testing
