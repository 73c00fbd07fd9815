#include "app/Application.h"
#include "app/MenuItems.h"
#include "platform/Clock.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace vardex;
using vardex::testing::ScriptedFileChooser;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

const QStringList kTableFiles = {
    QStringLiteral("WKVRKEY.DB"),  QStringLiteral("WKVRUNI.DB"),  QStringLiteral("EVENTS.DB"),
    QStringLiteral("WKVRKEYX.DB"), QStringLiteral("WKVRCAS.DB"),  QStringLiteral("WKVRACC.DB"),
    QStringLiteral("TABZON.DB"),   QStringLiteral("TABOBJ.DB"),   QStringLiteral("TABKEY.DB"),
    QStringLiteral("WKVRDCH.DB"),  QStringLiteral("WKVRPRS.DB"),  QStringLiteral("WKVRSME.DB"),
    QStringLiteral("WKVRVDCH.DB"), QStringLiteral("WKVRVDER.DB"), QStringLiteral("WKVRPOM.DB"),
    QStringLiteral("WKVRSVA.DB"),  QStringLiteral("WKVRRPL.DB"),  QStringLiteral("plan.db"),
};

struct Site
{
    TempDir dir;
    ScriptedMessages messages;
    ScriptedFileChooser files;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};

    QString home() const { return dir.path() + QLatin1Char('/'); }
    std::unique_ptr<Application> make()
    {
        return std::make_unique<Application>(dir.path(), home(), messages, files, clock);
    }
};

void addUnit(Application &app, const char *addr, const char *typ, const char *pouziti)
{
    Table &u = app.db0.tbUni;
    ASSERT_TRUE(u.append());
    u.setString(QStringLiteral("ADRESA"), QLatin1String(addr));
    u.setString(QStringLiteral("NAZEV"), QStringLiteral("Jednotka ") + QLatin1String(addr));
    u.setString(QStringLiteral("TYP"), QLatin1String(typ));
    u.setString(QStringLiteral("POUZITI"), QLatin1String(pouziti));
    ASSERT_TRUE(u.post()) << u.errorMessage().toStdString();
}

} // namespace

TEST(StartSequence, FirstStartCreatesEveryFileAndEnablesTheDataFreeEntries)
{
    Site site;
    auto app = site.make();
    ASSERT_EQ(app->start(), StartOutcome::Started)
        << site.messages.texts().join(u'|').toStdString();
    for (const QString &f : kTableFiles)
        EXPECT_TRUE(QFile::exists(site.dir.file(f))) << f.toStdString();
    EXPECT_TRUE(QFile::exists(site.dir.file(QStringLiteral("WKVRCFG.DBF"))));
    EXPECT_TRUE(QDir(site.dir.file(QStringLiteral("VYSTUP"))).exists());
    EXPECT_EQ(site.messages.texts().size(), 1);

    QStringList enabled;
    for (const MenuItemDef &item : mainMenuItems())
        if (!item.name.isEmpty() && item.action != MenuAction::TopLevel &&
            app->menu.isEnabled(item.name))
            enabled << item.name;
    EXPECT_EQ(enabled,
              (QStringList{QStringLiteral("DatabazeJednotek"), QStringLiteral("DokumentaceSystemu"),
                           QStringLiteral("GrafickyMonitor1"), QStringLiteral("Databazerozpisu1"),
                           QStringLiteral("Svatky"), QStringLiteral("Doasntolerancenonsmny1"),
                           QStringLiteral("ParametryProgramu"), QStringLiteral("Napoveda"),
                           QStringLiteral("UcelProgramu"), QStringLiteral("Konec1")}));
    // The outer zone exists from the first start on, as zone 1.
    EXPECT_EQ(app->obj.tbZony.recordCount(), 1);
    ASSERT_TRUE(app->obj.tbZony.first());
    EXPECT_EQ(app->obj.tbZony.asInt(QStringLiteral("ZONA")), 1);
    EXPECT_EQ(app->obj.tbZony.asString(QStringLiteral("NAZEV")), QStringLiteral("vnější zóna"));
}

