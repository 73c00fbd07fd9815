#include "TableTestData.h"
#include "tables/Transaction.h"

#include <QSqlDatabase>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

using namespace vardex;
using namespace vardex::testing;

class HolderPost : public KeyTable
{
protected:
    void SetUp() override
    {
        KeyTable::SetUp();
        ASSERT_TRUE(addHolder(t, "K1", "Novák", "100"));
    }
};

TEST_F(HolderPost, ErrorsCarryCodeAndMessageAndKeepTheRecordEditable)
{
    const std::tuple<const char *, const char *, const char *, int, const char *> cases[] = {
        {"K1", "Dvořák", "200", PostError::KeyViolation,
         "Duplicitní hodnota v primárním indexu tabulky WKVRKEY.DB: K1"},
        {"K2", "Dvořák", "100", PostError::KeyViolation,
         "Duplicitní hodnota v indexu OscisIndex tabulky WKVRKEY.DB: 100"},
        {"K2", "", "200", PostError::RequiredField, "Chybí povinný údaj: JMENO"},
    };
    for (const auto &[ctm, jmeno, oscis, code, message] : cases) {
        SCOPED_TRACE(message);
        EXPECT_FALSE(addHolder(t, ctm, QString::fromUtf8(jmeno), oscis));
        EXPECT_EQ(t.errorCode(), code);
        EXPECT_EQ(t.errorMessage(), QString::fromUtf8(message));
        EXPECT_EQ(t.state(), TableState::Insert);
        EXPECT_EQ(t.asString("CTM"), ctm);
        t.cancel();
        EXPECT_EQ(t.recordCount(), 1);
    }
    // An edit that breaks the key stays in edit state with its values.
    ASSERT_TRUE(addHolder(t, "K2", "Dvořák", "200") && t.edit() && t.setString("OSCIS", "100"));
    EXPECT_FALSE(t.post());
    EXPECT_EQ(t.errorCode(), PostError::KeyViolation);
    EXPECT_EQ(t.state(), TableState::Edit);
    EXPECT_EQ(t.asString("OSCIS"), "100");
    t.cancel();
    EXPECT_EQ(t.asString("OSCIS"), "200");
}

TEST_F(HolderPost, HandlersAbandonSilentlyCancelOrStop)
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
    EXPECT_TRUE(t.setString("CTM", "K2") && t.post()); // the operator corrects it, posts again
    EXPECT_EQ(t.recordCount(), 2);
    // A handler may cancel the edit itself.
    t.onPostError = [](Table &table, int, const QString &) {
        table.cancel();
        return PostErrorAction::Abort;
    };
    EXPECT_FALSE(addHolder(t, "K1", "Dvořák"));
    EXPECT_EQ(t.state(), TableState::Browse);
    EXPECT_EQ(t.recordCount(), 2);
    // A before-handler can stop a post; the record stays being edited.
    int posts = 0;
    t.beforePost = [&](Table &) { return ++posts > 1; };
    ASSERT_TRUE(t.insert() && t.setString("CTM", "K3") && t.setString("JMENO", "Jan"));
    EXPECT_FALSE(t.post());
    EXPECT_EQ(t.state(), TableState::Insert);
    EXPECT_TRUE(t.post());
}

TEST_F(HolderPost, ValuesRoundTripInTheirStoredForm)
{
    const QByteArray shifts = QByteArray::fromHex("00ff10203040506070");
    ASSERT_TRUE(t.edit() &&
                t.setString("JMENO", QString::fromUtf8("Příliš žluťoučký kůň úpěl ďábelské")) &&
                t.setString("OSCIS", "1234567890123456") && t.setInt("POCET", -42) &&
                t.setDouble("SAZBA", 12.5) &&
                t.setDateTime("OD", QDateTime(QDate(2026, 2, 28), QTime(23, 59, 58))) &&
                t.setBytes("SMENY", shifts) && t.post());
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
    ASSERT_TRUE(t.edit() && t.setBytes("SMENY", QByteArray(25, '\x7f')) && t.setNull("POCET") &&
                t.post());
    EXPECT_EQ(t.asBytes("SMENY"), QByteArray(19, '\x7f'));
    EXPECT_TRUE(t.isNull("POCET"));
}

