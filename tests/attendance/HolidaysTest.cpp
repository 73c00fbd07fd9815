#include "attendance/Holidays.h"
#include "AttendanceSite.h"
#include "attendance/AttendanceSchemas.h"
#include "text/LineFile.h"
#include "timecal/DayMonth.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

namespace {

// The holidays stored, as "dd.mm.yyyy ROK name".
QStringList stored(Table &t)
{
    QStringList lines;
    for (t.first(); !t.eof(); t.next())
        lines << t.asDateTime(u"Datum"_s).toString(u"dd.MM.yyyy"_s) + u' ' + t.asString(u"ROK"_s) +
                     u' ' + t.asString(u"Rem"_s);
    return lines;
}

struct HolidaySite : AttendanceSite
{
    HolidaySite() { EXPECT_TRUE(vx.tbSva.open()); }
    Result<HolidayFill> fill(int year)
    {
        return fillStandardHolidays(vx.tbSva, holidayListPath(dir.path()), year, messages);
    }
    void writeList(const QStringList &lines)
    {
        ASSERT_TRUE(writeLineFile(holidayListPath(dir.path()), lines).ok);
    }
};

} // namespace

TEST(Holidays, FillingAYearFromTheList)
{
    HolidaySite s;
    s.writeList({u"01.01.Nový rok"_s, u"1.1. Den obnovy"_s, u"29.02. Přestupný"_s});
    const Result<HolidayFill> first = s.fill(2000);
    ASSERT_TRUE(first) << first.error().toStdString();
    EXPECT_EQ(stored(s.vx.tbSva),
              (QStringList{u"01.01.2000 2000 Nový rok"_s, u"29.02.2000 2000 Přestupný"_s,
                           u"24.04.2000 2000 Pondělí velikonoční"_s}));
    EXPECT_EQ(s.messages.texts(), QStringList{u"SVATKY.INI - chybné datum\n1.1. Den obnovy"_s});
    EXPECT_EQ(first->wrongDates, 1);

    // A second fill stores nothing twice and says so for every date.
    s.messages.clear();
    const Result<HolidayFill> again = s.fill(2000);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->stored, 0);
    EXPECT_EQ(again->duplicates, 3);
    EXPECT_EQ(stored(s.vx.tbSva).size(), 3);
    EXPECT_EQ(s.messages.texts(ScriptedMessages::Kind::Information).first(),
              u"Duplicitní datum svátku - ignorováno\n01.01.Nový rok"_s);

    // 29 February is no date of 2001; the year follows the date on every
    // post, even one that changes only the name.
    s.messages.clear();
    ASSERT_TRUE(s.fill(2001));
    EXPECT_EQ(s.messages.texts(ScriptedMessages::Kind::Error).size(), 2);
    Table raw(wkvrSvaSchema(), s.dir.path());
    ASSERT_TRUE(raw.open());
    ASSERT_TRUE(raw.append());
    raw.setDateTime(u"Datum"_s, QDateTime(QDate(2003, 5, 8), QTime(0, 0)));
    ASSERT_TRUE(raw.post());
    s.vx.tbSva.refresh();
    ASSERT_TRUE(s.vx.tbSva.last());
    ASSERT_TRUE(s.vx.tbSva.edit());
    s.vx.tbSva.setString(u"Rem"_s, u"Den vítězství"_s);
    ASSERT_TRUE(s.vx.tbSva.post());
    EXPECT_EQ(stored(s.vx.tbSva).last(), u"08.05.2003 2003 Den vítězství"_s);
}

TEST(Holidays, EasterDaysFromTheYearGoodFridayBecameAHoliday)
{
    HolidaySite s;
    s.writeList({});
    // Easter Sunday of each year (month, day), from the church calendar.
    const std::tuple<int, int, int> easter[] = {
        {2015, 4, 5},  {2016, 3, 27}, {2017, 4, 16}, {2018, 4, 1},  {2019, 4, 21}, {2020, 4, 12},
        {2021, 4, 4},  {2022, 4, 17}, {2023, 4, 9},  {2024, 3, 31}, {2025, 4, 20}, {2026, 4, 5},
        {2027, 3, 28}, {2028, 4, 16}, {2029, 4, 1},  {2030, 4, 21},
    };
    QStringList expected;
    for (const auto &[year, month, day] : easter) {
        ASSERT_TRUE(s.fill(year));
        const QDate sunday(year, month, day);
        const QString y = QString::number(year);
        if (year >= 2016)
            expected << sunday.addDays(-2).toString(u"dd.MM.yyyy"_s) + u' ' + y + u" Velký pátek"_s;
        expected << sunday.addDays(1).toString(u"dd.MM.yyyy"_s) + u' ' + y +
                        u" Pondělí velikonoční"_s;
    }
    EXPECT_EQ(stored(s.vx.tbSva), expected);
}

TEST(Holidays, TheShippedListComesToASiteWithoutOne)
{
    const QString shipped = shippedHolidayList();
    ASSERT_FALSE(shipped.isEmpty());
    AttendanceSite s; // started: the list is copied
    QFile copy(holidayListPath(s.dir.path())), original(shipped);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
    const QByteArray bytes = copy.readAll();
    EXPECT_EQ(bytes, original.readAll());
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    // Every line a date and a name that fits the holiday table.
    const LinesRead lines = readLines(holidayListPath(s.dir.path()));
    EXPECT_EQ(lines.lines.size(), 11);
    for (const QString &line : lines.lines) {
        EXPECT_TRUE(IsValidDayMonth(ParseDayMonth(QStringView(line).left(6))))
            << line.toStdString();
        EXPECT_LE(line.mid(6).trimmed().size(), 25) << line.toStdString();
    }
    // A site's own list is kept.
    ASSERT_TRUE(writeLineFile(holidayListPath(s.dir.path()), {u"24.12. Vlastní"_s}).ok);
    ASSERT_TRUE(installHolidayList(s.dir.path()));
    EXPECT_EQ(readLines(holidayListPath(s.dir.path())).lines, QStringList{u"24.12. Vlastní"_s});
}

TEST(KeyStatistics, CountsTheAssignmentsOfTheKeyHolders)
{
    AttendanceSite s;
    s.addHolder(u"01000000000001"_s, QString(), u"Výroba"_s, u"Vše"_s);
    s.addHolder(u"01000000000002"_s, u"Ranní"_s, u"Výroba"_s, QString());
    s.addHolder(u"01000000000003"_s, u"Ranní"_s, u"Sklad"_s, u"Vše"_s);
    s.addHolder(u"01000000000004"_s, u"Noční"_s, u"sklad"_s, u"Vše"_s);
    const Result<KeyStatistics> stats = s.vx.StatistikaKlicu();
    ASSERT_TRUE(stats) << stats.error().toStdString();
    EXPECT_EQ(stats->workplaces, (AssignmentUse{3, 4, 0}));
    EXPECT_EQ(stats->permissionGroups, (AssignmentUse{1, 3, 1}));
    EXPECT_EQ(stats->schedules, (AssignmentUse{2, 3, 1}));
    EXPECT_FALSE(s.vx.tbPom.isOpen());
}
