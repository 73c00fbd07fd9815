#include "TableTestSchemas.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "tables/Table.h"
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

namespace {

// A plain connection to a table file, for looking at what is in it.
class RawFile
{
public:
    explicit RawFile(const QString &path) : m_name(QStringLiteral("raw-") + path)
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(path);
        EXPECT_TRUE(m_db.open());
    }
    ~RawFile()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    QList<QStringList> rows(const QString &sql)
    {
        QList<QStringList> out;
        QSqlQuery q(m_db);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        while (q.next()) {
            QStringList r;
            for (int i = 0; i < q.record().count(); ++i)
                r << q.value(i).toString();
            out << r;
        }
        return out;
    }
    bool exec(const QString &sql) { return QSqlQuery(m_db).exec(sql); }

private:
    QString m_name;
    QSqlDatabase m_db;
};

} // namespace

TEST(TableFile, MissingFileIsCreatedWithExactFieldsAndIndexes)
{
    TempDir dir;
    {
        Table t(eventSchema(), dir.path());
        ASSERT_TRUE(t.open()) << t.errorMessage().toStdString();
        EXPECT_TRUE(t.isEmpty());
        EXPECT_TRUE(t.eof());
        EXPECT_EQ(t.recordCount(), 0);
    }
    ASSERT_TRUE(QFile::exists(dir.file("WKVREVE.DB")));
    RawFile raw(dir.file("WKVREVE.DB"));

    // name, type, not null, primary key
    const QList<QStringList> expectedFields = {
        {"IdEve", "INTEGER", "0", "1"}, {"DATUM", "TEXT", "1", "0"}, {"CAS", "TEXT", "1", "0"},
        {"AHWJ", "TEXT", "1", "0"},     {"CTM", "TEXT", "1", "0"},   {"RES", "TEXT", "1", "0"},
        {"ORI", "INTEGER", "1", "0"}};
    QList<QStringList> fields;
    for (const QStringList &r : raw.rows("PRAGMA table_info(WKVREVE)"))
        fields << QStringList{r[1], r[2], r[3], r[5]};
    EXPECT_EQ(fields, expectedFields);

    // Indexes in their defined order, with uniqueness and each column's collation.
    const QList<QStringList> expectedIndexes = {
        {"WKVREVE_PK", "1", "IdEve:BINARY"},
        {"AhwjIndex", "0", "AHWJ:CZ_NOCASE"},
        {"DatIndex", "0", "DATUM:BINARY"},
        {"IndexCTMDATUMCAS", "0", "CTM:CZ_NOCASE,DATUM:BINARY,CAS:BINARY"}};
    QMap<QString, QString> unique;
    for (const QStringList &r : raw.rows("PRAGMA index_list(WKVREVE)"))
        unique[r[1]] = r[2];
    QList<QStringList> indexes;
    for (const QStringList &r :
         raw.rows("SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY rowid")) {
        QStringList cols;
        for (const QStringList &c :
             raw.rows(QStringLiteral("PRAGMA index_xinfo(\"%1\")").arg(r[0])))
            if (c[5] == "1") // key columns only
                cols << c[2] + ":" + c[4];
        indexes << QStringList{r[0], unique.value(r[0]), cols.join(",")};
    }
    EXPECT_EQ(indexes, expectedIndexes);
}

