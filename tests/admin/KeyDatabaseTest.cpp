#include "admin/KeyDatabase.h"
#include "KeyHolderSite.h"

using namespace vardex;
using namespace vardex::testing;

TEST(KeyDatabase, SearchMovesToTheNearestNameInCzechOrderAndTheOrderStaysByName)
{
    KeyHolderSite s;
    KeyDatabase keys(s.db, s.vx, s.files);
    const struct
    {
        const char *typed;
        const char *lands;
    } cases[] = {
        {"C", "Cibulka Eva"}, {"Č", "Čermák Jan"},  {"Ch", "Chalupa Ivo"},
        {"H", "Hrubý Petr"},  {"I", "Chalupa Ivo"}, // ch sorts after h
        {"Z", "Chalupa Ivo"}, {"", "Adámek Aleš"},
    };
    for (const auto &c : cases) {
        keys.search(QString::fromUtf8(c.typed));
        EXPECT_EQ(s.current(), QString::fromUtf8(c.lands)) << c.typed;
    }
    QStringList walk;
    for (s.db.tbKey.first(); !s.db.tbKey.eof(); s.db.tbKey.next())
        walk << s.current();
    EXPECT_EQ(walk.join(u','),
              QStringLiteral("Adámek Aleš,Cibulka Eva,Čermák Jan,Hrubý Petr,Chalupa Ivo"));
}

TEST(KeyDatabase, PickListsHoldEachValueOnceInTableOrderAndLeaveTheTablesWhereTheyWere)
{
    KeyHolderSite s;
    KeyHolderSite::fill(s.vx.tbPrs, QStringLiteral("PRACOVISTE"),
                        {QStringLiteral("Sklad"), QStringLiteral("Dílna")});
    KeyHolderSite::fill(s.vx.tbAcc, QStringLiteral("OPRAVNENI"), {QStringLiteral("Vrátní")},
                        {{QStringLiteral("P_AHW"), QStringLiteral("01")},
                         {QStringLiteral("P_MSK"), QStringLiteral("FF")}});
    s.vx.tbPrs.last();
    const Bookmark at = s.vx.tbPrs.bookmark();

    const KeyPickLists lists = KeyDatabase(s.db, s.vx, s.files).pickLists();
    EXPECT_EQ(lists.workplaces, QStringList({QStringLiteral("Dílna"), QStringLiteral("Sklad")}));
    EXPECT_EQ(lists.permissionGroups, QStringList{QStringLiteral("Vrátní")});
    EXPECT_TRUE(lists.schedules.isEmpty());
    EXPECT_EQ(s.vx.tbPrs.bookmark(), at);
}

TEST(KeyDatabase, ExportPostsAPendingEditFirstAndARefusedPostStopsIt)
{
    KeyHolderSite s;
    KeyDatabase keys(s.db, s.vx, s.files);
    Table &k = s.db.tbKey;
    ASSERT_TRUE(k.edit());
    k.setString(QStringLiteral("OSCIS"), QStringLiteral("101")); // Čermák's number
    EXPECT_FALSE(keys.exportKeys());
    EXPECT_TRUE(s.files.saveRequests().isEmpty()) << "no dialog after a refused post";
    EXPECT_EQ(k.state(), TableState::Edit);

    k.setString(QStringLiteral("OSCIS"), QStringLiteral("777"));
    const QString path = s.dir.path() + QStringLiteral("/KLICE.SDF");
    s.files.choose(path);
    EXPECT_TRUE(keys.exportKeys());
    EXPECT_EQ(k.state(), TableState::Browse);
    ASSERT_EQ(s.files.saveRequests().size(), 1);
    EXPECT_EQ(s.files.saveRequests()[0].initialName, QStringLiteral("KLICE.SDF"));
    QFile file(path);
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
            table->setString(QStringLiteral("CTM"), QLatin1String(typed));
            for (const QString &field : required)
                table->setString(field, QStringLiteral("N"));
            if (stored) {
                EXPECT_TRUE(table->post());
                EXPECT_EQ(table->asString(QStringLiteral("CTM")), QLatin1String(stored));
                continue;
            }
            EXPECT_FALSE(table->post());
            EXPECT_EQ(table->state(), TableState::Insert) << "a refused post keeps the record";
            const QStringList errors = s.messages.texts(ScriptedMessages::Kind::Error);
            ASSERT_EQ(errors.size(), 1);
            EXPECT_TRUE(errors[0].contains(QLatin1String(typed))) << errors[0].toStdString();
            table->cancel();
        }
    }
}
