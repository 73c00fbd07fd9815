#include "TableTestData.h"
#include "support/FileSizeLimit.h"
#include "tables/TableLock.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace vardex;
using namespace vardex::testing;

// Runs `sql` on a plain connection to a table file, beside the engine; each row as its
// values separated by blanks.
static QStringList raw(const QString &path, const QString &sql)
{
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "raw");
        db.setDatabaseName(path);
        QSqlQuery q(db);
        EXPECT_TRUE(db.open() && q.exec(sql)) << sql.toStdString();
        while (q.next()) {
            QStringList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << q.value(i).toString();
            out << row.join(u' ');
        }
    }
    QSqlDatabase::removeDatabase("raw");
    return out;
}

TEST(TableFile, MissingFileIsCreatedWithExactFieldsAndIndexes)
{
    TempDir dir;
    ASSERT_TRUE(Table(eventSchema(), dir.path()).open());
    // Fields: name, type, not null, primary key. Indexes in their defined order, with
    // uniqueness and each key column's collation.
    const QString path = dir.file("WKVREVE.DB");
    EXPECT_EQ(raw(path, "SELECT name, type, \"notnull\", pk FROM pragma_table_info('WKVREVE')"),
              QStringList({"IdEve INTEGER 0 1", "DATUM TEXT 1 0", "CAS TEXT 1 0", "AHWJ TEXT 1 0",
                           "CTM TEXT 1 0", "RES TEXT 1 0", "ORI INTEGER 1 0"}));
    EXPECT_EQ(raw(path, "SELECT i.name, i.\"unique\", group_concat(c.name || ':' || c.coll) "
                        "FROM sqlite_master m JOIN pragma_index_list('WKVREVE') i ON i.name = "
                        "m.name JOIN pragma_index_xinfo(i.name) c WHERE c.key "
                        "GROUP BY m.rowid ORDER BY m.rowid"),
              QStringList({"WKVREVE_PK 1 IdEve:BINARY", "AhwjIndex 0 AHWJ:CZ_NOCASE",
                           "DatIndex 0 DATUM:BINARY",
                           "IndexCTMDATUMCAS 0 CTM:CZ_NOCASE,DATUM:BINARY,CAS:BINARY"}));
}

TEST(TableFile, BadFilesGiveCzechErrorsAtOpenButExtraFieldsOpen)
{
    // The statement that makes the file, or none for a file of garbage.
    const std::pair<const char *, const char *> cases[] = {
        {nullptr, "Tabulka WKVRKEY.DB je poškozená: "},
        {"CREATE TABLE WKVRKEY (CTM TEXT, OSCIS TEXT, POCET INTEGER, SAZBA REAL, OD TEXT, "
         "SMENY BLOB, PORADI INTEGER)",
         "Tabulce WKVRKEY.DB chybí položka JMENO"},
        {"CREATE TABLE JINA (A TEXT)", "Tabulka WKVRKEY.DB je poškozená: chybí tabulka WKVRKEY"},
    };
    for (const auto &[sql, expected] : cases) {
        SCOPED_TRACE(expected);
        TempDir dir;
        const QString path = dir.file("WKVRKEY.DB");
        if (sql) {
            raw(path, sql);
        } else {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(QByteArray(4096, 'x')) == 4096);
        }
        Table t(keySchema(), dir.path());
        EXPECT_FALSE(t.open());
        EXPECT_FALSE(t.isOpen());
        EXPECT_TRUE(t.errorMessage().startsWith(QString::fromUtf8(expected)))
            << t.errorMessage().toStdString();
    }
    TempDir dir;
    raw(dir.file("WKVRKEY.DB"),
        "CREATE TABLE WKVRKEY (NAVIC TEXT, CTM TEXT, JMENO TEXT, OSCIS TEXT, "
        "POCET INTEGER, SAZBA REAL, OD TEXT, SMENY BLOB, PORADI INTEGER)");
    raw(dir.file("WKVRKEY.DB"),
        "INSERT INTO WKVRKEY (NAVIC, CTM, JMENO) VALUES ('x', 'A1', 'Jan')");
    Table t(keySchema(), dir.path());
    ASSERT_TRUE(t.open()) << t.errorMessage().toStdString();
    EXPECT_EQ(t.asString("JMENO"), "Jan");
}

TEST(TableFile, AFileHeldByAnotherProgramIsWaitedForThenRefusedNamingTheHolder)
{
    TempDir dir;
    Table(keySchema(), dir.path()).open();
    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Table t(keySchema(), dir.path());
        const char ok = t.open() ? '1' : '0';
        (void)!write(ready[1], &ok, 1);
        char c;
        (void)!read(done[0], &c, 1);
        _exit(0);
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    const int waitLimit = TableLock::waitLimitMs();
    TableLock::setWaitLimitMs(0);
    Table refused(keySchema(), dir.path());
    EXPECT_FALSE(refused.open());
    EXPECT_EQ(refused.errorMessage(),
              QString::fromUtf8("Tabulka WKVRKEY.DB je používána jiným programem (proces %1)")
                  .arg(child));
    TableLock::setWaitLimitMs(waitLimit);
    // The holder lets go while the next open waits for it.
    (void)!write(done[1], "x", 1);
    Table t(keySchema(), dir.path());
    EXPECT_TRUE(t.open()) << t.errorMessage().toStdString();
    int status = 0;
    waitpid(child, &status, 0);
    for (int fd : {ready[0], ready[1], done[0], done[1]})
        close(fd);
}

TEST(TableFile, OpenFailuresThatAreNotDamageSaySoAndLeaveNoFile)
{
    TempDir dir;
    const QString readOnly = dir.file("jen-pro-cteni");
    ASSERT_TRUE(QDir().mkdir(readOnly));
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const std::tuple<QString, const char *, rlim_t> cases[] = {
        {dir.file(QString(300, u'x')), "nelze otevřít, cesta je příliš dlouhá: ", 0},
        {dir.file("nic"), "nelze otevřít, adresář neexistuje: ", 0},
        {readOnly, "nelze vytvořit, do adresáře nelze zapisovat: ", 0},
        {dir.path(), "nelze zapsat, disk je plný: ", 1024},
    };
    for (const auto &[directory, expected, sizeLimit] : cases) {
        SCOPED_TRACE(expected);
        if (geteuid() == 0 && directory == readOnly)
            continue; // permissions do not hold the superuser back
        Table t(keySchema(), directory);
        {
            std::optional<FileSizeLimit> full;
            if (sizeLimit)
                full.emplace(sizeLimit);
            EXPECT_FALSE(t.open());
        }
        EXPECT_TRUE(t.errorMessage().startsWith(QString::fromUtf8("Tabulku WKVRKEY.DB ") +
                                                QString::fromUtf8(expected)))
            << t.errorMessage().toStdString();
        EXPECT_FALSE(QFile::exists(t.filePath()));
    }
    QFile::setPermissions(readOnly,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
