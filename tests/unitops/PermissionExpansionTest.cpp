// Expanding the key, permission-group and schedule tables into the
// permission file, on small databases.
#include "UploadSite.h"
#include "accessdata/UnitCatalogue.h"
#include "text/HexText.h"
#include "unitops/PermissionFile.h"
#include "unitops/PermissionUpload.h"

#include <QFile>

namespace vardex {
namespace {

using namespace Qt::StringLiterals;
using testing::kWorkDays;

// "211 03 01 06:00-08:00 40": the holder's personal number (the key's last
// digits), unit, attribute, window and day mask.
QStringList described(const QList<PermissionRecord> &records)
{
    QStringList lines;
    for (const PermissionRecord &r : records)
        lines.append(
            QStringList{keyToText(r.key).right(3), byteToHex(r.address), byteToHex(r.attribute),
                        scheduleTimeText(r.windowStart) + u'-' + scheduleTimeText(r.windowEnd),
                        byteToHex(r.dayMask)}
                .join(u' '));
    return lines;
}

// Units 01 access, 02 attendance, 03 expander, 04 barrier, as asked for.
// Group "Vše": 01 with "Den", an empty slot, 03 (In0) with "Tři", a
// schedule of three components. "Docház": 01, 03 (In1), the attendance unit
// 02, then 04. "Rozvrh": 01 with a schedule that does not exist. The
// holders in key order: Bára without a group, Cyril with a group that does
// not exist, Dana in "Docház", Emil in "Rozvrh", Adam in "Vše" with a shift
// schedule.
struct ExpansionSite : testing::UploadSite
{
    explicit ExpansionSite(const QList<quint8> &types) { setUp(types); }

    // The units of `types` take the place of those there.
    void setUnits(const QList<quint8> &types)
    {
        while (db.tbUni.first())
            ASSERT_TRUE(db.tbUni.remove());
        for (quint8 type : types)
            unit(type, u"0"_s + QString::number(type), u"Jednotka"_s);
    }

    void setUp(const QList<quint8> &types)
    {
        setUnits(types);
        schedule(u"Den"_s, {{packTime(6, 0), packTime(18, 0), kWorkDays}});
        schedule(u"Tři"_s, {{packTime(6, 0), packTime(8, 0), 0x40},
                            {packTime(10, 0), packTime(12, 0), 0x20},
                            {packTime(14, 0), packTime(16, 0), 0x10}});
        group(u"Vše"_s, u"01--03"_s, u"000001"_s, {u"Den"_s, QString(), u"Tři"_s});
        group(u"Docház"_s, u"01030204"_s, u"00020003"_s, {u"Den"_s, u"Den"_s, u"Den"_s, u"Den"_s});
        group(u"Rozvrh"_s, u"01"_s, u"00"_s, {u"Nic"_s});
        key(u"01000000000002"_s, u"Bára"_s, QString());
        key(u"01000000000003"_s, u"Cyril"_s, u"Neznámá"_s);
        key(u"01000000000004"_s, u"Dana"_s, u"Docház"_s);
        key(u"01000000000005"_s, u"Emil"_s, u"Rozvrh"_s);
        key(u"01665544332211"_s, u"Adam"_s, u"Vše"_s, u"Ranní"_s);
    }
};

const QStringList kCheckLog = {
    u"Bára, 002 - nemá žádné oprávnění"_s,
    u"Cyril, 003 - neplatné oprávnění  >Neznámá<"_s,
    u"Docházková jednotka 02 mezi oprávněními!"_s,
    u"Emil, 005, Rozvrh, 01 neplatný časový rozvrh >Nic<"_s,
};
const QStringList kDana = {u"004 01 00 06:00-18:00 7C"_s, u"004 03 02 06:00-18:00 7C"_s};
const QStringList kAdamAccess = {u"211 01 00 06:00-18:00 7C"_s, u"211 03 01 06:00-08:00 40"_s,
                                 u"211 03 01 10:00-12:00 20"_s, u"211 03 01 14:00-16:00 10"_s};
QString attendance(const char *holder)
{
    return QLatin1String(holder) + u" 02 00 00:00-23:59 7F"_s;
}

TEST(PermissionExpansion, EveryKeyGetsTheRecordsOfItsGroupAndShiftSchedule)
{
    const QList<quint8> all = {UnitType::Access, UnitType::Attendance, UnitType::Expander,
                               UnitType::Barrier};
    const QList<quint8> noAttendance = {UnitType::Access, UnitType::Expander, UnitType::Barrier};
    const struct
    {
        const char *name;
        QList<quint8> units;
        bool allAttendance;
        QStringList records;
        QStringList log;
    } cases[] = {
        {"attendance regardless of the shift schedule", all, true,
         QStringList{attendance("002"), attendance("003"), attendance("004")} + kDana +
             QStringList{attendance("005"), attendance("211")} + kAdamAccess,
         kCheckLog},
        // The attendance unit named by "Docház" is now no unit: skipped.
        {"no attendance unit", noAttendance, true,
         kDana + QStringList{u"004 04 03 06:00-18:00 7C"_s} + kAdamAccess,
         QStringList{kCheckLog[0], kCheckLog[1], kCheckLog[3]}},
        {"only attendance units",
         {UnitType::Attendance},
         false,
         {attendance("211")},
         {PermissionUpload::noErrorsLine()}},
        {"every kind of unit", all, false, kDana + QStringList{attendance("211")} + kAdamAccess,
         kCheckLog},
    };
    ExpansionSite s(all);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        s.setUnits(c.units);
        PermissionUpload upload(s.db, s.vx, s.dir.path());
        upload.setAllAttendance(c.allAttendance);
        const Result<QStringList> log = upload.btKontrolaClick();
        ASSERT_TRUE(log) << log.error().toStdString();
        EXPECT_EQ(*log, c.log);
        const auto file = readPermissionFile(permissionFilePath(s.dir.path()));
        ASSERT_TRUE(file) << file.error().toStdString();
        EXPECT_EQ(described(*file), c.records);
    }
    // The fifth record of the last file, byte for byte: Adam at door In0 of
    // the expander on Mondays 06:00 to 08:00 — the key's family code, then
    // its bytes from the last pair of digits on; the times little-endian;
    // day mask, unit, attribute.
    QFile file(s.dir.file(u"WKVRRTS.DAT"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().mid(4 * 14, 14).toHex(), QByteArray("01112233445566"
                                                                 "0006"
                                                                 "0008"
                                                                 "40"
                                                                 "03"
                                                                 "01"));
}

} // namespace
} // namespace vardex