TEST(StartSequence, ADamagedTableStopsTheStartWithOnlyKonec)
{
    Site site;
    QFile bad(site.dir.file(QStringLiteral("EVENTS.DB")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(4096, 'x'));
    bad.close();
    auto app = site.make();
    EXPECT_EQ(app->start(), StartOutcome::Failed);
    ASSERT_EQ(site.messages.texts(ScriptedMessages::Kind::Error).size(), 1);
    EXPECT_TRUE(site.messages.texts(ScriptedMessages::Kind::Error)[0].contains(
        QStringLiteral("EVENTS.DB")));
    EXPECT_FALSE(app->started());
    for (const MenuItemDef &item : mainMenuItems()) {
        if (!item.name.isEmpty()) {
            EXPECT_EQ(app->menu.isUsable(item.name), item.name == QLatin1String("Konec1"))
                << item.name.toStdString();
        }
    }
    // The tables opened before the damaged one are open and close at the end.
    EXPECT_TRUE(app->db0.tbKey.isOpen());
    EXPECT_TRUE(app->db0.tbUni.isOpen());
    app->quit();
    EXPECT_FALSE(app->db0.tbKey.isOpen());
}

TEST(StartSequence, APortThatFailsStopsTheStartBeforeAnyTable)
{
    Site site;
    auto app = site.make();
    bool closed = false;
    app->openPort = [](QString *error) {
        *error = QStringLiteral("Chyba při otevírání COM");
        return false;
    };
    app->closePort = [&] { closed = true; };
    EXPECT_EQ(app->start(), StartOutcome::Failed);
    EXPECT_EQ(site.messages.texts(), QStringList{QStringLiteral("Chyba při otevírání COM")});
    EXPECT_FALSE(QFile::exists(site.dir.file(QStringLiteral("WKVRKEY.DB"))));
    app->quit();
    EXPECT_TRUE(closed);
}

TEST(StartSequence, NoHomeEndsWithoutAMessage)
{
    Site site;
    Application app(site.dir.path(), QString(), site.messages, site.files, site.clock);
    EXPECT_EQ(app.start(), StartOutcome::NoHome);
    EXPECT_TRUE(site.messages.shown().isEmpty());
}

TEST(StartSequence, MenuFollowsUnitsAndTheSelectionKeepsTheCurrentUnit)
{
    Site site;
    auto app = site.make();
    ASSERT_EQ(app->start(), StartOutcome::Started);
    addUnit(*app, "01", "01", "01"); // access unit with an external entrance
    addUnit(*app, "05", "02", "01");
    addUnit(*app, "07", "02", "01");
    ASSERT_TRUE(app->db0.tbUni.findKey({QStringLiteral("05")}));
    app->PosouditMoznosti();
    EXPECT_EQ(app->db0.selection().addresses,
              (QStringList{QStringLiteral("05"), QStringLiteral("07")}));
    EXPECT_EQ(app->db0.selection().cursor, 1);
    EXPECT_EQ(app->db0.tbUni.asString(QStringLiteral("ADRESA")), QStringLiteral("05"));
    EXPECT_TRUE(app->menu.isEnabled(QStringLiteral("DatabazeCasu")));
    EXPECT_TRUE(app->menu.isEnabled(QStringLiteral("StavJednotek")));
    EXPECT_FALSE(app->menu.isEnabled(QStringLiteral("SberDat")));

    // A type no unit has: count 0, cursor 1, current record unchanged.
    app->db0.VsechnyJednotkyTypu(QStringLiteral("04"));
    EXPECT_EQ(app->db0.selection().count(), 0);
    EXPECT_EQ(app->db0.selection().cursor, 1);
    EXPECT_EQ(app->db0.tbUni.asString(QStringLiteral("ADRESA")), QStringLiteral("05"));

    app->db0.VsechnyJednotky();
    app->db0.GetSelectedUnit();
    EXPECT_EQ(app->db0.selection().currentName, QStringLiteral("Jednotka 01"));
    app->db0.NextSelectedUnit();
    app->db0.NextSelectedUnit();
    app->db0.NextSelectedUnit(); // wraps to the first
    EXPECT_EQ(app->db0.selection().currentAddress, QStringLiteral("01"));
    EXPECT_EQ(app->db0.tbUni.asString(QStringLiteral("ADRESA")), QStringLiteral("01"));
}

TEST(StartSequence, PostErrorsSpeakTheTablesOwnTexts)
{
    Site site;
    auto app = site.make();
    ASSERT_EQ(app->start(), StartOutcome::Started);
    site.messages.clear();
    addUnit(*app, "01", "01", "00");
    Table &u = app->db0.tbUni;
    ASSERT_TRUE(u.append());
    u.setString(QStringLiteral("ADRESA"), QStringLiteral("01"));
    EXPECT_FALSE(u.post());
    EXPECT_EQ(u.state(), TableState::Insert);
    u.cancel();

    Table &s = app->db0.tbSKey;
    auto addSearched = [&](const char *ctm, const char *msg) {
        EXPECT_TRUE(s.append());
        s.setString(QStringLiteral("CTM"), QLatin1String(ctm));
        s.setString(QStringLiteral("ZPRAVA"), QLatin1String(msg));
        s.setString(QStringLiteral("ALARM"), QStringLiteral("N"));
        return s.post();
    };
    EXPECT_TRUE(addSearched("0100000000000A", "hledany"));
    EXPECT_FALSE(addSearched("0100000000000A", "znovu"));
    EXPECT_EQ(s.state(), TableState::Browse); // the duplicate is cancelled
    EXPECT_FALSE(addSearched("0100000000000B", ""));
    EXPECT_EQ(s.state(), TableState::Insert); // the empty message stays to be filled
    s.cancel();
    EXPECT_EQ(site.messages.texts(),
              (QStringList{QStringLiteral("Duplicitní adresa jednotky"),
                           QStringLiteral("Duplicitní identifikační klíč"),
                           QStringLiteral("Musíte vyplnit všechny položky")}));

    EXPECT_FALSE(app->db0.tbSKeyJeHledany(QStringLiteral("0100000000000A")));
    app->db0.tbSKeyZapnoutVse();
    EXPECT_TRUE(app->db0.tbSKeyJeHledany(QStringLiteral("0100000000000A")));
    app->db0.tbSKeyVypnoutVse();
    EXPECT_FALSE(app->db0.tbSKeyJeHledany(QStringLiteral("0100000000000A")));
}

TEST(StartSequence, KeyLookups)
{
    Site site;
    auto app = site.make();
    ASSERT_EQ(app->start(), StartOutcome::Started);
    Table &k = app->db0.tbKey;
    struct Holder
    {
        const char *ctm, *ptit, *jmeno, *ztit, *oscis;
    } holders[] = {{"01000000000001", "Ing.", "Čapek Karel", "CSc.", "1"},
                   {"01000000000002", "", "Czernin Jan", "", "2"},
                   {"01000000000003", "", "Chalupa Petr", "", "3"},
                   {"01000000000004", "", "Hudec Adam", "", "4"}};
    for (const Holder &h : holders) {
        ASSERT_TRUE(k.append());
        k.setString(QStringLiteral("CTM"), QLatin1String(h.ctm));
        k.setString(QStringLiteral("PTIT"), QString::fromUtf8(h.ptit));
        k.setString(QStringLiteral("JMENO"), QString::fromUtf8(h.jmeno));
        k.setString(QStringLiteral("ZTIT"), QString::fromUtf8(h.ztit));
        k.setString(QStringLiteral("OSCIS"), QLatin1String(h.oscis));
        ASSERT_TRUE(k.post()) << k.errorMessage().toStdString();
    }
    EXPECT_EQ(app->db0.tbKeyNameOfKey(QStringLiteral("00000000000000")), QString());
    EXPECT_EQ(app->db0.tbKeyNameOfKey(QStringLiteral("01000000000003")),
              QStringLiteral("Chalupa Petr"));
    EXPECT_EQ(app->db0.tbKeyNameOfKey(QStringLiteral("01000000000009")),
              QStringLiteral("Klíč: 01000000000009"));

    ASSERT_TRUE(app->db0.tbKeyExactCTM(QStringLiteral("01000000000001")));
    EXPECT_EQ(app->db0.tbKeyJmenoTituly(0), QStringLiteral("Ing. Čapek Karel, CSc."));
    EXPECT_EQ(app->db0.tbKeyJmenoTituly(30).size(), 30);
    EXPECT_EQ(app->db0.tbKeyJmenoTituly(8), QStringLiteral("Ing. Čap"));

    // Czech order: "Č" after "Cz", "Ch" after "H"; the order stays by name.
    app->db0.tbKeyApproxName(QStringLiteral("Cz"));
    EXPECT_EQ(k.asString(QStringLiteral("JMENO")), QStringLiteral("Czernin Jan"));
    app->db0.tbKeyApproxName(QStringLiteral("Czz"));
    EXPECT_EQ(k.asString(QStringLiteral("JMENO")), QStringLiteral("Čapek Karel"));
    app->db0.tbKeyApproxName(QStringLiteral("Hz"));
    EXPECT_EQ(k.asString(QStringLiteral("JMENO")), QStringLiteral("Chalupa Petr"));
    EXPECT_FALSE(k.next()); // Chalupa is the last name: Ch sorts after H
}
