#include "accessdata/TDB0DM.h"
#include "platform/Clock.h"
#include "support/KeyTableLine.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "text/Cp1250.h"

#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::CmdResult;
using vardex::testing::keyTableLine;
using vardex::testing::runVardex;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;

namespace {

// Key holders written straight into the site's key table; values in field
// order (CTM, PTIT, JMENO, ZTIT, OSCIS, PRACOVISTE, OPRAVNENI, ROZPIS, ...).
void addHolders(const QString &dir, const QList<QStringList> &holders)
{
    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db(dir, messages, clock);
    ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
    for (const QStringList &values : holders) {
        ASSERT_TRUE(db.tbKey.append());
        for (int i = 0; i < values.size(); ++i)
            if (!values[i].isEmpty())
                db.tbKey.setString(db.tbKey.schema().fields[i].name, values[i]);
        ASSERT_TRUE(db.tbKey.post()) << db.tbKey.errorMessage().toStdString();
    }
}

// The holders' keys here are "010000000000" and two digits.
QString key(const char *tail)
{
    return QStringLiteral("010000000000") + QLatin1String(tail);
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Runs with the process in `dir`, as after "-C DIR", and goes back.
CmdResult runIn(const QString &dir, const QStringList &args)
{
    const QString before = QDir::currentPath();
    EXPECT_TRUE(QDir::setCurrent(dir));
    const CmdResult r = runVardex(args, dir);
    QDir::setCurrent(before);
    return r;
}

const QString kList =
    QStringLiteral("0100000000000A Ing. Šťastný Řehoř, CSc.       7            Dílna             "
                   "Vše               Ranní\n"
                   "0200000000000B Novák                          100\n");

} // namespace

TEST(KeysCommand, ExportThenImportIntoAnotherSiteListsTheSame)
{
    TempDir from, to;
    addHolders(from.path(),
               {{"0200000000000B", {}, "Novák", {}, "100"},
                {"0100000000000A", "Ing.", "Šťastný Řehoř", "CSc.", "7", "Dílna", "Vše", "Ranní"}});
    // A relative file name is taken from the current directory.
    const CmdResult exported = runIn(from.path(), {"keys", "export", "KLICE.SDF"});
    EXPECT_EQ(exported.status, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out, QStringLiteral("Exportováno klíčů: 2\n"));

    const CmdResult imported =
        runVardex({"keys", "import", from.file("KLICE.SDF"), "--replace"}, to.path());
    EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, QStringLiteral("Importováno klíčů: 2\n"));
    EXPECT_EQ(runVardex({"keys"}, to.path()).out, kList);
}

TEST(KeysCommand, ImportReportsEveryLineLeftOutAndReplacesAllOrNothing)
{
    struct Case
    {
        const char *what;
        QByteArray file;
        bool replace;
        int status;
        QString out;
        QStringList err;  // the numbers of the lines reported on standard error
        QStringList keys; // the first column of `vardex keys` afterwards
    };
    const QByteArray novak = keyTableLine(key("01"), "Novák", "100");
    const QByteArray dvorak = keyTableLine(key("02"), "Dvořák", "200");
    QByteArray crOnly = dvorak + keyTableLine(key("03"), "Černý", "300");
    crOnly.replace("\r\n", "\r");
    const Case cases[] = {
        {"added to the old records", dvorak, false, 0, "Importováno klíčů: 1\n", {}, {"01", "02"}},
        {"a bad line, a repeated key and a bad key number are left out",
         dvorak + "bez konce\r\n" + novak + Cp1250Codec().encode(u"   03         Černý").bytes +
             "\r\n" + keyTableLine("xyz", "Černý", "300"),
         false,
         1,
         "Importováno klíčů: 1\n",
         {"řádek 2", "řádek 3", "řádek 4", "řádek 5"},
         {"01", "02"}},
        {"--replace empties the table first",
         keyTableLine(key("01"), "Nováková", "101") + dvorak,
         true,
         0,
         "Importováno klíčů: 2\n",
         {},
         {"01", "02"}},
        {"--replace with a refused record changes nothing",
         dvorak + dvorak,
         true,
         1,
         "",
         {"řádek 2"},
         {"01"}},
        {"--replace with a file of CR line ends changes nothing",
         crOnly,
         true,
         1,
         "",
         {"řádek 1"},
         {"01"}},
        {"--replace with a binary file changes nothing",
         QByteArray("\x00\x01\xFF#\n\x89PNG", 9),
         true,
         1,
         "",
         {"řádek 1", "řádek 2"},
         {"01"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        addHolders(dir.path(), {{key("01"), {}, "Novák", {}, "100"}});
        writeBytes(dir.file("KLICE.SDF"), c.file);
        QStringList args{"keys", "import", dir.file("KLICE.SDF")};
        if (c.replace)
            args << "--replace";
        const CmdResult r = runVardex(args, dir.path());
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, c.out);
        // (The first start of a site also reports the output directory it made.)
        QStringList reported;
        for (const QString &line : r.err.split(u'\n'))
            if (line.startsWith(QStringLiteral("řádek ")))
                reported << line.section(u':', 0, 0);
        EXPECT_EQ(reported, c.err) << r.err.toStdString();
        QStringList keys;
        for (const QString &line : runVardex({"keys"}, dir.path()).out.split(u'\n'))
            if (!line.isEmpty())
                keys << line.section(u' ', 0, 0).right(2);
        EXPECT_EQ(keys, c.keys);
    }
}

TEST(KeysCommand, WrongArgumentsAndUnreadableFiles)
{
    TempDir dir;
    addHolders(dir.path(), {{key("01"), {}, "Novák", {}, "100"}});
    const QList<QStringList> wrong = {
        {"keys", "navíc"},
        {"keys", "export"},
        {"keys", "export", "a.SDF", "b.SDF"},
        {"keys", "import"},
        {"keys", "import", "--replace"},
        {"keys", "import", "a.SDF", "--force"},
    };
    for (const QStringList &args : wrong) {
        const CmdResult r = runVardex(args, dir.path());
        EXPECT_EQ(r.status, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("Použití: vardex keys")));
    }

    const CmdResult missing =
        runVardex({"keys", "import", dir.file("CHYBI.SDF"), "--replace"}, dir.path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(
        missing.err.endsWith(QStringLiteral("vardex keys import: Soubor nelze otevřít: %1\n")
                                 .arg(dir.file("CHYBI.SDF"))))
        << missing.err.toStdString();
    EXPECT_TRUE(runVardex({"keys"}, dir.path()).out.startsWith(key("01") + u' '));

    const CmdResult unwritable =
        runVardex({"keys", "export", dir.file("chybi/KLICE.SDF")}, dir.path());
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(
        unwritable.err.endsWith(QStringLiteral("vardex keys export: Soubor nelze otevřít: %1\n")
                                    .arg(dir.file("chybi/KLICE.SDF"))))
        << unwritable.err.toStdString();
}
