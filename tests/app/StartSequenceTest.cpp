#include "app/Application.h"
#include "platform/Clock.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace vardex;
using namespace Qt::StringLiterals;
using vardex::testing::ScriptedMessages;

namespace {

struct Site
{
    vardex::testing::TempDir dir;
    ScriptedMessages messages;
    vardex::testing::ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};

    std::unique_ptr<Application> make(const QString &home)
    {
        return std::make_unique<Application>(dir.path(), home, messages, files, clock);
    }
    std::unique_ptr<Application> make() { return make(dir.path() + u'/'); }
};

// An application after a good start, its messages cleared.
class Started : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(app->start(), StartOutcome::Started);
        site.messages.clear();
    }
    void addUnit(const char *addr, const char *typ, const char *pouziti)
    {
        Table &u = db.tbUni;
        ASSERT_TRUE(u.append());
        u.setString(u"ADRESA"_s, QLatin1String(addr));
        u.setString(u"NAZEV"_s, u"Jednotka "_s + QLatin1String(addr));
        u.setString(u"TYP"_s, QLatin1String(typ));
        u.setString(u"POUZITI"_s, QLatin1String(pouziti));
        ASSERT_TRUE(u.post()) << u.errorMessage().toStdString();
    }

    Site site;
    std::unique_ptr<Application> app = site.make();
    TDB0DM &db = app->db0;
};

} // namespace

TEST(StartSequence, FirstStartCreatesEveryFileAndTheOuterZone)
{
    Site site;
    auto app = site.make();
    ASSERT_EQ(app->start(), StartOutcome::Started)
        << site.messages.texts().join(u'|').toStdString();
    for (const QString &f : u"WKVRKEY.DB WKVRUNI.DB EVENTS.DB WKVRKEYX.DB WKVRCAS.DB WKVRACC.DB "
                            u"TABZON.DB TABOBJ.DB TABKEY.DB WKVRDCH.DB WKVRPRS.DB WKVRSME.DB "
                            u"WKVRVDCH.DB WKVRVDER.DB WKVRPOM.DB WKVRSVA.DB WKVRRPL.DB plan.db "
                            u"WKVRCFG.DBF VYSTUP"_s.split(u' '))
        EXPECT_TRUE(QFile::exists(site.dir.file(f))) << f.toStdString();
    // The outer zone exists from the first start on, as zone 1.
    EXPECT_EQ(app->obj.tbZony.recordCount(), 1);
    ASSERT_TRUE(app->obj.tbZony.first());
    EXPECT_EQ(app->obj.tbZony.asInt(u"ZONA"_s), 1);
    EXPECT_EQ(app->obj.tbZony.asString(u"NAZEV"_s), u"vnější zóna"_s);
}

TEST(StartSequence, ADamagedTableStopsTheStart)
{
    Site site;
    QFile bad(site.dir.file(u"EVENTS.DB"_s));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write(QByteArray(4096, 'x')) == 4096);
    bad.close();
    auto app = site.make();
    EXPECT_EQ(app->start(), StartOutcome::Failed);
    const QStringList errors = site.messages.texts(ScriptedMessages::Kind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(u"EVENTS.DB"_s)) << errors[0].toStdString();
    EXPECT_FALSE(app->started()); // so only "Konec" can be used
    // The tables opened before the damaged one are open and close at the end.
    EXPECT_TRUE(app->db0.tbKey.isOpen() && app->db0.tbUni.isOpen());
    app->quit();
    EXPECT_FALSE(app->db0.tbKey.isOpen());
}

TEST(StartSequence, APortThatFailsStopsTheStartBeforeAnyTableAndNoHomeEndsWithoutAMessage)
{
    Site site;
    auto app = site.make();
    bool closed = false;
    app->openPort = [](QString *error) {
        *error = u"Chyba při otevírání COM"_s;
        return false;
    };
    app->closePort = [&] { closed = true; };
    EXPECT_EQ(app->start(), StartOutcome::Failed);
    EXPECT_EQ(site.messages.texts(), QStringList{u"Chyba při otevírání COM"_s});
    EXPECT_FALSE(QFile::exists(site.dir.file(u"WKVRKEY.DB"_s)));
    app->quit();
    EXPECT_TRUE(closed);

    site.messages.clear();
    EXPECT_EQ(site.make(QString())->start(), StartOutcome::NoHome);
    EXPECT_TRUE(site.messages.shown().isEmpty());
}

