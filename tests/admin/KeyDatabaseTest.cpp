#include "admin/KeyDatabase.h"
#include "AdminSite.h"

using namespace vardex;
using namespace vardex::testing;

TEST(KeyDatabase, SearchMovesToTheNearestNameInCzechOrderAndTheOrderStaysByName)
{
    KeyHolderSite s;
    KeyDatabase keys(s.db, s.vx, s.files);
    const std::pair<const char *, const char *> cases[] = {
        {"C", "Cibulka Eva"}, {"Č", "Čermák Jan"},  {"Ch", "Chalupa Ivo"},
        {"H", "Hrubý Petr"},  {"I", "Chalupa Ivo"}, // ch sorts after h
        {"Z", "Chalupa Ivo"}, {"", "Adámek Aleš"}};
    for (const auto &[typed, lands] : cases) {
        keys.search(QString::fromUtf8(typed));
        EXPECT_EQ(s.current(), QString::fromUtf8(lands)) << typed;
    }
    QStringList walk;
    for (s.db.tbKey.first(); !s.db.tbKey.eof(); s.db.tbKey.next())
        walk << s.current();
    EXPECT_EQ(walk.join(u','), u"Adámek Aleš,Cibulka Eva,Čermák Jan,Hrubý Petr,Chalupa Ivo"_s);
}

TEST(KeyDatabase, PickListsHoldEachValueOnceInTableOrderAndLeaveTheTablesWhereTheyWere)
{
    KeyHolderSite s;
    AdminSite::fill(s.vx.tbPrs, u"PRACOVISTE"_s, {u"Sklad"_s, u"Dílna"_s});
    AdminSite::fill(s.vx.tbAcc, u"OPRAVNENI"_s, {u"Vrátní"_s},
                    {{u"P_AHW"_s, u"01"_s}, {u"P_MSK"_s, u"FF"_s}});
    s.vx.tbPrs.last();
    const Bookmark at = s.vx.tbPrs.bookmark();

    const KeyPickLists lists = KeyDatabase(s.db, s.vx, s.files).pickLists();
    EXPECT_EQ(lists.workplaces, QStringList({u"Dílna"_s, u"Sklad"_s}));
    EXPECT_EQ(lists.permissionGroups, QStringList{u"Vrátní"_s});
    EXPECT_EQ(s.vx.tbPrs.bookmark(), at);
}

TEST(KeyDatabase, ExportPostsAPendingEditFirstAndARefusedPostStopsIt)
{
    KeyHolderSite s;
    KeyDatabase keys(s.db, s.vx, s.files);
    Table &k = s.db.tbKey;
    ASSERT_TRUE(k.edit());
    k.setString(u"OSCIS"_s, u"101"_s); // Čermák's number
    EXPECT_FALSE(keys.exportKeys());
    EXPECT_TRUE(s.files.saveRequests().isEmpty()) << "no dialog after a refused post";
    EXPECT_EQ(k.state(), TableState::Edit);

    k.setString(u"OSCIS"_s, u"777"_s);
    s.files.choose(s.dir.file(u"KLICE.SDF"_s));
    EXPECT_TRUE(keys.exportKeys());
    EXPECT_EQ(k.state(), TableState::Browse);
    ASSERT_EQ(s.files.saveRequests().size(), 1);
    EXPECT_EQ(s.files.saveRequests()[0].initialName, u"KLICE.SDF"_s);
    QFile file(s.dir.file(u"KLICE.SDF"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("777"));
}

// Whatever enters a key number (the grid, the import), both key tables
// store it only as a unit reads it, or it could never match a read key.
TEST(KeyDatabase, KeyNumbersAreStoredAsAUnitReadsThemInBothKeyTables)
{
    KeyHolderSite s;
    const std::pair<const char *, const char *> cases[] = {
        {"0a00000000000b", "0A00000000000B"}, {"XYZ", nullptr}, {"00000000000000", nullptr}};
    const std::pair<Table *, QStringList> tables[] = {{&s.db.tbKey, {"JMENO", "OSCIS"}},
                                                      {&s.db.tbSKey, {"ZPRAVA", "ALARM"}}};
    for (const auto &[table, required] : tables) {
        for (const auto &[typed, stored] : cases) {
            SCOPED_TRACE(table->schema().file().toStdString() + " " + typed);
            s.messages.clear();
            ASSERT_TRUE(table->append());
            table->setString(u"CTM"_s, QLatin1String(typed));
            for (const QString &field : required)
                table->setString(field, u"N"_s);
            EXPECT_EQ(table->post(), stored != nullptr);
            if (stored) {
                EXPECT_EQ(table->asString(u"CTM"_s), QLatin1String(stored));
                continue;
            }
            EXPECT_EQ(table->state(), TableState::Insert) << "a refused post keeps the record";
            const QStringList errors = s.messages.texts(ScriptedMessages::Kind::Error);
            ASSERT_EQ(errors.size(), 1);
            EXPECT_TRUE(errors[0].contains(QLatin1String(typed))) << errors[0].toStdString();
            table->cancel();
        }
    }
}
