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
    return QStringLiteral("010000000000") + tail;
}

// A site with the access-control tables open.
struct Site
{
    explicit Site(const QString &dir) : db(dir, messages, clock)
    {
        EXPECT_TRUE(db.OpenMinimalDatabases(nullptr));
    }

    // Values in field order: CTM, PTIT, JMENO, ZTIT, OSCIS, PRACOVISTE,
    // OPRAVNENI, ROZPIS, SPZ_INFO, USER_INFO; missing ones stay empty.
    bool add(const QStringList &values)
    {
        Table &t = db.tbKey;
        if (!t.append())
            return false;
        const QList<FieldDef> &fields = t.schema().fields;
        for (int i = 0; i < values.size(); ++i)
            if (!values[i].isEmpty())
                t.setString(fields[i].name, values[i]);
        return t.post();
    }
    bool add(const QString &keyTail, const QString &jmeno, const QString &oscis)
    {
        return add({key(keyTail), {}, jmeno, {}, oscis});
    }

    // Every record in key-number order, all fields.
    QList<QVariantList> records()
    {
        Table t(db.tbKey.schema(), QFileInfo(db.tbKey.filePath()).absolutePath());
        EXPECT_TRUE(t.open());
        QList<QVariantList> out;
        for (bool more = t.first(); more; more = t.next())
            out << t.storedValues();
        return out;
    }

    // The last two digits of every key, in key order.
    QStringList keys()
    {
        QStringList out;
        for (const QVariantList &r : records())
            out << r.value(0).toString().right(2);
        return out;
    }

    ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(8, 0))};
    TDB0DM db;
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

} // namespace

TEST(TableTextFile, ExportWritesFixedWidthCp1250LinesInKeyOrder)
{
    TempDir dir;
    Site site(dir.path());
    ASSERT_TRUE(site.add({"0200000000000B", "Ing.", "Šťastný Řehoř", "CSc.", "7", "Dílna", "Vše",
                          "Ranní", "1A 2345", "poznámka delší než sedmnáct"}));
    ASSERT_TRUE(site.add("0A", "Jméno Které Je Delší Než Pole", "123456789012"));

    const QString path = dir.file(kKeyFile);
    const FileWritten written = exportTableText(site.db.tbKey, path);
    ASSERT_TRUE(written.ok) << written.error.toStdString();

    const QByteArray first = "0100000000000A" + QByteArray(12, ' ') +
                             "Jm\xE9no Kter\xE9 Je Del\x9A\xED Ne\x9E " // cut at 25
                             + QByteArray(12, ' ') + "123456789012" + QByteArray(85, ' ') + "#\r\n";
    const QByteArray second = "0200000000000B"
                              "Ing.        "
                              "\x8A\x9D"
                              "astn\xFD \xD8"
                              "eho\xF8" +
                              QByteArray(12, ' ') + "CSc.        " + "7" + QByteArray(11, ' ') +
                              "D\xEDlna" + QByteArray(12, ' ') +
                              "V\x9A"
                              "e" +
                              QByteArray(14, ' ') + "Rann\xED" + QByteArray(12, ' ') + "1A 2345" +
                              QByteArray(10, ' ') + "pozn\xE1mka del\x9A\xED ne" + "#\r\n";
    ASSERT_EQ(first.size(), 163);
    ASSERT_EQ(second.size(), 163);
    // Compared as strings: a failure shows the lines readably.
    EXPECT_EQ(readBytes(path).toStdString(), (first + second).toStdString());
}

TEST(TableTextFile, ExportLeavesTheCallersCursorOrderAndFilterAlone)
{
    TempDir dir;
    Site site(dir.path());
    ASSERT_TRUE(site.add("03", "Adam", "1"));
    ASSERT_TRUE(site.add("01", "Cyril", "2"));
    ASSERT_TRUE(site.add("02", "Bedřich", "3"));
    Table &keys = site.db.tbKey;
    ASSERT_TRUE(keys.setIndex(QStringLiteral("IndexJMENOOSCIS")));
    ASSERT_TRUE(keys.setFilterText(QStringLiteral("JMENO<>'Adam'")));
    keys.setFiltered(true);
    ASSERT_TRUE(keys.last());
    const Bookmark before = keys.bookmark();

    ASSERT_TRUE(exportTableText(keys, dir.file(kKeyFile)).ok);

    EXPECT_EQ(keys.bookmark(), before);
    EXPECT_EQ(keys.asString(QStringLiteral("JMENO")), QStringLiteral("Cyril"));
    EXPECT_EQ(keys.indexName(), QStringLiteral("IndexJMENOOSCIS"));
    EXPECT_TRUE(keys.filtered());
    const QList<QByteArray> lines = readBytes(dir.file(kKeyFile)).split('\n');
    ASSERT_EQ(lines.size(), 4); // three lines and nothing after the last line end
    EXPECT_TRUE(lines[0].startsWith(key("01").toLatin1()));
    EXPECT_TRUE(lines[1].startsWith(key("02").toLatin1()));
    EXPECT_TRUE(lines[2].startsWith(key("03").toLatin1()));
}

