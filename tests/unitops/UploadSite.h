#pragma once

#include "LineSite.h"
#include "admin/AccessSchedule.h"
#include "admin/PermissionGroups.h"

namespace vardex::testing {

using namespace Qt::StringLiterals;

// A site with units, access time schedules, permission groups and key
// holders for expanding and uploading the permissions.
struct UploadSite : LineSite
{
    UploadSite() { EXPECT_TRUE(vx.OpenApplicationDatabases(nullptr)); }

    void unit(quint8 type, const QString &address, const QString &name)
    {
        ASSERT_TRUE(db.tbUniDefaultByType(type));
        ASSERT_TRUE(db.tbUni.edit());
        db.tbUni.setString(u"ADRESA"_s, address);
        db.tbUni.setString(u"NAZEV"_s, name);
        ASSERT_TRUE(db.tbUni.post()) << db.tbUni.errorMessage().toStdString();
    }
    void schedule(const QString &name, const QList<ScheduleComponent> &components)
    {
        ScheduleBlock block;
        for (int i = 0; i < components.size(); ++i)
            block.apply(i + 1, components[i]);
        ASSERT_TRUE(vx.tbCas.append());
        vx.tbCas.setString(u"NAZEVROZVRHU"_s, name);
        vx.tbCas.setBytes(u"DATAROZVRHU"_s, block.toBytes());
        ASSERT_TRUE(vx.tbCas.post()) << vx.tbCas.errorMessage().toStdString();
    }
    // `addresses` and `attributes` as stored, two characters a slot; the
    // rest of the slots empty.
    void group(const QString &name, const QString &addresses, const QString &attributes,
               const QStringList &schedules)
    {
        ASSERT_TRUE(vx.tbAcc.append());
        vx.tbAcc.setString(u"OPRAVNENI"_s, name);
        vx.tbAcc.setString(u"P_AHW"_s, addresses.leftJustified(64, u'-'));
        vx.tbAcc.setString(u"P_MSK"_s, attributes.leftJustified(64, u'0'));
        for (int i = 0; i < schedules.size(); ++i)
            tbAccPutR_Field(vx.tbAcc, i + 1, schedules[i]);
        ASSERT_TRUE(vx.tbAcc.post()) << vx.tbAcc.errorMessage().toStdString();
    }
    void key(const QString &ctm, const QString &name, const QString &group,
             const QString &shiftSchedule = {})
    {
        ASSERT_TRUE(db.tbKey.append());
        db.tbKey.setString(u"CTM"_s, ctm);
        db.tbKey.setString(u"JMENO"_s, name);
        db.tbKey.setString(u"OSCIS"_s, ctm.right(3));
        db.tbKey.setString(u"OPRAVNENI"_s, group);
        db.tbKey.setString(u"ROZPIS"_s, shiftSchedule);
        ASSERT_TRUE(db.tbKey.post()) << db.tbKey.errorMessage().toStdString();
    }
};

// Monday to Friday.
inline constexpr quint8 kWorkDays = 0x7C;

} // namespace vardex::testing