TEST(TableFile, BadFilesGiveCzechErrorsAtOpen)
{
    struct Case
    {
        const char *name;
        std::function<void(const QString &)> prepare;
        const char *expected;
    } cases[] = {
        {"garbage",
         [](const QString &path) {
             QFile f(path);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write(QByteArray(4096, 'x'));
         },
         "Tabulka WKVRKEY.DB je poškozená: "},
        {"missing field",
         [](const QString &path) {
             RawFile raw(path);
             ASSERT_TRUE(raw.exec("CREATE TABLE WKVRKEY (CTM TEXT, OSCIS TEXT, POCET INTEGER, "
                                  "SAZBA REAL, OD TEXT, SMENY BLOB, PORADI INTEGER)"));
         },
         "Tabulce WKVRKEY.DB chybí položka JMENO"},
        {"other table",
         [](const QString &path) {
             RawFile raw(path);
             ASSERT_TRUE(raw.exec("CREATE TABLE JINA (A TEXT)"));
         },
         "Tabulka WKVRKEY.DB je poškozená: chybí tabulka WKVRKEY"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        c.prepare(dir.file("WKVRKEY.DB"));
        Table t(keySchema(), dir.path());
        EXPECT_FALSE(t.open());
        EXPECT_FALSE(t.isOpen());
        EXPECT_TRUE(t.errorMessage().startsWith(QString::fromUtf8(c.expected)))
            << t.errorMessage().toStdString();
    }
}

TEST(TableFile, ExistingFileWithExtraFieldsOpensUnchanged)
{
    TempDir dir;
    {
        RawFile raw(dir.file("WKVRKEY.DB"));
        ASSERT_TRUE(raw.exec("CREATE TABLE WKVRKEY (NAVIC TEXT, CTM TEXT, JMENO TEXT, OSCIS TEXT, "
                             "POCET INTEGER, SAZBA REAL, OD TEXT, SMENY BLOB, PORADI INTEGER)"));
        ASSERT_TRUE(raw.exec("INSERT INTO WKVRKEY (NAVIC, CTM, JMENO) VALUES ('x', 'A1', 'Jan')"));
    }
    Table t(keySchema(), dir.path());
    ASSERT_TRUE(t.open()) << t.errorMessage().toStdString();
    EXPECT_EQ(t.asString("JMENO"), "Jan");
}

TEST(TableFile, AFileHeldByAnotherProgramIsWaitedForThenRefusedNamingTheHolder)
{
    TempDir dir;
    {
        Table(keySchema(), dir.path()).open();
    }
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
    {
        Table t(keySchema(), dir.path());
        EXPECT_FALSE(t.open());
        EXPECT_EQ(t.errorMessage(),
                  QString::fromUtf8("Tabulka WKVRKEY.DB je používána jiným programem (proces %1)")
                      .arg(child));
    }
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
    const struct Case
    {
        const char *name;
        QString directory;
        const char *expected;
        rlim_t sizeLimit;
    } cases[] = {
        {"path too long", dir.file(QString(300, u'x')),
         "Tabulku WKVRKEY.DB nelze otevřít, cesta je příliš dlouhá: ", 0},
        {"no folder", dir.file("nic"), "Tabulku WKVRKEY.DB nelze otevřít, adresář neexistuje: ", 0},
        {"read-only folder", readOnly,
         "Tabulku WKVRKEY.DB nelze vytvořit, do adresáře nelze zapisovat: ", 0},
        {"full disk", dir.path(), "Tabulku WKVRKEY.DB nelze zapsat, disk je plný: ", 1024},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (geteuid() == 0 && c.directory == readOnly)
            continue; // permissions do not hold the superuser back
        Table t(keySchema(), c.directory);
        {
            std::optional<FileSizeLimit> full;
            if (c.sizeLimit)
                full.emplace(c.sizeLimit);
            EXPECT_FALSE(t.open());
        }
        EXPECT_TRUE(t.errorMessage().startsWith(QString::fromUtf8(c.expected)))
            << t.errorMessage().toStdString();
        EXPECT_FALSE(QFile::exists(t.filePath()));
    }
    QFile::setPermissions(readOnly,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(TableFile, CursorsOfOneProgramShareUnlessExclusive)
{
    TempDir dir;
    Table a(keySchema(), dir.path()), b(keySchema(), dir.path()), x(keySchema(), dir.path());
    x.setExclusive(true);
    ASSERT_TRUE(a.open());
    ASSERT_TRUE(b.open());
    EXPECT_FALSE(x.open());
    a.close();
    b.close();
    EXPECT_TRUE(x.open());
    EXPECT_FALSE(a.open());
    x.close();
    EXPECT_TRUE(a.open());
    EXPECT_EQ(QSqlDatabase::connectionNames().size(), 1);
}

TEST(TableFile, IndexAddedAndDeletedAtRunTimeOnlyWhenExclusive)
{
    TempDir dir;
    const IndexDef added{"NewIndex", "DATUM;CAS", false, false, true};
    {
        Table shared(eventSchema(), dir.path());
        ASSERT_TRUE(shared.open());
        EXPECT_FALSE(shared.addIndex(added));
    }
    Table t(eventSchema(), dir.path());
    t.setExclusive(true);
    ASSERT_TRUE(t.open());
    for (const char *date : {"2026-03-02", "2026-03-01"}) {
        t.insert();
        t.setText("DATUM", date);
        t.setText("CAS", "10:00");
        t.setString("AHWJ", "01");
        t.setString("CTM", "00000000000000");
        t.setString("RES", "80");
        t.setBool("ORI", true);
        ASSERT_TRUE(t.post()) << t.errorMessage().toStdString();
    }
    ASSERT_TRUE(t.addIndex(added)) << t.errorMessage().toStdString();
    EXPECT_FALSE(t.addIndex(added)); // already there
    ASSERT_TRUE(t.setIndex("NewIndex"));
    t.first();
    EXPECT_EQ(t.asDate("DATUM"), QDate(2026, 3, 1));
    ASSERT_TRUE(t.deleteIndex("NewIndex")) << t.errorMessage().toStdString();
    EXPECT_EQ(t.indexName(), "");
    EXPECT_FALSE(t.setIndex("NewIndex"));
    t.close();
    RawFile raw(dir.file("WKVREVE.DB"));
    EXPECT_TRUE(raw.rows("SELECT name FROM sqlite_master WHERE name = 'NewIndex'").isEmpty());
}