TEST(TableTextFile, ExportThenImportIntoAnEmptySiteGivesTheSameTable)
{
    TempDir from, to;
    Site a(from.path());
    ASSERT_TRUE(a.add({"0100000000000A", "Ing.", "Šťastný Řehoř", "CSc.", "7", "Dílna", "Vše",
                       "Ranní", "1A 2345", "17 znaků přesně!!"}));
    ASSERT_TRUE(a.add({"0100000000000B", {}, "Žofie Čermáková", {}, "8", {}, "Vrátnice"}));
    const QString path = from.file(kKeyFile);
    ASSERT_TRUE(exportTableText(a.db.tbKey, path).ok);

    Site b(to.path());
    const TextImportResult r = importTableText(b.db.tbKey, path, true, {});
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.imported, 2);
    EXPECT_TRUE(r.skipped.isEmpty());
    EXPECT_EQ(b.records(), a.records());
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
    ASSERT_TRUE(a.append());
    a.setInt("N", -2147483647 - 1);
    a.setDouble("F", -2.2250738585072014e-308);
    a.setDate("D", QDate(2026, 1, 6));
    a.setTime("T", QTime(7, 5, 9));
    a.setDateTime("DT", QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)));
    a.setBool("B", false);
    a.setBytes("X", QByteArray("\x00\xFF\x0A", 3));
    a.setString("S", QStringLiteral("ab"));
    ASSERT_TRUE(a.post());
    ASSERT_TRUE(a.append()); // every field empty but the counter
    ASSERT_TRUE(a.post());
    ASSERT_TRUE(a.append());
    a.setDouble("F", 0.1);
    a.setBool("B", true);
    ASSERT_TRUE(a.post());
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
    EXPECT_EQ(refused, QStringList{QStringLiteral("1Chybná hodnota položky N: 9abc")});
}