// The posted record is not read back: what the cursor shows must equal what a fresh read of
// the file gives, for every kind of field.
TEST_F(HolderPost, InsertedRecordIsCurrentAsTheFileHoldsIt)
{
    Table events(eventSchema(), dir.path());
    ASSERT_TRUE(events.open());
    ASSERT_TRUE(t.insert() && t.setString("CTM", "K2") &&
                t.setString("JMENO", QString::fromUtf8("Příliš žluťoučký kůň úpěl ďábelské")) &&
                t.setInt("POCET", 7) && t.setDouble("SAZBA", 3.0) &&
                t.setDateTime("OD", QDateTime(QDate(2026, 2, 28), QTime(23, 59, 58))) &&
                t.setBytes("SMENY", QByteArray("\x01\x02")) && t.post());
    ASSERT_TRUE(addEvent(events, QDate(2026, 1, 2)));
    events.afterInsert = [](Table &e) { e.setInt("IdEve", 77); };
    ASSERT_TRUE(addEvent(events, QDate(2026, 3, 1), QTime(8, 0)));
    for (Table *table : {&t, &events}) {
        SCOPED_TRACE(table->schema().baseName.toStdString());
        const QVariantList posted = table->storedValues();
        table->refresh();
        EXPECT_EQ(posted, table->storedValues());
    }
    EXPECT_EQ(t.asInt("PORADI"), 2); // a counter that is not the primary key goes on
    EXPECT_EQ(events.asInt("IdEve"), 77);
}

TEST(TableTransaction, PostsAreKeptOnlyOnCommit)
{
    TempDir dir;
    Table t(eventSchema(), dir.path()), other(eventSchema(), dir.path());
    ASSERT_TRUE(t.open());
    ASSERT_TRUE(other.open());
    for (const bool commit : {false, true}) {
        {
            Transaction tx(t);
            ASSERT_TRUE(tx.active());
            for (int i = 0; i < 50; ++i)
                ASSERT_TRUE(addEvent(t, QDate(2026, 1, 1).addDays(i)));
            other.refresh();
            EXPECT_EQ(other.recordCount(), 0); // nothing committed yet
            if (commit) {
                ASSERT_TRUE(tx.commit());
            }
        } // else rolled back here
        other.refresh();
        EXPECT_EQ(other.recordCount(), commit ? 50 : 0);
        EXPECT_EQ(t.recordCount(), commit ? 50 : 0);
        EXPECT_EQ(t.isEmpty(), !commit);
    }
    // Cursors of one program share the file; a closed one leaves no connection behind.
    other.close();
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), 1);
}

TEST(TableTransaction, CrashInTheMiddleLeavesTheTableAsBefore)
{
    TempDir dir;
    {
        Table t(eventSchema(), dir.path());
        ASSERT_TRUE(t.open());
        ASSERT_TRUE(addEvent(t, QDate(2026, 1, 1)));
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Enough records that the engine writes pages before the end.
        Table t(eventSchema(), dir.path());
        if (!t.open() || !t.beginTransaction())
            _exit(2);
        for (int i = 1; i <= 30000; ++i)
            addEvent(t, QDate(2026, 1, 1), QTime(8, 0).addSecs(i));
        abort();
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    Table t(eventSchema(), dir.path());
    ASSERT_TRUE(t.open()) << t.errorMessage().toStdString();
    EXPECT_EQ(t.recordCount(), 1);
    ASSERT_TRUE(addEvent(t, QDate(2026, 1, 2)));
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_EQ(t.asInt("IdEve"), 2);
}
