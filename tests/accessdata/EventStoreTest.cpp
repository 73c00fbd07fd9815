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
using vardex::testing::RawEvent;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

const QByteArray kNovakKey = QByteArray::fromHex("01112233445566");
const QString kNovak = QStringLiteral("01665544332211");
const QString kNoKey = QStringLiteral("00000000000000");
// How the port classifies a reply that arrived whole and right.
const ReplyClass kGood{0xAA, true, false};

// Novák's event at unit 05 (BCD day, month, hour, minute).
QByteArray novakAt05(quint8 day, quint8 month, quint8 hour, quint8 minute, quint8 result = 0)
{
    return eventReply(0x05, {{kNovakKey, minute, hour, day, month, result}});
}

// Sets the fields named to these values in a new record (else the current
// one), and posts it.
void add(Table &t, const char *fields, const QVariantList &values, bool append = true)
{
    ASSERT_TRUE(append ? t.append() : t.edit());
    const QStringList names = QString::fromLatin1(fields).split(u' ');
    for (qsizetype i = 0; i < names.size(); ++i)
        t.setValue(names[i], values[i]);
    ASSERT_TRUE(t.post()) << t.errorMessage().toStdString();
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
        ASSERT_TRUE(db.tbUniDefaultByType(1));
        add(db.tbUni, "ADRESA NAZEV POUZITI", {"05", "Vrátnice", "01"}, false);
        ASSERT_TRUE(db.tbUniDefaultByType(2));
        add(db.tbUni, "ADRESA NAZEV POUZITI", {"06", "Docházka", "01"}, false);
        add(db.tbKey, "CTM JMENO OSCIS", {kNovak, "Novák Jan", "1"});
        db.VsechnyJednotky();
        db.GetSelectedUnit();
    }

    void addEvent(const QDate &date, const QString &addr, const QString &ctm, const QString &res,
                  bool ori = true)
    {
        add(db.tbEvents, "DATUM CAS AHWJ CTM RES ORI", {date, QTime(8, 15), addr, ctm, res, ori});
    }
};

} // namespace

