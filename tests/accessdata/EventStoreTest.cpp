#include "accessdata/EventReplyBuilder.h"
#include "accessdata/TDB0DM.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "timecal/DayMonth.h"
#include "timecal/HourMinute.h"

#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::eventReply;
using vardex::testing::keyBytes;
using vardex::testing::RawEvent;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

const QByteArray kNovakKey = keyBytes({0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
const QString kNovak = QStringLiteral("01665544332211");
const QString kNoKey = QStringLiteral("00000000000000");
// How the port classifies a reply that arrived whole and right.
const ReplyClass kGood{0xAA, true, false};

RawEvent raw(const QByteArray &key, quint8 day, quint8 month, quint8 hour, quint8 minute,
             quint8 result)
{
    return {key, minute, hour, day, month, result};
}

// A site with an access unit 05 "Vrátnice", an attendance unit 06 and one
// key holder; the unit selection stands on 05; today is 2 January 2027.
struct Site : ::testing::Test
{
    TempDir dir;
    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2027, 1, 2), QTime(10, 0))};
    TDB0DM db{dir.path(), messages, clock};
    int shown = 0;

    void SetUp() override
    {
        ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
        db.DatumDnes();
        db.systemLog().showModal = [this] { ++shown; };
        addUnit("05", 1, QStringLiteral("Vrátnice"), "01");
        addUnit("06", 2, QStringLiteral("Docházka"), "01");
        Table &k = db.tbKey;
        ASSERT_TRUE(k.append());
        k.setString(QStringLiteral("CTM"), kNovak);
        k.setString(QStringLiteral("JMENO"), QStringLiteral("Novák Jan"));
        k.setString(QStringLiteral("OSCIS"), QStringLiteral("1"));
        ASSERT_TRUE(k.post());
        db.VsechnyJednotky();
        db.GetSelectedUnit();
        ASSERT_EQ(db.selection().currentAddress, QStringLiteral("05"));
    }

    void addUnit(const char *addr, quint8 type, const QString &name, const char *pouziti)
    {
        Table &u = db.tbUni;
        ASSERT_TRUE(db.tbUniDefaultByType(type));
        ASSERT_TRUE(u.edit());
        u.setString(QStringLiteral("ADRESA"), QLatin1String(addr));
        u.setString(QStringLiteral("NAZEV"), name);
        u.setString(QStringLiteral("POUZITI"), QLatin1String(pouziti));
        ASSERT_TRUE(u.post());
    }

    void addEvent(const QDate &date, const QString &addr, const QString &ctm, const QString &res,
                  bool ori = true)
    {
        Table &e = db.tbEvents;
        ASSERT_TRUE(e.append());
        e.setDate(QStringLiteral("DATUM"), date);
        e.setTime(QStringLiteral("CAS"), QTime(8, 15));
        e.setString(QStringLiteral("AHWJ"), addr);
        e.setString(QStringLiteral("CTM"), ctm);
        e.setString(QStringLiteral("RES"), res);
        e.setBool(QStringLiteral("ORI"), ori);
        ASSERT_TRUE(e.post()) << e.errorMessage().toStdString();
    }

    void addSearchedKey(const QString &ctm, const char *alarm)
    {
        Table &s = db.tbSKey;
        ASSERT_TRUE(s.append());
        s.setString(QStringLiteral("CTM"), ctm);
        s.setString(QStringLiteral("ZPRAVA"), QStringLiteral("Byl nalezen hledaný klíč!"));
        s.setString(QStringLiteral("ALARM"), QLatin1String(alarm));
        ASSERT_TRUE(s.post());
    }

    QStringList storedLines()
    {
        QStringList lines;
        db.tbEvents.setIndex(QString());
        for (db.tbEvents.first(); !db.tbEvents.eof(); db.tbEvents.next())
            lines << db.tbEventsRadekUdalosti();
        return lines;
    }
};

} // namespace

