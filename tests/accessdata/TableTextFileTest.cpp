#include "accessdata/TableTextFile.h"
#include "accessdata/TDB0DM.h"
#include "accessdata/TableTextDialogs.h"
#include "platform/Clock.h"
#include "support/KeyTableLine.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "text/Cp1250.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vardex;
using vardex::testing::keyTableLine;
using vardex::testing::ScriptedFileChooser;
using vardex::testing::ScriptedMessages;
using vardex::testing::TempDir;
using Kind = ScriptedMessages::Kind;

namespace {

const QString kKeyFile = QStringLiteral("KLICE.SDF");

// The holders' keys here are "010000000000" and two digits that tell them
// apart.
QString key(const QString &tail)
{
    return "010000000000" + tail;
}

// Appends a record with these values of the fields named, and posts it.
bool add(Table &t, const char *fields, const QVariantList &values)
{
    if (!t.append())
        return false;
    const QStringList names = QString::fromLatin1(fields).split(u' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < names.size(); ++i)
        t.setValue(names[i], values[i]);
    return t.post();
}

// A site with the access-control tables open.
struct Site
{
    Site() { EXPECT_TRUE(db.OpenMinimalDatabases(nullptr)); }

    bool addHolder(const char *keyTail, const char *jmeno, const char *oscis)
    {
        return add(db.tbKey, "CTM JMENO OSCIS", {key(keyTail), jmeno, oscis});
    }

    // The last two digits of every key in the file, in key order.
    QString keys()
    {
        Table t(db.tbKey.schema(), dir.path());
        EXPECT_TRUE(t.open());
        QStringList out;
        for (bool more = t.first(); more; more = t.next())
            out << t.asString("CTM").right(2);
        return out.join(u' ');
    }

    TempDir dir;
    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db{dir.path(), messages, clock};
};

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A field's bytes padded with blanks to its width.
QByteArray field(const QByteArray &bytes, int width)
{
    return bytes.leftJustified(width, ' ');
}

} // namespace

// Every record in key order, whatever the caller's index (here name order),
// filter and position, which stay as they were.
TEST(TableTextFile, ExportWritesFixedWidthCp1250LinesInKeyOrderAndLeavesTheCursorAlone)
{
    Site site;
    Table &keys = site.db.tbKey;
    ASSERT_TRUE(add(keys,
                    "CTM PTIT JMENO ZTIT OSCIS PRACOVISTE OPRAVNENI ROZPIS SPZ_INFO USER_INFO",
                    {"0200000000000B", "Ing.", "Šťastný Řehoř", "CSc.", "7", "Dílna", "Vše",
                     "Ranní", "1A 2345", "poznámka delší než sedmnáct"}));
    ASSERT_TRUE(site.addHolder("0A", "Žofie Které Je Delší Než Pole", "123456789012"));
    ASSERT_TRUE(keys.setIndex("IndexJMENOOSCIS"));
    ASSERT_TRUE(keys.setFilterText("OSCIS<>'7'"));
    keys.setFiltered(true);
    ASSERT_TRUE(keys.last());
    const Bookmark before = keys.bookmark();

    const FileWritten written = exportTableText(keys, site.dir.file(kKeyFile));
    ASSERT_TRUE(written.ok) << written.error.toStdString();

    EXPECT_EQ(keys.bookmark(), before);
    EXPECT_EQ(keys.indexName(), "IndexJMENOOSCIS");
    EXPECT_TRUE(keys.filtered());
    // Widths 14, 12, 25, 12, 12 and five times 17; longer texts are cut.
    const QByteArray first = "0100000000000A" + field("", 12) +
                             "\x8Eofie Kter\xE9 Je Del\x9A\xED Ne\x9E " + field("", 12) +
                             "123456789012" + field("", 85) + "#\r\n";
    // (Octal escapes where a hex digit follows.)
    const QByteArray second =
        "0200000000000B" + field("Ing.", 12) + field("\x8A\235astn\xFD \330eho\xF8", 25) +
        field("CSc.", 12) + field("7", 12) + field("D\xEDlna", 17) + field("V\232e", 17) +
        field("Rann\xED", 17) + field("1A 2345", 17) + "pozn\xE1mka del\x9A\xED ne#\r\n";
    // Compared as strings: a failure shows the lines readably.
    EXPECT_EQ(readBytes(site.dir.file(kKeyFile)).toStdString(), (first + second).toStdString());
}

TEST(TableTextFile, EveryFieldTypeSurvivesTheRoundTrip)
{
    TableSchema schema;
    schema.baseName = QStringLiteral("WKVRMIX");
    schema.fields = {{"ID", FieldType::AutoInc, 0, false}, {"N", FieldType::Integer, 0, false},
                     {"F", FieldType::Float, 0, false},    {"D", FieldType::Date, 0, false},
                     {"T", FieldType::Time, 0, false},     {"DT", FieldType::DateTime, 0, false},
                     {"B", FieldType::Boolean, 0, false},  {"X", FieldType::Bytes, 3, false},
                     {"S", FieldType::String, 4, false}};
    schema.indexes = {{"", "ID", true, false, false}};
    TempDir from, to;
    Table a(schema, from.path());
    ASSERT_TRUE(a.open());
    ASSERT_TRUE(add(a, "N F D T DT B X S",
                    {-2147483647 - 1, -2.2250738585072014e-308, QDate(2026, 1, 6), QTime(7, 5, 9),
                     QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)), false,
                     QByteArray("\x00\xFF\x0A", 3), "Řež"}));
    ASSERT_TRUE(add(a, "", {})); // every field empty but the counter
    ASSERT_TRUE(add(a, "F B", {0.1, true}));
    ASSERT_TRUE(exportTableText(a, from.file("MIX.SDF")).ok);

    Table b(schema, to.path());
    ASSERT_TRUE(b.open());
    const TextImportResult r = importTableText(b, from.file("MIX.SDF"), false, {});
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.imported, 3);
    ASSERT_TRUE(a.first());
    ASSERT_TRUE(b.first());
    for (int i = 0; i < 3; ++i, a.next(), b.next())
        EXPECT_EQ(b.storedValues(), a.storedValues()) << "record " << i;
    EXPECT_TRUE(b.eof());

    // A value that does not read as its type refuses the record.
    writeBytes(to.file("BAD.SDF"), QByteArray(11, ' ') + "9abc" + QByteArray(83, ' ') + "#\r\n");
    QStringList refused;
    const TextImportResult bad = importTableText(
        b, to.file("BAD.SDF"), false,
        {{}, [&](int lineNo, const QString &m) { refused << QString::number(lineNo) + m; }});
    EXPECT_TRUE(bad.ok);
    EXPECT_EQ(bad.imported, 0);
    EXPECT_EQ(refused, QStringList{"1Chybná hodnota položky N: 9abc"});
}

