#include "AttendanceSite.h"
#include "attendance/ScheduleFile.h"
#include "attendance/TDMRPL.h"
#include "text/LineFile.h"

#include <gtest/gtest.h>

using namespace vardex;
using namespace vardex::testing;

namespace {

const QString kKey = u"01000000000001"_s;

Date dateOf(const QDate &d)
{
    return {d.year(), d.month(), d.day()};
}

QStringList names(int n)
{
    QStringList list;
    for (int i = 1; i <= n; ++i)
        list << u"S"_s + QString::number(i);
    return list;
}

} // namespace

TEST(Schedules, LoadingAKeyHoldersScheduleGivesItsCodeAndText)
{
    AttendanceSite s;
    // A shift table written before its texts were checked.
    s.vx.tbSme.beforePost = nullptr;
    s.addShift(u"Ranní"_s, u"P:06:00-14:00"_s);
    s.addShift(u"Noční"_s, u"P:00:00-06:00"_s, u"P:22:00-23:59"_s, u"A"_s);
    s.addShift(u"Špatná 1"_s, u"P:6:00-14:00"_s);
    s.addShift(u"Špatná 2"_s, u"P:06:00-14:00"_s, u"P:22:00"_s);
    s.addSchedule(u"Dobrý"_s, QDate(2026, 1, 1), {u"Ranní"_s, QString(), u"Noční"_s});
    s.addSchedule(u"Nulový"_s, QDate(2026, 1, 1), {});
    s.addSchedule(u"Jiná"_s, QDate(2026, 1, 1), {u"Ranní"_s, u"Jiná"_s});
    s.addSchedule(u"Úsek 1"_s, QDate(2026, 1, 1), {u"Špatná 1"_s});
    s.addSchedule(u"Úsek 2"_s, QDate(2026, 1, 1), {u"Špatná 2"_s});
    // the holder's schedule (none: no holder), the code and its text
    const std::tuple<const char *, int, const char *> cases[] = {
        {"Dobrý", 0, ""},
        {nullptr, 1, "není takový klíč"},
        {"", 2, "klíč nemá rozpis"},
        {"Chybí", 3, "není takový rozpis"},
        {"Nulový", 4, "nulový rozpis"},
        {"Jiná", 5, "není taková směna"},
        {"Úsek 1", 6, "formát první úsek"},
        {"Úsek 2", 7, "formát druhý úsek"},
    };
    int n = 0;
    for (const auto &[schedule, code, text] : cases) {
        const QString key = QStringLiteral("010000000000%1").arg(++n, 2, 10, QLatin1Char('0'));
        if (schedule)
            s.addHolder(key, QString::fromUtf8(schedule));
        const Result<void> loaded = s.vx.CtiRozpisKlice(key);
        EXPECT_EQ(loaded.code(), code) << n;
        EXPECT_EQ(loaded.error(), QString::fromUtf8(text)) << n;
        EXPECT_EQ(s.vx.cyclicSchedule.length, code == 0 ? 3 : 0) << n;
    }
    ASSERT_TRUE(s.vx.CtiRozpisKlice(u"01000000000001"_s));
    const CyclicSchedule &c = s.vx.cyclicSchedule;
    EXPECT_EQ(c.length, 3);
    EXPECT_EQ(FormatSection(c.day(1).first), u"P:06:00-14:00"_s);
    EXPECT_EQ(c.day(1).flag, '#');
    EXPECT_TRUE(IsDayEmpty(c.day(2)));
    EXPECT_EQ(c.day(2).flag, ' ');
    EXPECT_EQ(c.day(3).flag, 'A');
    EXPECT_EQ(s.vx.tbDchUrciDenCyklu({2026, 1, 8}), 2);
}