TEST_F(Site, ABlockIsStoredInOrderWithTheInferredYearAndLogged)
{
    const EventBlockOutcome out = db.ZpracujBlokUdalosti(
        eventReply(0x05, {raw(kNovakKey, 0x31, 0x12, 0x23, 0x59, 0x10),
                          raw(QByteArray(7, '\0'), 0x02, 0x01, 0x08, 0x00, 0x38),
                          raw(kNovakKey, 0x02, 0x01, 0x24, 0x00, 0x00)}),
        kGood);
    EXPECT_TRUE(out.message.isEmpty());
    EXPECT_EQ(out.stored, 2);
    const QStringList expected = {
        QStringLiteral("31.12.2026 23:59 Novák Jan Vrátnice,Dveře 0 / příchod,^ilegální     "),
        QStringLiteral("02.01.2027 08:00  Vrátnice,Dveře 0,AKTIVOVÁNO")};
    EXPECT_EQ(out.log, expected + QStringList{QStringLiteral(
                                      "05 ABCDEF 02.01. 24:00 01665544332211 00 - chybné časové "
                                      "údaje!")});
    EXPECT_EQ(storedLines(), expected);
    db.tbEvents.first();
    EXPECT_EQ(db.tbEvents.asDate(QStringLiteral("DATUM")), QDate(2026, 12, 31));
    EXPECT_EQ(db.tbEvents.asTime(QStringLiteral("CAS")), QTime(23, 59, 0));
    EXPECT_EQ(db.tbEvents.asString(QStringLiteral("AHWJ")), QStringLiteral("05"));
    EXPECT_EQ(db.tbEvents.asString(QStringLiteral("RES")), QStringLiteral("10"));
    EXPECT_TRUE(db.tbEvents.asBool(QStringLiteral("ORI")));
    db.tbEvents.next();
    EXPECT_EQ(db.tbEvents.asString(QStringLiteral("CTM")), kNoKey);
    EXPECT_TRUE(messages.texts().isEmpty());
}

// A monitor started on New Year's Eve still files the events of 2 January
// under the new year.
TEST_F(Site, TheYearFollowsTodayEvenAfterTheDateWasRecordedLastYear)
{
    clock.set(QDateTime(QDate(2026, 12, 31), QTime(23, 0)));
    db.DatumDnes();
    clock.set(QDateTime(QDate(2027, 1, 2), QTime(0, 5)));
    db.ZpracujBlokUdalosti(eventReply(0x05, {raw(kNovakKey, 0x02, 0x01, 0x00, 0x01, 0x00)}), kGood);
    db.tbEvents.first();
    EXPECT_EQ(db.tbEvents.asDate(QStringLiteral("DATUM")), QDate(2027, 1, 2));
}

TEST_F(Site, AReplyThatCannotBeUsedStoresNothing)
{
    const QByteArray block = eventReply(0x05, {raw(kNovakKey, 0x02, 0x01, 0x08, 0x00, 0x00)});
    struct Case
    {
        QByteArray received;
        ReplyClass verdict;
        QString message;
    };
    const Case cases[] = {
        {QByteArray(),
         {0x01, false, false},
         QStringLiteral("02.01. 10:00:00 05 Vrátnice - Žádná odpověď")},
        {block, {0xC0, false, true}, QStringLiteral("02.01. 10:00:00 05 Vrátnice - chyba Rx-CRC")},
        {QByteArray(1, '\x90'),
         {0x90, false, false},
         QStringLiteral("02.01. 10:00:00 05 Vrátnice - chyba: uzamčeno")},
        {eventReply(0x06, {raw(kNovakKey, 0x02, 0x01, 0x08, 0x00, 0x00)}), kGood,
         QStringLiteral("06/05 Odpovídá jiná jednotka!")},
        // A good sum with line noise behind it: the port does not acknowledge it.
        {block + QByteArray(3, '\x01'),
         {0xAA, false, false},
         QStringLiteral("05 ABCDEF  Nesprávná délka paketu: 264")},
        {block.left(17),
         {0xAA, false, false},
         QStringLiteral("05 ABCDEF  Nesprávná délka paketu: 17")},
    };
    for (const Case &c : cases) {
        const EventBlockOutcome out = db.ZpracujBlokUdalosti(c.received, c.verdict);
        EXPECT_EQ(out.kind, EventBlockOutcome::Kind::Unusable);
        EXPECT_EQ(out.message, c.message);
        EXPECT_TRUE(out.log.isEmpty());
        EXPECT_EQ(out.stored, 0);
        EXPECT_EQ(db.tbEvents.recordCount(), 0);
    }
}