// The import as the key holders window runs it, over a table holding the key
// "01" of Novák.
TEST(TableTextFile, ImportWithDialogAsksReportsAndKeepsWhatItShould)
{
    const QByteArray good2 = keyTableLine(key("02"), "Dvořák", "200");
    const QByteArray good3 = keyTableLine(key("03"), "Černý", "300");
    const QByteArray bad = "02 bez konce\r\n";
    // What an editor saves: the program's cp1250 line as UTF-8.
    const QByteArray utf8 = Cp1250Codec().decode(good2).text.toUtf8();
    QByteArray shortLine = good2;
    shortLine.remove(40, 1); // one blank less in the name: every later field would move
    const QString askBad = QStringLiteral("Chybná data: 02 bez konce\n Pokračovat?");
    const QString askShort =
        "Chybná data: " + Cp1250Codec().decode(shortLine.chopped(2)).text + "\n Pokračovat?";
    // The file; the answers (Y or N), to "Smazat stará data?" first; the keys
    // afterwards; the questions and information after that one, joined with
    // "|"; the records refused (each shown once) and imported.
    const std::tuple<const char *, QByteArray, const char *, const char *, QString, int, int>
        cases[] = {
            {"leading blanks are dropped", keyTableLine(key("02"), "    Dvořák", "  200"), "N",
             "01 02", "", 0, 1},
            {"UTF-8 with its mark", "\xEF\xBB\xBF" + utf8, "N", "01 02", "", 0, 1},
            {"UTF-8 without a mark", utf8, "N", "01 02", "", 0, 1},
            {"Yes at every bad line imports nothing", bad + "\r\n" + bad, "NYYY", "01",
             askBad + "|Chybná data: \n Pokračovat?|" + askBad, 0, 0},
            {"a line one character short is bad", shortLine + good3, "NY", "01 03", askShort, 0, 1},
            {"No at a bad line stops and keeps the records before it", good2 + bad + good3, "NN",
             "01 02", askBad, 0, 1},
            {"No at a bad line after deleting puts the old records back", good2 + bad + good3, "YN",
             "01", askBad + "|Import byl ukončen, tabulka WKVRKEY.DB zůstala beze změny", 0, 0},
            {"a repeated key and a missing required field are refused, the next line still "
             "imported",
             keyTableLine(key("01"), "Novák", "999") + keyTableLine(key("04"), "", "400") + good3,
             "N", "01 03", "", 2, 1},
            {"a key that is not 14 hex digits is refused, a lower-case one stored upper case",
             keyTableLine("XYZ", "Dvořák", "200") + keyTableLine(key("0a"), "Černý", "300"), "N",
             "01 0A", "", 1, 1},
            {"Yes to deleting replaces the old records",
             keyTableLine(key("01"), "Nováková", "100") + good3, "Y", "01 03", "", 0, 2},
        };
    for (const auto &[what, file, answers, keys, shown, errors, imported] : cases) {
        SCOPED_TRACE(what);
        Site site;
        ASSERT_TRUE(site.addHolder("01", "Novák", "100"));
        writeBytes(site.dir.file(kKeyFile), file);
        ScriptedFileChooser files;
        files.choose(site.dir.file(kKeyFile));
        for (const char *a = answers; *a; ++a)
            site.messages.answer(*a == 'Y' ? Answer::Yes : Answer::No);

        const TextImportResult r =
            importTableWithDialog(site.db.tbKey, files, site.messages, kKeyFile);

        EXPECT_EQ(r.imported, imported);
        EXPECT_EQ(site.keys(), keys);
        QStringList asked;
        for (const ScriptedMessages::Shown &m : site.messages.shown())
            if (m.kind != Kind::Error)
                asked << m.text;
        EXPECT_EQ(asked.value(0), "Smazat stará data?");
        EXPECT_EQ(asked.mid(1).join(u'|'), shown);
        EXPECT_EQ(site.messages.texts(Kind::Error).size(), errors);
        EXPECT_EQ(site.db.tbKey.state(), TableState::Browse);
        EXPECT_FALSE(site.db.tbKey.inTransaction());
        EXPECT_EQ(files.openRequests().size(), 1);
    }
    // The name of a UTF-8 file reads as it was written.
    Site site;
    writeBytes(site.dir.file(kKeyFile), utf8);
    ASSERT_EQ(importTableText(site.db.tbKey, site.dir.file(kKeyFile), false, {}).imported, 1);
    ASSERT_TRUE(site.db.tbKey.first());
    EXPECT_EQ(site.db.tbKey.asString("JMENO"), "Dvořák");
}

