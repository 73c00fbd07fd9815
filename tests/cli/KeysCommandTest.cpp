#include "CliRun.h"
#include "support/KeyTableLine.h"
#include "text/Cp1250.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::CmdResult;
using vardex::testing::keyTableLine;
using vardex::testing::runVardex;
using vardex::testing::SiteTables;
using vardex::testing::TempDir;

namespace {

// Key holders written straight into the site's key table; values in field
// order (CTM, PTIT, JMENO, ZTIT, OSCIS, PRACOVISTE, OPRAVNENI, ROZPIS, ...).
void addHolders(const QString &dir, const QList<QStringList> &holders)
{
    SiteTables site(dir);
    Table &k = site.db.tbKey;
    for (const QStringList &values : holders) {
        ASSERT_TRUE(k.append());
        for (int i = 0; i < values.size(); ++i)
            if (!values[i].isEmpty())
                k.setString(k.schema().fields[i].name, values[i]);
        ASSERT_TRUE(k.post()) << k.errorMessage().toStdString();
    }
}

} // namespace

// The export and import themselves are the table file's tests.
TEST(KeysCommand, ListsEveryColumnAndExportsToANameFromTheCurrentDirectory)
{
    TempDir dir;
    addHolders(dir.path(),
               {{"0200000000000B", {}, "Novák", {}, "100"},
                {"0100000000000A", "Ing.", "Šťastný Řehoř", "CSc.", "7", "Dílna", "Vše", "Ranní"}});
    EXPECT_EQ(runVardex({"keys"}, dir.path()).out,
              QStringLiteral("0100000000000A Ing. Šťastný Řehoř, CSc.       7            Dílna    "
                             "         Vše               Ranní\n"
                             "0200000000000B Novák                          100\n"));
    // As after -C.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const CmdResult exported = runVardex({"keys", "export", "KLICE.SDF"}, dir.path());
    QDir::setCurrent(before);
    EXPECT_EQ(exported.status, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out, QStringLiteral("Exportováno klíčů: 2\n"));
    EXPECT_TRUE(QFile::exists(dir.file("KLICE.SDF")));
    // A file that cannot be written.
    const QString file = dir.file("chybi/KLICE.SDF");
    const CmdResult r = runVardex({"keys", "export", file}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        r.err.endsWith(QStringLiteral("vardex keys export: Soubor nelze otevřít: %1\n").arg(file)))
        << r.err.toStdString();
}

TEST(KeysCommand, ImportReportsEveryLineLeftOutAndReplacesAllOrNothing)
{
    const QByteArray dvorak = keyTableLine("01000000000002", "Dvořák", "200");
    const QByteArray badLines = dvorak + "bez konce\r\n" +
                                keyTableLine("01000000000001", "Novák", "100") +
                                Cp1250Codec().encode(u"   03         Černý").bytes + "\r\n" +
                                keyTableLine("xyz", "Černý", "300");
    QByteArray crOnly = dvorak + keyTableLine("01000000000003", "Černý", "300");
    crOnly.replace("\r\n", "\r");
    const QByteArray binary("\x00\x01\xFF#\n\x89PNG", 9);
    const QByteArray replacing = keyTableLine("01000000000001", "Nováková", "101") + dvorak;
    // The file (null: none), --replace, status, the records imported (-1: no
    // count), the lines reported on standard error, the keys listed after.
    using Case = std::tuple<const char *, QByteArray, bool, int, int, const char *, const char *>;
    const Case cases[] = {
        {"added", dvorak, false, 0, 1, "", "01 02"},
        {"bad lines, a repeated key, bad keys", badLines, false, 1, 1, "2 3 4 5", "01 02"},
        {"replaced", replacing, true, 0, 2, "", "01 02"},
        {"a refused record replaces nothing", dvorak + dvorak, true, 1, -1, "2", "01"},
        {"CR line ends replace nothing", crOnly, true, 1, -1, "1", "01"},
        {"a binary file replaces nothing", binary, true, 1, -1, "1 2", "01"},
        {"a missing file replaces nothing", {}, true, 1, -1, "", "01"},
    };
    for (const auto &[what, file, replace, status, imported, reported, keys] : cases) {
        SCOPED_TRACE(what);
        TempDir dir;
        addHolders(dir.path(), {{"01000000000001", {}, "Novák", {}, "100"}});
        QFile f(dir.file("KLICE.SDF"));
        ASSERT_TRUE(file.isNull() ||
                    (f.open(QIODevice::WriteOnly) && f.write(file) == file.size()));
        f.close();
        const CmdResult r = runVardex(QStringList{"keys", "import", dir.file("KLICE.SDF")} +
                                          QStringList(replace, "--replace"),
                                      dir.path());
        EXPECT_EQ(r.status, status);
        EXPECT_TRUE(!file.isNull() || r.err.contains(QStringLiteral("vardex keys import: Soubor "
                                                                    "nelze otevřít: ") +
                                                     dir.file("KLICE.SDF")))
            << r.err.toStdString();
        EXPECT_EQ(r.out, imported < 0 ? QString()
                                      : QStringLiteral("Importováno klíčů: %1\n").arg(imported));
        // (The first start of a site also reports the output directory it made.)
        QStringList lines;
        for (const QString &line : r.err.split(u'\n'))
            if (line.startsWith(QStringLiteral("řádek ")))
                lines << line.section(u':', 0, 0).mid(6);
        EXPECT_EQ(lines.join(u' '), QLatin1String(reported)) << r.err.toStdString();
        QStringList listed;
        for (const QString &line : runVardex({"keys"}, dir.path()).lines())
            listed << line.section(u' ', 0, 0).right(2);
        EXPECT_EQ(listed.join(u' '), QLatin1String(keys));
    }
}
