#include "TableTestSchemas.h"
#include "support/TempDir.h"
#include "tables/Table.h"
#include "tables/Transaction.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

using namespace vardex;
using namespace vardex::testing;

namespace {

bool addHolder(Table &t, const QString &ctm, const QString &name, const QString &oscis = {})
{
    if (!t.insert())
        return false;
    t.setString("CTM", ctm);
    t.setString("JMENO", name);
    t.setString("OSCIS", oscis);
    return t.post();
}

bool addEvent(Table &t, int i)
{
    t.insert();
    t.setDate("DATUM", QDate(2026, 1, 1).addDays(i % 365));
    t.setTime("CAS", QTime(8, 0).addSecs(i));
    t.setString("AHWJ", "01");
    t.setString("CTM", "00000000000000");
    t.setString("RES", "80");
    t.setBool("ORI", false);
    return t.post();
}

} // namespace

class HolderPost : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(t.open());
        ASSERT_TRUE(addHolder(t, "K1", "Novák", "100"));
    }
    TempDir dir;
    Table t{keySchema(), dir.path()};
};

TEST_F(HolderPost, ErrorsCarryCodeAndMessageAndKeepTheRecordEditable)
{
    const struct Case
    {
        const char *name, *ctm, *jmeno, *oscis;
        int code;
        const char *message;
    } cases[] = {
        {"primary key", "K1", "Dvořák", "200", PostError::KeyViolation,
         "Duplicitní hodnota v primárním indexu tabulky WKVRKEY.DB: K1"},
        {"unique index", "K2", "Dvořák", "100", PostError::KeyViolation,
         "Duplicitní hodnota v indexu OscisIndex tabulky WKVRKEY.DB: 100"},
        {"required", "K2", "", "200", PostError::RequiredField, "Chybí povinný údaj: JMENO"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(addHolder(t, c.ctm, QString::fromUtf8(c.jmeno), c.oscis));
        EXPECT_EQ(t.errorCode(), c.code);
        EXPECT_EQ(t.errorMessage(), QString::fromUtf8(c.message));
        EXPECT_EQ(t.state(), TableState::Insert);
        EXPECT_EQ(t.asString("CTM"), c.ctm);
        t.cancel();
        EXPECT_EQ(t.recordCount(), 1);
    }
    // An edit that breaks the key stays in edit state with its values.
    ASSERT_TRUE(addHolder(t, "K2", "Dvořák", "200"));
    ASSERT_TRUE(t.edit());
    t.setString("OSCIS", "100");
    EXPECT_FALSE(t.post());
    EXPECT_EQ(t.errorCode(), PostError::KeyViolation);
    EXPECT_EQ(t.state(), TableState::Edit);
    EXPECT_EQ(t.asString("OSCIS"), "100");
    t.cancel();
    EXPECT_EQ(t.asString("OSCIS"), "200");
}

TEST_F(HolderPost, HandlerAbandonsSilentlyOrCancels)
{
    QList<int> seen;
    t.onPostError = [&](Table &, int code, const QString &) {
        seen << code;
        return PostErrorAction::Abort;
    };
    EXPECT_FALSE(addHolder(t, "K1", "Dvořák"));
    EXPECT_EQ(seen, QList<int>({PostError::KeyViolation}));
    EXPECT_EQ(t.errorCode(), 0); // nothing left to report
    EXPECT_EQ(t.state(), TableState::Insert);
    EXPECT_EQ(t.asString("JMENO"), QString::fromUtf8("Dvořák"));
    t.setString("CTM", "K2"); // the operator corrects it and posts again
    EXPECT_TRUE(t.post());
    EXPECT_EQ(t.recordCount(), 2);

    // A handler may cancel the edit itself.
    t.onPostError = [](Table &table, int, const QString &) {
        table.cancel();
        return PostErrorAction::Abort;
    };
    EXPECT_FALSE(addHolder(t, "K1", "Dvořák"));
    EXPECT_EQ(t.state(), TableState::Browse);
    EXPECT_EQ(t.recordCount(), 2);
}

TEST_F(HolderPost, BeforeHandlersCanStopAndAfterInsertSetsDefaults)
{
    int posts = 0;
    t.beforePost = [&](Table &) { return ++posts > 1; };
    t.afterInsert = [](Table &table) { table.setInt("POCET", 5); };
    ASSERT_TRUE(t.insert());
    EXPECT_EQ(t.asInt("POCET"), 5);
    t.setString("CTM", "K2");
    t.setString("JMENO", "Jan");
    EXPECT_FALSE(t.post());
    EXPECT_EQ(t.state(), TableState::Insert);
    EXPECT_TRUE(t.post());
    t.beforeEdit = [](Table &) { return false; };
    EXPECT_FALSE(t.edit());
    EXPECT_EQ(t.state(), TableState::Browse);
}

TEST_F(HolderPost, ValuesRoundTripInTheirStoredForm)
{
    const QByteArray shifts = QByteArray::fromHex("00ff10203040506070");
    ASSERT_TRUE(t.edit());
    EXPECT_TRUE(t.setString("JMENO", QString::fromUtf8("Příliš žluťoučký kůň úpěl ďábelské")));
    t.setString("OSCIS", "1234567890123456");
    t.setInt("POCET", -42);
    t.setDouble("SAZBA", 12.5);
    t.setDateTime("OD", QDateTime(QDate(2026, 2, 28), QTime(23, 59, 58)));
    t.setBytes("SMENY", shifts);
    ASSERT_TRUE(t.post());
    t.close();
    ASSERT_TRUE(t.open());
    // Every String n keeps at most n characters.
    EXPECT_EQ(t.asString("JMENO"), QString::fromUtf8("Příliš žluťoučký kůň úpěl"));
    EXPECT_EQ(t.asString("OSCIS"), "123456789012");
    EXPECT_EQ(t.asInt("POCET"), -42);
    EXPECT_DOUBLE_EQ(t.asDouble("SAZBA"), 12.5);
    EXPECT_EQ(t.asDateTime("OD"), QDateTime(QDate(2026, 2, 28), QTime(23, 59, 58)));
    // Bytes n: exactly n bytes, padded with zeros or cut.
    EXPECT_EQ(t.asBytes("SMENY"), shifts + QByteArray(10, '\0'));
    ASSERT_TRUE(t.edit());
    t.setBytes("SMENY", QByteArray(25, '\x7f'));
    t.setNull("POCET");
    ASSERT_TRUE(t.post());
    EXPECT_EQ(t.asBytes("SMENY"), QByteArray(19, '\x7f'));
    EXPECT_TRUE(t.isNull("POCET"));
    // A counter that is not the primary key goes on after the highest value.
    ASSERT_TRUE(addHolder(t, "K2", "Jan"));
    ASSERT_TRUE(addHolder(t, "K3", "Eva"));
    EXPECT_EQ(t.asInt("PORADI"), 3);
}

TEST(TablePost, InsertedRecordIsCurrentAsTheFileHoldsIt)
{
    // The posted record is not read back: what the cursor shows must equal
    // what a fresh read of the file gives, for every kind of field.
    TempDir dir;
    Table holders(keySchema(), dir.path());
    Table events(eventSchema(), dir.path());
    ASSERT_TRUE(holders.open());
    ASSERT_TRUE(events.open());
    ASSERT_TRUE(addHolder(holders, "K1", "Novák", "100"));
    ASSERT_TRUE(holders.insert());
    holders.setString("CTM", "K2");
    holders.setString("JMENO", QString::fromUtf8("Příliš žluťoučký kůň úpěl ďábelské"));
    holders.setInt("POCET", 7);
    holders.setDouble("SAZBA", 3.0);
    holders.setDateTime("OD", QDateTime(QDate(2026, 2, 28), QTime(23, 59, 58)));
    holders.setBytes("SMENY", QByteArray("\x01\x02"));
    ASSERT_TRUE(holders.post());
    ASSERT_TRUE(addEvent(events, 1));
    events.insert();
    events.setInt("IdEve", 77);
    events.setDate("DATUM", QDate(2026, 3, 1));
    events.setTime("CAS", QTime(8, 0));
    events.setString("AHWJ", "01");
    events.setString("CTM", "00000000000000");
    events.setString("RES", "80");
    events.setBool("ORI", true);
    ASSERT_TRUE(events.post());
    for (Table *t : {&holders, &events}) {
        SCOPED_TRACE(t->schema().baseName.toStdString());
        const QVariantList posted = t->storedValues();
        t->refresh();
        EXPECT_EQ(posted, t->storedValues());
    }
    EXPECT_EQ(holders.asInt("PORADI"), 2);
    EXPECT_EQ(events.asInt("IdEve"), 77);
}

TEST(TableTransaction, PostsAreKeptOnlyOnCommit)
{
    TempDir dir;
    Table t(eventSchema(), dir.path()), other(eventSchema(), dir.path());
    ASSERT_TRUE(t.open());
    ASSERT_TRUE(other.open());
    auto add = [&](int i) { return addEvent(t, i); };
    {
        Transaction tx(t);
        ASSERT_TRUE(tx.active());
        for (int i = 0; i < 50; ++i)
            ASSERT_TRUE(add(i));
        other.refresh();
        EXPECT_EQ(other.recordCount(), 0); // nothing committed yet
    }                                      // rolled back
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_TRUE(t.isEmpty());
    {
        Transaction tx(t);
        for (int i = 0; i < 50; ++i)
            ASSERT_TRUE(add(i));
        ASSERT_TRUE(tx.commit());
    }
    other.refresh();
    EXPECT_EQ(other.recordCount(), 50);
    EXPECT_EQ(t.recordCount(), 50);
}

TEST(TableTransaction, CrashInTheMiddleLeavesTheTableAsBefore)
{
    for (bool hardAbort : {false, true}) {
        SCOPED_TRACE(hardAbort ? "abort" : "_exit");
        TempDir dir;
        {
            Table t(eventSchema(), dir.path());
            ASSERT_TRUE(t.open());
            ASSERT_TRUE(addEvent(t, 0));
        }
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Enough records that the engine writes pages before the end.
            Table t(eventSchema(), dir.path());
            if (!t.open() || !t.beginTransaction())
                _exit(2);
            for (int i = 1; i <= 30000; ++i)
                addEvent(t, i);
            if (hardAbort)
                abort();
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(hardAbort ? WIFSIGNALED(status) : WEXITSTATUS(status) == 0);
        Table t(eventSchema(), dir.path());
        ASSERT_TRUE(t.open()) << t.errorMessage().toStdString();
        EXPECT_EQ(t.recordCount(), 1);
        ASSERT_TRUE(addEvent(t, 1));
        EXPECT_EQ(t.recordCount(), 2);
        EXPECT_EQ(t.asInt("IdEve"), 2);
    }
}