TEST(TableTextFile, FilesThatCannotBeOpenedChangeNothing)
{
    Site site;
    ASSERT_TRUE(site.addHolder("01", "Novák", "100"));
    ScriptedFileChooser files;
    files.choose(site.dir.file("CHYBI.SDF"));
    site.messages.answer(Answer::Yes); // even when replacing
    EXPECT_FALSE(importTableWithDialog(site.db.tbKey, files, site.messages, kKeyFile).ok);
    EXPECT_EQ(site.keys(), "01");

    // The export offers the default name and adds the extension.
    files.choose(std::nullopt).choose(site.dir.file("zaloha")).choose(site.dir.file("x/KLICE.SDF"));
    EXPECT_FALSE(exportTableWithDialog(site.db.tbKey, files, site.messages, kKeyFile));
    EXPECT_TRUE(exportTableWithDialog(site.db.tbKey, files, site.messages, kKeyFile));
    EXPECT_EQ(readBytes(site.dir.file("zaloha.SDF")), keyTableLine(key("01"), "Novák", "100"));
    EXPECT_FALSE(exportTableWithDialog(site.db.tbKey, files, site.messages, kKeyFile));
    ASSERT_EQ(files.saveRequests().size(), 3);
    EXPECT_EQ(files.saveRequests()[0].initialName, kKeyFile);
    EXPECT_TRUE(files.saveRequests()[0].promptOverwrite);

    const QString cannot = QStringLiteral("Soubor nelze otevřít: ");
    EXPECT_EQ(
        site.messages.texts(Kind::Error),
        QStringList({cannot + site.dir.file("CHYBI.SDF"), cannot + site.dir.file("x/KLICE.SDF")}));
}