// The weekday rule a schedule used to be re-anchored with: day 1 taken to
// lie on the first of its month, the new day 1 the first day of the cycle
// on the weekday of 1 January.
QStringList weekdayRule(const QStringList &days, const Date &start, int year)
{
    const int target = PlatformWeekday({year, 1, 1});
    int k = 1;
    while (PlatformWeekday({start.year, start.month, k}) != target)
        ++k;
    QStringList turned;
    for (int j = 0; j < days.size(); ++j)
        turned << days[(k - 1 + j) % days.size()];
    return turned;
}

TEST(Schedules, ReanchoringKeepsEveryDateOnItsShift)
{
    // Where the weekday rule holds (seven days from the first of a month),
    // date arithmetic gives the same.
    for (const auto &[start, year] :
         {std::pair{QDate(2026, 1, 1), 2027}, std::pair{QDate(2024, 3, 1), 2026},
          std::pair{QDate(2030, 9, 1), 2025}}) {
        EXPECT_EQ(reanchoredNames(names(7), dateOf(start), {year, 1, 1}),
                  weekdayRule(names(7), dateOf(start), year))
            << start.toString().toStdString() << " " << year;
    }
    // A fortnight, a start in mid-month, a start after the new year, a
    // cycle shorter than a week: every date of the year keeps its shift.
    AttendanceSite s;
    for (const auto &[length, start, year] :
         {std::tuple{14, QDate(2026, 1, 1), 2027}, std::tuple{7, QDate(2025, 3, 15), 2026},
          std::tuple{21, QDate(2026, 6, 10), 2026}, std::tuple{5, QDate(2024, 2, 29), 2026}}) {
        SCOPED_TRACE(QStringLiteral("%1 days from %2 to %3")
                         .arg(length)
                         .arg(start.toString())
                         .arg(year)
                         .toStdString());
        ASSERT_TRUE(s.vx.tbDch.empty());
        s.addSchedule(u"R"_s, start, names(length));
        s.addSchedule(u"Prázdný"_s, start, {});
        const Result<int> done = s.vx.tbDchUpravaBazeProRok(year);
        ASSERT_TRUE(done) << done.error().toStdString();
        EXPECT_EQ(*done, 2);
        const QStringList turned = s.scheduleDays(u"R"_s);
        EXPECT_EQ(s.vx.tbDch.asDate(u"DatumOd"_s), QDate(year, 1, 1));
        const QDate newStart(year, 1, 1);
        for (QDate d = newStart; d.year() == year; d = d.addDays(1)) {
            const auto at = [&](const QDate &from) {
                return int(((from.daysTo(d) % length) + length) % length);
            };
            ASSERT_EQ(turned[at(newStart)], names(length)[at(start)]) << d.toString().toStdString();
        }
    }
}

TEST(Schedules, TextFileLinesHaveTheirFixedLength)
{
    AttendanceSite s;
    for (int n : {0, 1, 7, 21}) {
        s.addSchedule(u"Délka "_s + QString::number(n), QDate(2026, 1, 1), names(n));
        const QString line = scheduleTextLine(s.vx.tbDch);
        EXPECT_EQ(line.size(), 17 + 2 + 10 + 17 * n + 1) << n;
        const std::optional<ScheduleLine> back = parseScheduleLine(line);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->shiftNames, names(n));
        EXPECT_EQ(back->start, QDate(2026, 1, 1));
    }
    // Lines out of that layout are no schedules.
    const QString full = scheduleTextLine(s.vx.tbDch);
    const QString longer = // 22 days
        full.left(17) + u"22"_s + full.mid(19, 10 + 17 * 21) + u"X"_s.repeated(17) + u'#';
    for (const QString &bad :
         {full.chopped(1), full.chopped(2) + u'#', longer,
          QString(full).replace(19, 10, u"31.02.2026"_s), QString(full).replace(17, 2, u"2 "_s)})
        EXPECT_FALSE(parseScheduleLine(bad)) << bad.toStdString();
    // Exported and imported into an empty site, the schedules are the same.
    const QString file = s.dir.file(u"ROZPISY.SDF"_s);
    ASSERT_EQ(s.vx.tbDchExportDatabaze(file).valueOr(-1), 4);
    AttendanceSite other;
    other.messages.answer(Answer::No);
    EXPECT_EQ(other.vx.tbDchImportDatabaze(file).imported, 4);
    const QString copy = other.dir.file(u"copy.sdf"_s);
    ASSERT_TRUE(other.vx.tbDchExportDatabaze(copy));
    EXPECT_EQ(readLines(copy).lines, readLines(file).lines);
}