// The table refusing the second event of a block leaves none of it behind.
TEST_F(Site, ABlockIsStoredWholeOrNotAtAll)
{
    int posts = 0;
    db.tbEvents.beforePost = [&](Table &) { return ++posts != 2; };
    const RawEvent e = raw(kNovakKey, 0x02, 0x01, 0x08, 0x00, 0x00);
    const EventBlockOutcome out = db.ZpracujBlokUdalosti(eventReply(0x05, {e, e, e}), kGood);
    EXPECT_EQ(out.kind, EventBlockOutcome::Kind::StoreFailed);
    EXPECT_TRUE(out.message.startsWith(QStringLiteral("Události nebyly uloženy")))
        << out.message.toStdString();
    EXPECT_EQ(out.stored, 0);
    EXPECT_EQ(db.tbEvents.recordCount(), 0);

    // Handed out again, the block is stored; handed out once more (the unit
    // did not hear the acknowledgement), it is recognised and not stored twice.
    db.tbEvents.beforePost = nullptr;
    EXPECT_EQ(db.ZpracujBlokUdalosti(eventReply(0x05, {e, e, e}), kGood).stored, 3);
    const EventBlockOutcome again = db.ZpracujBlokUdalosti(eventReply(0x05, {e, e, e}), kGood);
    EXPECT_EQ(again.kind, EventBlockOutcome::Kind::Repeated);
    EXPECT_EQ(again.records, 3);
    EXPECT_EQ(db.tbEvents.recordCount(), 3);
    // The same block from another unit is that unit's own.
    db.selection().currentAddress = QStringLiteral("06");
    EXPECT_EQ(db.ZpracujBlokUdalosti(eventReply(0x06, {e, e, e}), kGood).stored, 3);
}

TEST_F(Site, ASearchedKeyRaisesTheAlarmOnlyWhileSearchIsOn)
{
    const QString other = QStringLiteral("01000000000099");
    addSearchedKey(kNovak, "A");
    addSearchedKey(other, "N");
    // Each case gets a block of its own (an identical one would be a repeat).
    auto block = [](quint8 hour) {
        return eventReply(0x05,
                          {raw(kNovakKey, 0x02, 0x01, hour, 0x00, 0x00),
                           raw(keyBytes({0x01, 0x99, 0, 0, 0, 0, 0}), 0x02, 0x01, hour, 0x01, 0x00),
                           raw(kNovakKey, 0x02, 0x01, hour, 0x02, 0x00)});
    };
    struct Case
    {
        bool search;
        quint8 hour;
        QStringList log;
        int shown;
    };
    const Case cases[] = {
        {false, 0x07, {}, 0},
        {true,
         0x08,
         {QStringLiteral("Byl nalezen hledaný klíč! 02.01.2027 08:00 Novák Jan "
                         "Vrátnice,Dveře 0 / příchod,povoleno      "),
          QStringLiteral("Byl nalezen hledaný klíč! 02.01.2027 08:02 Novák Jan "
                         "Vrátnice,Dveře 0 / příchod,povoleno      ")},
         1},
    };
    for (const Case &c : cases) {
        db.systemLog().clear();
        shown = 0;
        db.searchedKeyAlarm = c.search;
        EXPECT_EQ(db.ZpracujBlokUdalosti(block(c.hour), kGood).stored, 3);
        EXPECT_EQ(db.systemLog().lines(), c.log);
        EXPECT_EQ(shown, c.shown);
    }
    // A single event stored on its own raises its alarm at once.
    db.systemLog().clear();
    db.udalost_dm = db.reply.record(1);
    EXPECT_EQ(
        db.UlozUdalost(2027),
        QStringLiteral("02.01.2027 08:00 Novák Jan Vrátnice,Dveře 0 / příchod,povoleno      "));
    EXPECT_EQ(db.systemLog().lines().size(), 1);
    EXPECT_EQ(shown, 2);
}