// The import as the key holders window runs it, over a table holding the key
// "01" of Novák.
TEST(TableTextFile, ImportWithDialogAsksReportsAndKeepsWhatItShould)
{
    const QByteArray good2 = keyTableLine(key("02"), "Dvořák", "200");
    const QByteArray good3 = keyTableLine(key("03"), "Černý", "300");
    const QByteArray bad = "02 bez konce\r\n";
    QByteArray shortLine = good2;
    shortLine.remove(40, 1); // one blank less in the name: every later field would move
    const QString askBad = QStringLiteral("Chybná data: 02 bez konce\n Pokračovat?");
    const QString askShort = QStringLiteral("Chybná data: ") +
                             Cp1250Codec().decode(shortLine.chopped(2)).text +
                             QStringLiteral("\n Pokračovat?");
    const QString askDelete = QStringLiteral("Smazat stará data?");
    struct Case
    {
        const char *what;
        QByteArray file;
        QList<Answer> answers; // "Smazat stará data?" first
        QStringList keys;      // the table afterwards
        QStringList shown;     // questions and information, in order
        int errors;            // refused records, each shown once
        int imported;
    };
    const Case cases[] = {
        {"leading blanks are dropped",
         keyTableLine(key("02"), "    Dvořák", "  200"),
         {Answer::No},
         {"01", "02"},
         {askDelete},
         0,
         1},
        {"Yes at every bad line imports nothing",
         bad + "\r\n" + bad,
         {Answer::No, Answer::Yes, Answer::Yes, Answer::Yes},
         {"01"},
         {askDelete, askBad, QStringLiteral("Chybná data: \n Pokračovat?"), askBad},
         0,
         0},
        {"a line one character short is bad data",
         shortLine + good3,
         {Answer::No, Answer::Yes},
         {"01", "03"},
         {askDelete, askShort},
         0,
         1},
        {"No at a bad line stops and keeps the records before it",
         good2 + bad + good3,
         {Answer::No, Answer::No},
         {"01", "02"},
         {askDelete, askBad},
         0,
         1},
        {"No at a bad line after deleting puts the old records back",
         good2 + bad + good3,
         {Answer::Yes, Answer::No},
         {"01"},
         {askDelete, askBad,
          QStringLiteral("Import byl ukončen, tabulka WKVRKEY.DB zůstala beze změny")},
         0,
         0},
        {"a repeated key and a missing required field are refused, the next line still imported",
         keyTableLine(key("01"), "Novák", "999") + keyTableLine(key("04"), "", "400") + good3,
         {Answer::No},
         {"01", "03"},
         {askDelete},
         2,
         1},
        {"a key that is not 14 hex digits is refused, a lower-case one stored upper case",
         keyTableLine("XYZ", "Dvořák", "200") + keyTableLine(key("0a"), "Černý", "300"),
         {Answer::No},
         {"01", "0A"},
         {askDelete},
         1,
         1},
        {"Yes to deleting replaces the old records",
         keyTableLine(key("01"), "Nováková", "100") + good3,
         {Answer::Yes},
         {"01", "03"},
         {askDelete},
         0,
         2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        Site site(dir.path());
        ASSERT_TRUE(site.add("01", "Novák", "100"));
        writeBytes(dir.file(kKeyFile), c.file);
        ScriptedFileChooser files;
        files.choose(dir.file(kKeyFile));
        for (Answer a : c.answers)
            site.messages.answer(a);

        const TextImportResult r =
            importTableWithDialog(site.db.tbKey, files, site.messages, kKeyFile);

        EXPECT_EQ(r.imported, c.imported);
        EXPECT_EQ(site.keys(), c.keys);
        QStringList shown;
        for (const ScriptedMessages::Shown &m : site.messages.shown())
            if (m.kind != Kind::Error)
                shown << m.text;
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(site.messages.texts(Kind::Error).size(), c.errors);
        EXPECT_EQ(site.db.tbKey.state(), TableState::Browse);
        EXPECT_FALSE(site.db.tbKey.inTransaction());
        EXPECT_EQ(files.openRequests().size(), 1);
    }
}

// A key file saved by an editor as UTF-8 reads as the same holder as the
// cp1250 file the program writes.
TEST(TableTextFile, UtfEightAndCp1250KeyFilesImportTheSameHolder)
{
    const QByteArray cp1250 = keyTableLine(key("01"), "Novák Jan", "100");
    const QByteArray utf8 = Cp1250Codec().decode(cp1250).text.toUtf8();
    const QByteArray files[] = {cp1250, "\xEF\xBB\xBF" + utf8, utf8};
    for (const QByteArray &bytes : files) {
        TempDir dir;
        Site site(dir.path());
        writeBytes(dir.file(kKeyFile), bytes);
        const TextImportResult r = importTableText(site.db.tbKey, dir.file(kKeyFile), false, {});
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        ASSERT_EQ(r.imported, 1) << bytes.left(20).toStdString();
        ASSERT_TRUE(site.db.tbKey.first());
        EXPECT_EQ(site.db.tbKey.asString("JMENO"), QStringLiteral("Novák Jan"));
        EXPECT_EQ(site.db.tbKey.asString("OSCIS"), QStringLiteral("100"));
    }
}

TEST(TableTextFile, AFileThatCannotBeReadChangesNothingEvenWhenReplacing)
{
    TempDir dir;
    Site site(dir.path());
    ASSERT_TRUE(site.add("01", "Novák", "100"));
    ScriptedFileChooser files;
    files.choose(dir.file("CHYBI.SDF"));
    site.messages.answer(Answer::Yes);

    const TextImportResult r = importTableWithDialog(site.db.tbKey, files, site.messages, kKeyFile);

    EXPECT_FALSE(r.ok);
    EXPECT_EQ(site.keys(), QStringList{"01"});
    EXPECT_EQ(site.messages.texts(Kind::Error),
              QStringList{QStringLiteral("Soubor nelze otevřít: ") + dir.file("CHYBI.SDF")});
}

TEST(TableTextFile, ExportDialogOffersTheDefaultNameAndAddsTheExtension)
{
    TempDir dir;
    Site site(dir.path());
    ASSERT_TRUE(site.add("01", "Novák", "100"));
    ScriptedFileChooser files;
    files.choose(std::nullopt).choose(dir.file("zaloha")).choose(dir.file("chybi/KLICE.SDF"));

    EXPECT_FALSE(exportTableWithDialog(site.db.tbKey, files, site.messages, kKeyFile));
    EXPECT_TRUE(exportTableWithDialog(site.db.tbKey, files, site.messages, kKeyFile));
    EXPECT_EQ(readBytes(dir.file("zaloha.SDF")), keyTableLine(key("01"), "Novák", "100"));
    EXPECT_FALSE(exportTableWithDialog(site.db.tbKey, files, site.messages, kKeyFile));

    ASSERT_EQ(files.saveRequests().size(), 3);
    const FileRequest &request = files.saveRequests()[0];
    EXPECT_EQ(request.initialName, kKeyFile);
    EXPECT_TRUE(request.promptOverwrite);
    EXPECT_EQ(site.messages.texts(Kind::Error),
              QStringList{QStringLiteral("Soubor nelze otevřít: ") + dir.file("chybi/KLICE.SDF")});
}