// The year follows today's date even when the date was recorded last year
// (a monitor started on New Year's Eve).
TEST_F(Site, ABlockIsStoredInOrderWithTheInferredYearAndLogged)
{
    clock.set(QDateTime(QDate(2026, 12, 31), QTime(23, 0)));
    db.DatumDnes();
    clock.set(QDateTime(QDate(2027, 1, 2), QTime(0, 5)));
    const EventBlockOutcome out = db.ZpracujBlokUdalosti(
        eventReply(0x05, {{kNovakKey, 0x59, 0x23, 0x31, 0x12, 0x10},
                          {QByteArray(7, '\0'), 0x00, 0x08, 0x02, 0x01, 0x38},
                          {kNovakKey, 0x00, 0x24, 0x02, 0x01, 0x00}}),
        kGood);
    EXPECT_TRUE(out.message.isEmpty());
    EXPECT_EQ(out.stored, 2);
    const QStringList expected = {
        "31.12.2026 23:59 Novák Jan Vrátnice,Dveře 0 / příchod,^ilegální     ",
        "02.01.2027 08:00  Vrátnice,Dveře 0,AKTIVOVÁNO"};
    EXPECT_EQ(out.log, expected + QStringList{"05 ABCDEF 02.01. 24:00 01665544332211 00 - "
                                              "chybné časové údaje!"});
    QStringList stored, keys;
    for (db.tbEvents.first(); !db.tbEvents.eof(); db.tbEvents.next()) {
        stored << db.tbEventsRadekUdalosti();
        keys << db.tbEvents.asString("CTM") + (db.tbEvents.asBool("ORI") ? "" : " added");
    }
    EXPECT_EQ(stored, expected);
    EXPECT_EQ(keys, QStringList({kNovak, kNoKey})); // from the unit, no key as zeros
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(Site, AReplyThatCannotBeUsedStoresNothing)
{
    const QByteArray block = novakAt05(0x02, 0x01, 0x08, 0x00);
    const QString at = QStringLiteral("02.01. 10:00:00 05 Vrátnice - ");
    const std::tuple<QByteArray, ReplyClass, QString> cases[] = {
        {QByteArray(), {0x01, false, false}, at + "Žádná odpověď"},
        {block, {0xC0, false, true}, at + "chyba Rx-CRC"},
        {QByteArray(1, '\x90'), {0x90, false, false}, at + "chyba: uzamčeno"},
        // A good sum with line noise behind it: the port does not acknowledge it.
        {block + "\1\1\1", {0xAA, false, false}, "05 ABCDEF  Nesprávná délka paketu: 264"},
    };
    for (const auto &[received, verdict, message] : cases) {
        const EventBlockOutcome out = db.ZpracujBlokUdalosti(received, verdict);
        EXPECT_EQ(out.kind, EventBlockOutcome::Kind::Unusable);
        EXPECT_EQ(out.message, message);
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
    const RawEvent e{kNovakKey, 0x00, 0x08, 0x02, 0x01, 0x00};
    const EventBlockOutcome out = db.ZpracujBlokUdalosti(eventReply(0x05, {e, e, e}), kGood);
    EXPECT_EQ(out.kind, EventBlockOutcome::Kind::StoreFailed);
    EXPECT_TRUE(out.message.startsWith("Události nebyly uloženy")) << out.message.toStdString();
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
    const QString message = QStringLiteral("Byl nalezen hledaný klíč!");
    add(db.tbSKey, "CTM ZPRAVA ALARM", {kNovak, message, "A"});
    add(db.tbSKey, "CTM ZPRAVA ALARM", {"01000000000099", message, "N"});
    // Each block its own (an identical one would be a repeat).
    auto block = [](quint8 hour) {
        return eventReply(0x05,
                          {{kNovakKey, 0x00, hour, 0x02, 0x01, 0x00},
                           {QByteArray::fromHex("01990000000000"), 0x01, hour, 0x02, 0x01, 0x00},
                           {kNovakKey, 0x02, hour, 0x02, 0x01, 0x00}});
    };
    EXPECT_EQ(db.ZpracujBlokUdalosti(block(0x07), kGood).stored, 3);
    EXPECT_TRUE(db.systemLog().lines().isEmpty());
    EXPECT_EQ(shown, 0);

    db.searchedKeyAlarm = true;
    EXPECT_EQ(db.ZpracujBlokUdalosti(block(0x08), kGood).stored, 3);
    const QString line = "02.01.2027 08:0%1 Novák Jan Vrátnice,Dveře 0 / příchod,povoleno      ";
    const QString found = message + ' ' + line;
    EXPECT_EQ(db.systemLog().lines(), (QStringList{found.arg(0), found.arg(2)}));
    EXPECT_EQ(shown, 1);
    // A single event stored on its own raises its alarm at once.
    db.systemLog().clear();
    db.udalost_dm = db.reply.record(1);
    EXPECT_EQ(db.UlozUdalost(2027), line.arg(0));
    EXPECT_EQ(db.systemLog().lines().size(), 1);
    EXPECT_EQ(shown, 2);
}

// Storing an event looks up the names of its key holder and unit for the
// log line; the lookup never moves, posts or cancels the records that a
// window shows or edits, nor changes their order.
TEST_F(Site, StoringAnEventLeavesTheWindowsCursorsAsTheyWere)
{
    Table &k = db.tbKey;
    add(k, "CTM JMENO OSCIS", {"01000000000001", "Adámek Petr", "2"});
    db.tbKeyApproxName(QStringLiteral("Adámek")); // the holders window searching by name
    quint8 hour = 0x06;
    for (const TableState state : {TableState::Browse, TableState::Edit, TableState::Insert}) {
        const Bookmark shown = k.bookmark();
        if (state == TableState::Edit) {
            ASSERT_TRUE(k.edit() && db.tbUni.edit());
            k.setString("JMENO", "Adámek Pavel");
            db.tbUni.setString("NAZEV", "Nová vrátnice");
        } else if (state == TableState::Insert) {
            ASSERT_TRUE(k.append()); // no key yet: a post would be refused
            k.setString("JMENO", "Zelený Jan");
        }
        const QString edited = k.asString("JMENO") + '|' + db.tbUni.asString("NAZEV");
        const EventBlockOutcome out = db.ZpracujBlokUdalosti(novakAt05(2, 1, hour++, 0), kGood);
        ASSERT_EQ(out.stored, 1);
        EXPECT_TRUE(out.log.value(0).contains("Novák Jan Vrátnice"))
            << out.log.value(0).toStdString();
        EXPECT_EQ(k.state(), state);
        EXPECT_EQ(db.tbUni.state(), state == TableState::Edit ? state : TableState::Browse);
        EXPECT_EQ(k.asString("JMENO") + '|' + db.tbUni.asString("NAZEV"), edited);
        EXPECT_EQ(k.orderFields(), "JMENO");
        if (state != TableState::Insert) {
            EXPECT_EQ(k.bookmark(), shown);
        }
        db.tbUni.cancel();
        k.cancel();
    }
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(Site, ResultCodesReadAsReaderResultsOrInputStates)
{
    // Unit, key, result code; the line after date and time, the result
    // column, what it counts as for attendance (-1 nothing).
    const std::tuple<const char *, QString, const char *, QString, QString, int> cases[] = {
        {"05", kNovak, "10", "Novák Jan Vrátnice,Dveře 0 / příchod,^ilegální     ",
         "Dveře 0 / příchod, ^ilegální     ", -1},
        {"05", kNoKey, "38", " Vrátnice,Dveře 0,AKTIVOVÁNO", "Dveře 0, AKTIVOVÁNO", -1},
        {"05", kNoKey, "1C", " Vrátnice,* NEOBSAZENO (4),01", "* NEOBSAZENO (4), 01", -1},
        // Without a key the result is the state even for a reader object.
        {"05", kNoKey, "00", " Vrátnice,Dveře 0 / příchod,klidový stav",
         "Dveře 0 / příchod, povoleno      ", 0x00},
        {"05", "01000000000042", "20",
         "Klíč: 01000000000042 Vrátnice,Dveře 0 / příchod,^neotevřeno   ",
         "Dveře 0 / příchod, ^neotevřeno   ", -1},
        {"06", kNovak, "04", "Novák Jan Docházka,Odchod,povoleno      ", "Odchod, povoleno      ",
         0x04},
        // An unknown unit: the event is shown all the same, without a message.
        {"07", kNovak, "10", "Novák Jan ?,", "", -1},
    };
    for (const auto &[addr, ctm, res, line, translated, counted] : cases) {
        SCOPED_TRACE(res);
        db.tbEvents.empty();
        addEvent(QDate(2027, 1, 2), addr, ctm, res);
        db.tbEvents.first();
        EXPECT_EQ(db.tbEventsRadekUdalosti(), "02.01.2027 08:15 " + line);
        EXPECT_EQ(db.tbEventsTranslateResult(true), translated);
        EXPECT_EQ(db.tbEventsTranslateResult(false), translated.section(", ", 0, 0));
        EXPECT_TRUE(messages.texts().isEmpty());
        const bool counts = db.tbEventsUdalostDochazky();
        EXPECT_EQ(counts ? int(db.udalost_dm.result) : -1, counted);
    }
    const EventRecord &r = db.udalost_dm;
    EXPECT_EQ(std::tuple(r.keyText(), r.time, r.date),
              std::tuple(kNovak, MakeHourMinute(8, 15), PackDayMonth(2, 1)));
    EXPECT_EQ(db.tbEventsTranHwj(), "?");
    // The lookups that name a unit or count an event do report one that does not exist.
    EXPECT_EQ(db.tbUniSensorName("07", "10"), "?");
    EXPECT_EQ(db.tbUniNameOf("07"), "?");
    EXPECT_EQ(messages.texts(), QStringList(3, "Neznámá jednotka: 07"));
    EXPECT_EQ(db.tbUniSensorName("05", "3B"), "Dveře 3");
    // Past the last object and the last result text.
    EXPECT_EQ(db.tbUniNazevSnimace(16), "?");
    EXPECT_EQ(db.tbUniGetVysl(4), "04");
}

// Doors count when the door (object bits 1-2) serves an outer entrance,
// barriers when the passage (bit 1) does, by direction 0 or 4; attendance
// units keep the code, and count not-opened only without relay; any other
// type counts as recorded. Illegal and not-opened never count at doors and
// barriers, nor input states anywhere.
TEST(AttendanceResult, DependsOnTypeUseMaskOutcomeAndObject)
{
    // Type, use mask, relay, result code; what it counts as, -1 for nothing.
    const std::tuple<quint8, quint8, quint8, quint8, int> cases[] = {
        {1, 0x01, 0, 0x00, 0x00}, {1, 0x01, 0, 0x01, 0x04}, {1, 0x01, 0, 0x31, 0x04},
        {1, 0x01, 0, 0x10, -1},   {1, 0x01, 0, 0x20, -1},   {1, 0x01, 0, 0x02, -1},
        {3, 0x08, 0, 0x07, 0x04}, {8, 0x04, 1, 0x05, 0x04}, {1, 0x0F, 0, 0x08, -1},
        {4, 0x02, 0, 0x03, 0x04}, {4, 0x02, 0, 0x00, -1},   {9, 0x01, 0, 0x01, 0x04},
        {9, 0x01, 0, 0x21, -1},   {2, 0x01, 0, 0x05, 0x05}, {2, 0x01, 0, 0x06, -1},
        {2, 0x01, 0, 0x11, -1},   {2, 0x01, 0, 0x21, 0x21}, {2, 0x01, 1, 0x21, -1},
        {2, 0x01, 1, 0x31, 0x31}, {2, 0x00, 0, 0x00, -1},   {0, 0x00, 0, 0x12, 0x12},
    };
    for (const auto &[typ, pouziti, rele, res, counted] : cases) {
        const std::optional<quint8> r =
            attendanceResult(UnitEvaluationData{typ, 0xFF, rele, pouziti}, res);
        EXPECT_EQ(r ? int(*r) : -1, counted)
            << "type " << int(typ) << " pouziti " << int(pouziti) << " rele " << int(rele)
            << " res " << std::hex << int(res);
    }
}

// Erasing takes the day itself too, and the filter is as it was; removing
// the events added by hand keeps those of the units.
TEST_F(Site, ErasingUpToADateAndRemovingAddedEvents)
{
    const std::pair<QDate, bool> events[] = {
        {QDate(2026, 11, 30), true}, {QDate(2026, 12, 1), true}, {QDate(2026, 12, 1), false},
        {QDate(2026, 12, 2), true},  {QDate(2027, 1, 2), false}, {QDate(2027, 1, 3), false}};
    for (const auto &[d, fromUnit] : events)
        addEvent(d, "05", kNovak, d.month() == 12 ? "10" : "00", fromUnit);
    Table &e = db.tbEvents;
    for (bool filtered : {false, true}) {
        ASSERT_TRUE(e.setFilterText("RES='10'"));
        e.setFiltered(filtered);
        const std::optional<qint64> erased = db.tbEventsEraseToDate(QDate(2026, 12, 1));
        ASSERT_TRUE(erased);
        EXPECT_EQ(*erased, filtered ? 0 : 3); // the second time there is nothing left
        EXPECT_EQ(e.filterText(), "RES='10'");
        EXPECT_EQ(e.filtered(), filtered);
        e.setFiltered(false);
        EXPECT_EQ(e.recordCount(), 3);
        e.first();
        EXPECT_EQ(e.asDate("DATUM"), QDate(2026, 12, 2));
    }
    ASSERT_TRUE(db.tbEventsVypustitPridaneUdalosti());
    ASSERT_EQ(e.recordCount(), 1);
    e.first();
    EXPECT_EQ(e.asDate("DATUM"), QDate(2026, 12, 2));
}

TEST_F(Site, FilterTextsSelectWhatTheIntervalAndChoicesSay)
{
    EXPECT_TRUE((db.FiltrKey() + db.FiltrHwj() + db.FiltrDate() + db.FiltrTime()).isEmpty());
    db.chosenKey = kNovak;
    db.selection().chosenAddress = QStringLiteral("05");
    EXPECT_EQ(db.FiltrKey(), "CTM='01665544332211'");

    clock.set(QDateTime(QDate(2028, 2, 10), QTime(9, 0)));
    db.TentoMesic();
    EXPECT_FALSE(db.JeprazdnyInterval());
    EXPECT_EQ(db.ObdobiZpracovani(), "01.02.2028 - 29.02.2028");
    db.interval.endTime = MakeHourMinute(12, 0);
    EXPECT_EQ(db.FiltrTime(), "CAS>='00:00' AND CAS<='12:00'");

    // The texts are filters the event table understands; the unit and the
    // dates select here.
    addEvent(QDate(2028, 1, 31), "05", kNovak, "00");
    addEvent(QDate(2028, 2, 29), "05", kNovak, "00");
    addEvent(QDate(2028, 2, 29), "06", kNovak, "00");
    Table &e = db.tbEvents;
    const QStringList parts = {db.FiltrDate(), db.FiltrTime(), db.FiltrHwj(), db.FiltrKey()};
    ASSERT_TRUE(e.setFilterText(parts.join(QStringLiteral(" AND "))))
        << e.filterError().toStdString();
    e.setFiltered(true);
    EXPECT_EQ(e.recordCount(), 1);

    db.PrazdnyInterval();
    EXPECT_TRUE(db.JeprazdnyInterval());
    EXPECT_TRUE(db.FiltrDate().isEmpty());
}