TEST(Schedules, ImportAsksAboutEveryLineItCannotTake)
{
    AttendanceSite source;
    source.addSchedule(u"A"_s, QDate(2026, 1, 1), names(2));
    const QString a = scheduleTextLine(source.vx.tbDch);
    source.addSchedule(u"B"_s, QDate(2026, 1, 1), names(3));
    const QString b = scheduleTextLine(source.vx.tbDch);
    const QString file = source.dir.file(u"ROZPISY.SDF"_s);
    ASSERT_TRUE(writeLineFile(file, {a, a.chopped(1), a, b}).ok);

    // answers (delete old?, the line without "#", the duplicate), the
    // schedules afterwards, the questions asked
    const std::tuple<const char *, QList<Answer>, QStringList, int> cases[] = {
        {"go on past both", {Answer::No, Answer::Yes, Answer::Yes}, {"A", "B", "Starý"}, 3},
        {"end at the bad line", {Answer::No, Answer::No}, {"A", "Starý"}, 2},
        {"end after deleting", {Answer::Yes, Answer::No}, {"Starý"}, 2},
        {"delete, go on", {Answer::Yes, Answer::Yes, Answer::Yes}, {"A", "B"}, 3},
    };
    AttendanceSite s;
    for (const auto &[what, answers, after, asked] : cases) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(s.vx.tbDch.empty());
        s.messages.clear();
        s.addSchedule(u"Starý"_s, QDate(2025, 1, 1), names(1));
        for (Answer answer : answers)
            s.messages.answer(answer);
        (void)s.vx.tbDchImportDatabaze(file);
        QStringList stored;
        for (s.vx.tbDch.first(); !s.vx.tbDch.eof(); s.vx.tbDch.next())
            stored << s.vx.tbDch.asString(u"ROZPIS"_s);
        EXPECT_EQ(stored, after);
        const QStringList questions = s.messages.texts(ScriptedMessages::Kind::YesNo);
        ASSERT_EQ(questions.size(), asked);
        EXPECT_EQ(questions[1], u"Chybná data: "_s + a.chopped(1) + u"\n Pokračovat?"_s);
        if (asked == 3) {
            EXPECT_EQ(questions[2], u"Odmítnuto: "_s + a + u"\n Pokračovat?"_s);
        }
    }
}

TEST(Schedules, PlanDayLookupLeavesThePlanCursorAlone)
{
    AttendanceSite s;
    TDMRPL rpl(s.dir.path());
    for (int day : {3, 1, 2}) {
        ASSERT_TRUE(rpl.tbRpl.append());
        rpl.tbRpl.setString(u"KLIC"_s, kKey);
        rpl.tbRpl.setDate(u"DATUM"_s, QDate(2026, 5, day));
        ASSERT_TRUE(rpl.tbRpl.post());
    }
    rpl.tbRpl.setIndex(QString());
    rpl.tbRpl.first();
    const Bookmark at = rpl.tbRpl.bookmark();
    EXPECT_TRUE(rpl.JeZaznamKlicDatum(kKey, QDate(2026, 5, 2)).valueOr(false));
    EXPECT_FALSE(rpl.JeZaznamKlicDatum(kKey, QDate(2026, 5, 4)).valueOr(true));
    EXPECT_FALSE(rpl.JeZaznamKlicDatum(u"01000000000002"_s, QDate(2026, 5, 2)).valueOr(true));
    EXPECT_EQ(rpl.tbRpl.bookmark(), at);
    EXPECT_EQ(rpl.tbRpl.indexName(), QString());
}