TEST_F(Started, MenuFollowsUnitsAndTheSelectionKeepsTheCurrentUnit)
{
    addUnit("01", "01", "01"); // access unit with an external entrance
    addUnit("05", "02", "01");
    addUnit("07", "02", "01");
    ASSERT_TRUE(db.tbUni.findKey({u"05"_s}));
    app->PosouditMoznosti();
    EXPECT_EQ(db.selection().addresses, (QStringList{u"05"_s, u"07"_s}));
    EXPECT_EQ(db.selection().cursor, 1);
    EXPECT_EQ(db.tbUni.asString(u"ADRESA"_s), u"05"_s);
    EXPECT_TRUE(app->menu.isEnabled(u"DatabazeCasu"_s) && app->menu.isEnabled(u"StavJednotek"_s));
    EXPECT_FALSE(app->menu.isEnabled(u"SberDat"_s));

    // A type no unit has: count 0, cursor 1, current record unchanged.
    db.VsechnyJednotkyTypu(u"04"_s);
    EXPECT_EQ(db.selection().count(), 0);
    EXPECT_EQ(db.selection().cursor, 1);
    EXPECT_EQ(db.tbUni.asString(u"ADRESA"_s), u"05"_s);
}

TEST_F(Started, KeyTablesSpeakTheirOwnPostErrorsAndGiveNamesWithTitles)
{
    Table &s = db.tbSKey;
    auto addSearched = [&](const char *ctm, const char *msg) {
        EXPECT_TRUE(s.append());
        s.setString(u"CTM"_s, QLatin1String(ctm));
        s.setString(u"ZPRAVA"_s, QLatin1String(msg));
        s.setString(u"ALARM"_s, u"N"_s);
        return s.post();
    };
    EXPECT_TRUE(addSearched("0100000000000A", "hledany"));
    EXPECT_FALSE(addSearched("0100000000000A", "znovu"));
    EXPECT_EQ(s.state(), TableState::Browse); // the duplicate is cancelled
    EXPECT_FALSE(addSearched("0100000000000B", ""));
    EXPECT_EQ(s.state(), TableState::Insert); // the empty message stays to be filled
    s.cancel();
    EXPECT_EQ(site.messages.texts(), (QStringList{u"Duplicitní identifikační klíč"_s,
                                                  u"Musíte vyplnit všechny položky"_s}));

    EXPECT_FALSE(db.tbSKeyJeHledany(u"0100000000000A"_s));
    db.tbSKeyZapnoutVse();
    EXPECT_TRUE(db.tbSKeyJeHledany(u"0100000000000A"_s));
    db.tbSKeyVypnoutVse();
    EXPECT_FALSE(db.tbSKeyJeHledany(u"0100000000000A"_s));

    // A holder's name with titles, cut to the width asked. (Names found for
    // a key, and the search by name in Czech order, are the event lines' and
    // the key holders' tests.)
    Table &k = db.tbKey;
    ASSERT_TRUE(k.append());
    k.setString(u"CTM"_s, u"01000000000001"_s);
    k.setString(u"PTIT"_s, u"Ing."_s);
    k.setString(u"JMENO"_s, u"Čapek Karel"_s);
    k.setString(u"ZTIT"_s, u"CSc."_s);
    k.setString(u"OSCIS"_s, u"1"_s);
    ASSERT_TRUE(k.post()) << k.errorMessage().toStdString();
    ASSERT_TRUE(db.tbKeyExactCTM(u"01000000000001"_s));
    EXPECT_EQ(db.tbKeyJmenoTituly(0), u"Ing. Čapek Karel, CSc."_s);
    EXPECT_EQ(db.tbKeyJmenoTituly(30).size(), 30);
    EXPECT_EQ(db.tbKeyJmenoTituly(8), u"Ing. Čap"_s);
}