// Storing an event looks up the names of its key holder and unit for the
// log line; the lookup never moves, posts or cancels the records that a
// window shows or edits, nor changes their order.
TEST_F(Site, StoringAnEventLeavesTheWindowsCursorsAsTheyWere)
{
    Table &k = db.tbKey;
    ASSERT_TRUE(k.append());
    k.setString(QStringLiteral("CTM"), QStringLiteral("01000000000001"));
    k.setString(QStringLiteral("JMENO"), QStringLiteral("Adámek Petr"));
    k.setString(QStringLiteral("OSCIS"), QStringLiteral("2"));
    ASSERT_TRUE(k.post());
    db.tbKeyApproxName(QStringLiteral("Adámek")); // the holders window searching by name
    int hour = 0x06;
    for (const TableState state : {TableState::Browse, TableState::Edit, TableState::Insert}) {
        const Bookmark shown = k.bookmark();
        if (state == TableState::Edit) {
            ASSERT_TRUE(k.edit());
            k.setString(QStringLiteral("JMENO"), QStringLiteral("Adámek Pavel"));
            ASSERT_TRUE(db.tbUni.edit());
            db.tbUni.setString(QStringLiteral("NAZEV"), QStringLiteral("Nová vrátnice"));
        } else if (state == TableState::Insert) {
            ASSERT_TRUE(k.append()); // no key yet: a post would be refused
            k.setString(QStringLiteral("JMENO"), QStringLiteral("Zelený Jan"));
        }
        const EventBlockOutcome out = db.ZpracujBlokUdalosti(
            eventReply(0x05, {raw(kNovakKey, 0x02, 0x01, quint8(hour++), 0x00, 0x00)}), kGood);
        ASSERT_EQ(out.stored, 1);
        EXPECT_TRUE(out.log.value(0).contains(QStringLiteral("Novák Jan Vrátnice")))
            << out.log.value(0).toStdString();
        EXPECT_EQ(k.state(), state);
        EXPECT_EQ(k.orderFields(), QStringLiteral("JMENO"));
        if (state != TableState::Insert) {
            EXPECT_EQ(k.bookmark(), shown);
        }
        if (state == TableState::Edit) {
            EXPECT_EQ(k.asString(QStringLiteral("JMENO")), QStringLiteral("Adámek Pavel"));
            EXPECT_EQ(db.tbUni.state(), TableState::Edit);
            EXPECT_EQ(db.tbUni.asString(QStringLiteral("NAZEV")), QStringLiteral("Nová vrátnice"));
            db.tbUni.cancel();
        }
        k.cancel();
    }
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(Site, ResultCodesReadAsReaderResultsOrInputStates)
{
    struct Case
    {
        const char *addr;
        QString ctm;
        const char *res;
        QString line;
        QString translated; // with detail
    };
    const Case cases[] = {
        {"05", kNovak, "10", "02.01.2027 08:15 Novák Jan Vrátnice,Dveře 0 / příchod,^ilegální     ",
         "Dveře 0 / příchod, ^ilegální     "},
        {"05", kNoKey, "38", "02.01.2027 08:15  Vrátnice,Dveře 0,AKTIVOVÁNO",
         "Dveře 0, AKTIVOVÁNO"},
        {"05", kNoKey, "1C", "02.01.2027 08:15  Vrátnice,* NEOBSAZENO (4),01",
         "* NEOBSAZENO (4), 01"},
        // Without a key the result is the state even for a reader object.
        {"05", kNoKey, "00", "02.01.2027 08:15  Vrátnice,Dveře 0 / příchod,klidový stav",
         "Dveře 0 / příchod, povoleno      "},
        {"05", QStringLiteral("01000000000042"), "20",
         "02.01.2027 08:15 Klíč: 01000000000042 Vrátnice,Dveře 0 / příchod,^neotevřeno   ",
         "Dveře 0 / příchod, ^neotevřeno   "},
        {"06", kNovak, "04", "02.01.2027 08:15 Novák Jan Docházka,Odchod,povoleno      ",
         "Odchod, povoleno      "},
        // An unknown unit: the event is shown all the same, without a message.
        {"07", kNovak, "10", "02.01.2027 08:15 Novák Jan ?,", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.res);
        db.tbEvents.empty();
        addEvent(QDate(2027, 1, 2), QLatin1String(c.addr), c.ctm, QLatin1String(c.res));
        db.tbEvents.first();
        EXPECT_EQ(db.tbEventsRadekUdalosti(), c.line);
        EXPECT_EQ(db.tbEventsTranslateResult(true), c.translated);
        EXPECT_EQ(db.tbEventsTranslateResult(false),
                  c.translated.section(QStringLiteral(", "), 0, 0));
    }
    EXPECT_EQ(db.tbEventsTranHwj(), QStringLiteral("?"));
    EXPECT_TRUE(messages.texts().isEmpty());
    // The lookups that name a unit do report one that does not exist.
    EXPECT_EQ(db.tbUniSensorName(QStringLiteral("07"), QStringLiteral("10")), QStringLiteral("?"));
    EXPECT_EQ(db.tbUniNameOf(QStringLiteral("07")), QStringLiteral("?"));
    EXPECT_EQ(messages.texts(), QStringList(2, QStringLiteral("Neznámá jednotka: 07")));
    EXPECT_EQ(db.tbUniSensorName(QStringLiteral("05"), QStringLiteral("3B")),
              QStringLiteral("Dveře 3"));
    EXPECT_EQ(db.tbUniNazevSnimace(16), QStringLiteral("?"));
    EXPECT_EQ(db.tbUniGetVysl(4), QStringLiteral("04"));
}

TEST(AttendanceResult, DependsOnTypeUseMaskOutcomeAndObject)
{
    struct Case
    {
        quint8 typ, pouziti, rele, res;
        int counted; // -1: does not count
    };
    const Case cases[] = {
        // doors: the door must serve an outer entrance; direction gives 0 or 4
        {1, 0x01, 0, 0x00, 0x00},
        {1, 0x01, 0, 0x01, 0x04},
        {1, 0x01, 0, 0x31, 0x04},
        {1, 0x01, 0, 0x10, -1},
        {1, 0x01, 0, 0x20, -1},
        {1, 0x01, 0, 0x02, -1},
        {3, 0x08, 0, 0x07, 0x04},
        {8, 0x04, 1, 0x05, 0x04},
        {1, 0x0F, 0, 0x08, -1},
        // barriers: the passage is object bit 1
        {4, 0x02, 0, 0x03, 0x04},
        {4, 0x02, 0, 0x00, -1},
        {9, 0x01, 0, 0x01, 0x04},
        {9, 0x01, 0, 0x21, -1},
        {9, 0x03, 0, 0x3A, -1},
        // attendance unit: the code is kept; not-opened counts only without relay
        {2, 0x01, 0, 0x04, 0x04},
        {2, 0x01, 0, 0x05, 0x05},
        {2, 0x01, 0, 0x06, -1},
        {2, 0x01, 0, 0x11, -1},
        {2, 0x01, 0, 0x21, 0x21},
        {2, 0x01, 1, 0x21, -1},
        {2, 0x01, 1, 0x31, 0x31},
        {2, 0x00, 0, 0x00, -1},
        // any other type counts as recorded
        {0, 0x00, 0, 0x12, 0x12},
        {0x0A, 0x00, 0, 0x01, 0x01},
    };
    for (const Case &c : cases) {
        const std::optional<quint8> r =
            attendanceResult(UnitEvaluationData{c.typ, 0xFF, c.rele, c.pouziti}, c.res);
        EXPECT_EQ(r ? int(*r) : -1, c.counted)
            << "type " << int(c.typ) << " pouziti " << int(c.pouziti) << " rele " << int(c.rele)
            << " res " << std::hex << int(c.res);
    }
}

TEST_F(Site, AttendanceRelevanceOfStoredEvents)
{
    addEvent(QDate(2027, 1, 2), QStringLiteral("05"), kNovak, QStringLiteral("01"));
    addEvent(QDate(2027, 1, 2), QStringLiteral("05"), kNoKey, QStringLiteral("38"));
    addEvent(QDate(2027, 1, 2), QStringLiteral("07"), kNovak, QStringLiteral("00"));
    Table &e = db.tbEvents;
    e.setIndex(QString());
    e.first();
    EXPECT_TRUE(db.tbEventsUdalostDochazky());
    EXPECT_EQ(db.udalost_dm.result, 0x04);
    EXPECT_EQ(db.udalost_dm.keyText(), kNovak);
    EXPECT_EQ(db.udalost_dm.time, MakeHourMinute(8, 15));
    EXPECT_EQ(db.udalost_dm.date, PackDayMonth(2, 1));
    e.next();
    EXPECT_FALSE(db.tbEventsUdalostDochazky());
    EXPECT_TRUE(messages.texts().isEmpty());
    e.next();
    EXPECT_FALSE(db.tbEventsUdalostDochazky());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Neznámá jednotka: 07")});
}

TEST_F(Site, ErasingUpToADateTakesThatDayTooAndRestoresTheFilter)
{
    for (const QDate &d : {QDate(2026, 11, 30), QDate(2026, 12, 1), QDate(2026, 12, 1),
                           QDate(2026, 12, 2), QDate(2027, 1, 2)})
        addEvent(d, QStringLiteral("05"), kNovak,
                 d.month() == 12 ? QStringLiteral("10") : QStringLiteral("00"));
    for (bool filtered : {false, true}) {
        Table &e = db.tbEvents;
        ASSERT_TRUE(e.setFilterText(QStringLiteral("RES='10'")));
        e.setFiltered(filtered);
        const std::optional<qint64> erased = db.tbEventsEraseToDate(QDate(2026, 12, 1));
        ASSERT_TRUE(erased);
        EXPECT_EQ(*erased, filtered ? 0 : 3); // the second time there is nothing left
        EXPECT_EQ(e.filterText(), QStringLiteral("RES='10'"));
        EXPECT_EQ(e.filtered(), filtered);
        e.setFiltered(false);
        EXPECT_EQ(e.recordCount(), 2);
        e.first();
        EXPECT_EQ(e.asDate(QStringLiteral("DATUM")), QDate(2026, 12, 2));
    }
}

TEST_F(Site, RemovingAddedEventsKeepsThoseOfTheUnits)
{
    addEvent(QDate(2027, 1, 1), QStringLiteral("05"), kNovak, QStringLiteral("00"), false);
    addEvent(QDate(2027, 1, 2), QStringLiteral("05"), kNovak, QStringLiteral("00"), true);
    addEvent(QDate(2027, 1, 3), QStringLiteral("05"), kNovak, QStringLiteral("00"), false);
    addEvent(QDate(2027, 1, 4), QStringLiteral("05"), kNovak, QStringLiteral("00"), false);
    ASSERT_TRUE(db.tbEventsVypustitPridaneUdalosti());
    Table &e = db.tbEvents;
    ASSERT_EQ(e.recordCount(), 1);
    e.first();
    EXPECT_EQ(e.asDate(QStringLiteral("DATUM")), QDate(2027, 1, 2));
}

TEST_F(Site, FilterTextsSelectWhatTheIntervalAndChoicesSay)
{
    EXPECT_TRUE(db.FiltrKey().isEmpty());
    EXPECT_TRUE(db.FiltrHwj().isEmpty());
    EXPECT_TRUE(db.FiltrDate().isEmpty());
    EXPECT_TRUE(db.FiltrTime().isEmpty());
    db.chosenKey = kNovak;
    db.selection().chosenAddress = QStringLiteral("05");
    EXPECT_EQ(db.FiltrKey(), QStringLiteral("CTM='01665544332211'"));

    clock.set(QDateTime(QDate(2028, 2, 10), QTime(9, 0)));
    db.TentoMesic();
    EXPECT_FALSE(db.JeprazdnyInterval());
    EXPECT_EQ(db.ObdobiZpracovani(), QStringLiteral("01.02.2028 - 29.02.2028"));
    db.interval.endTime = MakeHourMinute(12, 0);
    EXPECT_EQ(db.FiltrTime(), QStringLiteral("CAS>='00:00' AND CAS<='12:00'"));

    // The texts are filters the event table understands; the unit and the
    // dates select here.
    addEvent(QDate(2028, 1, 31), QStringLiteral("05"), kNovak, QStringLiteral("00"));
    addEvent(QDate(2028, 2, 29), QStringLiteral("05"), kNovak, QStringLiteral("00"));
    addEvent(QDate(2028, 2, 29), QStringLiteral("06"), kNovak, QStringLiteral("00"));
    Table &e = db.tbEvents;
    ASSERT_TRUE(e.setFilterText(db.FiltrDate() + QStringLiteral(" AND ") + db.FiltrTime() +
                                QStringLiteral(" AND ") + db.FiltrHwj() + QStringLiteral(" AND ") +
                                db.FiltrKey()))
        << e.filterError().toStdString();
    e.setFiltered(true);
    EXPECT_EQ(e.recordCount(), 1);

    db.PrazdnyInterval();
    EXPECT_TRUE(db.JeprazdnyInterval());
    EXPECT_TRUE(db.FiltrDate().isEmpty());
}
