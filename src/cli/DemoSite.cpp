#include "cli/DemoSite.h"
#include "cli/DemoDice.h"
#include "cli/DemoAttendance.h"
#include "cli/DemoAttendanceEvents.h"
#include "cli/DemoPlan.h"
#include "cli/DemoPictures.h"
#include "cli/Print.h"

#include "accessdata/UnitCatalogue.h"
#include "admin/AccessSchedule.h"
#include "admin/AdminSchemas.h"
#include "admin/PermissionGroups.h"
#include "app/Application.h"
#include "comm/SerialParams.h"
#include "platform/Clock.h"
#include "text/HexText.h"
#include "text/LineFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace vardex::DemoSite {

namespace {

struct DemoUnit
{
    quint8 address;
    quint8 type; // the units table's type code, which the simulator shares
    const char *name;
    int holders; // the first holders with a permission here
    // The attendance unit counts; the main entrance's door and the car
    // park's passage 0 are the site's outer entrances.
    const char *pouziti;
};

const DemoUnit kUnits[] = {
    {0x01, UnitType::Attendance, "Vrátnice", 30, "01"},
    {0x02, UnitType::Access, "Hlavní vchod", 30, "01"},
    {0x03, UnitType::Access, "Sklad", 12, "00"},
    {0x04, UnitType::Barrier, "Parkoviště", 10, "01"},
    {0x05, UnitType::Expander, "Kanceláře", 20, "00"},
};

struct DemoHolder
{
    const char *title;
    const char *name;
};

const DemoHolder kHolders[] = {
    {"Ing.", "Novák Jan"},        {"", "Svobodová Marie"},   {"", "Dvořák Petr"},
    {"Mgr.", "Černá Jana"},       {"", "Procházka Tomáš"},   {"", "Kučerová Eva"},
    {"", "Veselý Jiří"},          {"Bc.", "Horáková Lenka"}, {"", "Němec Martin"},
    {"", "Marková Zdeňka"},       {"Ing.", "Pokorný Karel"}, {"", "Pospíšilová Hana"},
    {"", "Hájek Lukáš"},          {"", "Králová Věra"},      {"", "Jelínek Michal"},
    {"MUDr.", "Růžičková Alena"}, {"", "Beneš František"},   {"", "Fialová Kateřina"},
    {"", "Sedláček Ondřej"},      {"", "Doležalová Ivana"},  {"", "Zeman Václav"},
    {"", "Kolářová Šárka"},       {"Ing.", "Navrátil Aleš"}, {"", "Čermáková Lucie"},
    {"", "Vaněk Radek"},          {"", "Urbanová Jitka"},    {"", "Blažek Zdeněk"},
    {"", "Kříženecká Dana"},      {"", "Kubíček Stanislav"}, {"", "Šťastná Božena"},
};
constexpr int kHolderCount = int(std::size(kHolders));

QString hex2(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString keyOf(int holder)
{
    return QStringLiteral("01%1").arg(0x4A0000 + 7919 * holder, 12, 16, QLatin1Char('0')).toUpper();
}

struct DemoEvent
{
    QDateTime at;
    QString key; // "-" for an input change
    int result;
};

QList<DemoEvent> eventsOf(const DemoUnit &unit, const QDate &today, DemoDice &dice)
{
    QList<DemoEvent> events;
    for (int back = 2; back >= 1; --back) {
        const QDate day = today.addDays(-back);
        auto at = [&](int hour, int spreadMin) {
            return QDateTime(day, QTime(hour, 0)).addSecs(60 * dice.roll(spreadMin));
        };
        switch (unit.type) {
        case UnitType::Attendance:
            for (int h = 0; h < unit.holders; ++h) {
                events.append({at(6, 90), keyOf(h), 0x00});
                events.append({at(14, 120), keyOf(h), 0x01});
            }
            break;
        case UnitType::Expander:
            events.append({at(7, 60), QStringLiteral("-"), 0x38});
            events.append({at(17, 60), QStringLiteral("-"), 0x08});
            [[fallthrough]];
        default:
            for (int i = 0; i < unit.holders / 2; ++i)
                events.append({at(7, 600), keyOf(dice.roll(unit.holders)), 2 * dice.roll(2)});
            // A key that is not allowed here.
            events.append({at(9, 300), keyOf(kHolderCount - 1), 0x10});
            break;
        }
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const DemoEvent &a, const DemoEvent &b) { return a.at < b.at; });
    return events;
}

QString simulatorConfig(const QDate &today)
{
    QStringList lines{QStringLiteral("# The units of the VARDEX demo site; see sim/README.md.")};
    for (const DemoUnit &u : kUnits)
        lines.append(
            QStringLiteral("unit %1 type=%2 state=locked").arg(hex2(u.address)).arg(u.type));
    lines.append(QString());
    for (const DemoUnit &u : kUnits)
        for (int h = 0; h < u.holders; ++h)
            lines.append(QStringLiteral("permit %1 %2 attr=0F days=127 from=05:00 to=20:00")
                             .arg(hex2(u.address), keyOf(h)));
    lines.append(QString());
    lines.append(QStringLiteral("# Events waiting to be collected."));
    DemoDice dice(20261206u);
    for (const DemoUnit &u : kUnits)
        for (const DemoEvent &e : eventsOf(u, today, dice))
            lines.append(QStringLiteral("event %1 %2 %3 %4")
                             .arg(hex2(u.address), e.key,
                                  e.at.toString(QStringLiteral("dd.MM. hh:mm")), hex2(e.result)));
    lines.append(QString());
    for (int h = 0; h < kHolderCount; ++h)
        lines.append(QStringLiteral("holder ") + keyOf(h));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool addUnits(TDB0DM &db)
{
    for (const DemoUnit &u : kUnits) {
        if (!db.tbUniDefaultByType(u.type))
            return false;
        db.tbUni.edit();
        db.tbUni.setString(QStringLiteral("ADRESA"), hex2(u.address));
        db.tbUni.setString(QStringLiteral("NAZEV"), QString::fromUtf8(u.name));
        db.tbUni.setString(QStringLiteral("POUZITI"), QLatin1String(u.pouziti));
        if (!db.tbUni.post())
            return false;
    }
    return true;
}

// Permission groups, attendance groups and shift schedules for the holders'
// assignments: the first holders may enter everywhere, the next ones through
// the main entrance and the offices, the last ones only through the main
// entrance, in working hours. At the car park they come in by either barrier
// with an employee's key (07), at the offices through all four doors (0F).
struct DemoGroup
{
    const char *name;
    const char *addresses;
    const char *attributes;
    const char *schedules[4];
    int firstHolder;
};

const DemoGroup kPermissionGroups[] = {
    {"Všechny vstupy",
     "02030405",
     "0000070F",
     {"Nepřetržitě", "Pracovní doba", "Pracovní doba", "Nepřetržitě"},
     0},
    {"Kanceláře", "0205", "000F", {"Pracovní doba", "Pracovní doba"}, 12},
    {"Hlavní vchod", "02", "00", {"Pracovní doba"}, 20},
};

const DemoGroup &groupOf(int holder)
{
    const DemoGroup *group = &kPermissionGroups[0];
    for (const DemoGroup &g : kPermissionGroups)
        if (holder >= g.firstHolder)
            group = &g;
    return *group;
}

struct DemoSchedule
{
    const char *name;
    ScheduleComponent components[2];
};

const DemoSchedule kAccessSchedules[] = {
    {"Pracovní doba", {{0x0600, 0x1200, 0x7C}, {0x0700, 0x0C00, 0x02}}}, // Po–Pá, So
    {"Nepřetržitě", {{0x0000, 0x173B, 0x7F}}},                           // 00:00–23:59 daily
};

const char *const kWorkplaces[] = {"Výroba", "Sklad", "Administrativa"};
const char *const kSchedules[] = {"Ranní", "Dvousměnný"};

bool addHolders(TDB0DM &db)
{
    for (int h = 0; h < kHolderCount; ++h) {
        if (!db.tbKey.append())
            return false;
        db.tbKey.setString(QStringLiteral("CTM"), keyOf(h));
        db.tbKey.setString(QStringLiteral("PTIT"), QString::fromUtf8(kHolders[h].title));
        db.tbKey.setString(QStringLiteral("JMENO"), QString::fromUtf8(kHolders[h].name));
        db.tbKey.setString(QStringLiteral("OSCIS"), QString::number(1001 + h));
        db.tbKey.setString(QStringLiteral("OPRAVNENI"), QString::fromUtf8(groupOf(h).name));
        db.tbKey.setString(QStringLiteral("PRACOVISTE"),
                           QString::fromUtf8(kWorkplaces[h % std::size(kWorkplaces)]));
        db.tbKey.setString(QStringLiteral("ROZPIS"),
                           QString::fromUtf8(kSchedules[h % std::size(kSchedules)]));
        if (!db.tbKey.post())
            return false;
    }
    return true;
}

bool addGroups(TVXDM &vx, int year)
{
    for (const DemoSchedule &s : kAccessSchedules) {
        ScheduleBlock block;
        for (const ScheduleComponent &c : s.components)
            block.apply(block.count() + 1, c);
        if (!vx.tbCas.append())
            return false;
        vx.tbCas.setString(QStringLiteral("NAZEVROZVRHU"), QString::fromUtf8(s.name));
        vx.tbCas.setBytes(QStringLiteral("DATAROZVRHU"), block.toBytes());
        if (!vx.tbCas.post())
            return false;
    }
    for (const DemoGroup &g : kPermissionGroups) {
        QList<PermissionRow> rows;
        for (int i = 0; 2 * i < int(qstrlen(g.addresses)); ++i)
            rows.append({QString::fromLatin1(g.addresses + 2 * i, 2),
                         hexToByte(QString::fromLatin1(g.attributes + 2 * i, 2)),
                         QString::fromUtf8(g.schedules[i])});
        if (!vx.tbAcc.append())
            return false;
        vx.tbAcc.setString(QStringLiteral("OPRAVNENI"), QString::fromUtf8(g.name));
        if (!putPermissionRows(vx.tbAcc, rows) || !vx.tbAcc.post())
            return false;
    }
    for (const char *name : kWorkplaces) {
        if (!vx.tbPrs.append())
            return false;
        vx.tbPrs.setString(QStringLiteral("PRACOVISTE"), QString::fromUtf8(name));
        if (!vx.tbPrs.post())
            return false;
    }
    for (const char *name : kSchedules) {
        if (!vx.tbDch.append())
            return false;
        vx.tbDch.setString(QStringLiteral("ROZPIS"), QString::fromUtf8(name));
        vx.tbDch.setInt(QStringLiteral("DelkaRozpisu"), 7);
        vx.tbDch.setDate(QStringLiteral("DatumOd"), QDate(year, 1, 1));
        if (!vx.tbDch.post())
            return false;
    }
    return true;
}

} // namespace

QString linkPath(const QString &dir)
{
    return QDir(dir).filePath(QStringLiteral("ttyKVR8"));
}

QString simulatorConfigPath(const QString &dir)
{
    return QDir(dir).filePath(QStringLiteral("kvr8sim.conf"));
}

QString simulatorStatePath(const QString &dir)
{
    return QDir(dir).filePath(QStringLiteral("kvr8sim.state"));
}

bool prepareDirectory(const QString &dir, QString *error)
{
    if (!QDir().mkpath(dir)) {
        *error = QStringLiteral("Adresář nelze vytvořit: ") + dir;
        return false;
    }
    if (QFileInfo::exists(QDir(dir).filePath(QStringLiteral("WKVRUNI.DB")))) {
        *error = QStringLiteral("V adresáři už je evidence jednotek: ") + dir;
        return false;
    }
    return true;
}

int write(Application &app, const QString &dir, std::FILE *out, std::FILE *err)
{
    if (app.start() != StartOutcome::Started)
        return 1;
    TDB0DM &db = app.db0;
    if (!addUnits(db) || !addHolders(db) || !addGroups(app.vx, app.clock().today().year())) {
        QString why;
        for (const Table *t :
             {&db.tbUni, &db.tbKey, &app.vx.tbCas, &app.vx.tbAcc, &app.vx.tbPrs, &app.vx.tbDch})
            if (why.isEmpty())
                why = t->errorMessage();
        print(err, QStringLiteral("Ukázkovou evidenci nelze zapsat: ") + why + QLatin1Char('\n'));
        return 1;
    }
    if (const Result<void> attendance = addDemoAttendance(app); !attendance) {
        print(err, QStringLiteral("Ukázkovou evidenci nelze zapsat: ") + attendance.error() +
                       QLatin1Char('\n'));
        return 1;
    }
    if (const Result<void> plan = addDemoPlan(app); !plan) {
        print(err, QStringLiteral("Ukázkovou evidenci nelze zapsat: ") + plan.error() +
                       QLatin1Char('\n'));
        return 1;
    }
    if (const Result<void> month = addDemoAttendanceEvents(app); !month) {
        print(err, QStringLiteral("Ukázkovou evidenci nelze zapsat: ") + month.error() +
                       QLatin1Char('\n'));
        return 1;
    }
    app.PosouditMoznosti();

    if (const Result<void> pictures = writePictures(dir); !pictures) {
        print(err, pictures.error() + QLatin1Char('\n'));
        return 1;
    }
    if (const Result<void> parms = SerialParams::writeFile(dir, linkPath(dir)); !parms) {
        print(err, parms.error() + QLatin1Char('\n'));
        return 1;
    }
    const FileWritten conf =
        writeWholeFile(simulatorConfigPath(dir), simulatorConfig(app.clock().today()).toUtf8());
    if (!conf.ok) {
        print(err, conf.error + QLatin1Char('\n'));
        return 1;
    }
    // What a simulator kept for an earlier site here belongs to other events.
    const QString state = simulatorStatePath(dir);
    if (QFile::exists(state) && !QFile::remove(state)) {
        print(err, QStringLiteral("Soubor nelze smazat: ") + state + QLatin1Char('\n'));
        return 1;
    }
    print(out, QStringLiteral("Ukázková evidence v %1\nSimulátor jednotek: kvr8sim --config %2 "
                              "--state %3 --link %4\n")
                   .arg(dir, simulatorConfigPath(dir), state, linkPath(dir)));
    return 0;
}

} // namespace vardex::DemoSite
