#include "tables/CzechCollation.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>

namespace vardex {
namespace {

int sign(int v)
{
    return (v > 0) - (v < 0);
}

int compareUtf8(const QString &a, const QString &b, bool caseInsensitive)
{
    const QByteArray x = a.toUtf8();
    const QByteArray y = b.toUtf8();
    return compareCzechUtf8(x.constData(), x.size(), y.constData(), y.size(), caseInsensitive);
}

// Checks that every earlier entry sorts strictly before every later one, in
// both directions and in both encodings (UTF-8 only where the texts have no
// lone surrogates, which UTF-8 cannot carry).
void expectAscending(const QStringList &list, bool caseInsensitive, bool alsoUtf8 = true)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        for (qsizetype j = i + 1; j < list.size(); ++j) {
            SCOPED_TRACE((list[i] + QStringLiteral(" < ") + list[j]).toStdString());
            EXPECT_LT(compareCzech(list[i], list[j], caseInsensitive), 0);
            EXPECT_GT(compareCzech(list[j], list[i], caseInsensitive), 0);
            if (alsoUtf8) {
                EXPECT_LT(compareUtf8(list[i], list[j], caseInsensitive), 0);
                EXPECT_GT(compareUtf8(list[j], list[i], caseInsensitive), 0);
            }
        }
    }
}

TEST(CzechCollation, SortsAsACzechReaderExpects)
{
    const QStringList lists[] = {
        {"Cz", "Čapek", "Dvořák"},
        {"Hz", "Chalupa", "Ivan"},
        {"Rybka", "Řehoř", "Sokol", "Šťastný", "Tomáš"},
        {"Zeman", "Žák"},
        {"ca", "ci", "cz", "čz", "da", "ha", "hz", "cha", "chz", "ia"},
        // Accents break ties only: Adam < Ádám but Ádám < Adamec.
        {"Adam", "Ádám", "Adamec"},
        {"ea", "éa", "ěa", "eb"},
        {"Dan", "Ďas", "Dubec"},
        {"tu", "ťu", "tv"},
        {"kun", "kůň", "kuna"},
        // Blanks, then punctuation, then digits, then letters.
        {"", " a", "-a", "0", "09", "1", "9", "A", "a1", "aa"},
        {"0100000000AB12", "0100000000AB13", "01000000010000", "A1"},
        {"Novák Jan", "Novák, Jan", "Nováková", "Novotný"},
        {"Müller", "Muzikant"},
        {"Łukasz", "Lukáš", "Lunda"},
    };
    for (const QStringList &list : lists) {
        expectAscending(list, false);
        expectAscending(list, true);
    }
}

TEST(CzechCollation, CaseCountsLastAndOnlyWhenAsked)
{
    const std::pair<const char *, const char *> samePrimary[] = {
        {"abc", "ABC"}, {"čapek", "ČAPEK"}, {"chalupa", "CHALUPA"},
        {"ch", "Ch"},   {"ŘEHOŘ", "řehoř"},
    };
    for (const auto &[x, y] : samePrimary) {
        EXPECT_EQ(compareCzech(QString::fromUtf8(x), QString::fromUtf8(y), true), 0) << x;
        EXPECT_EQ(compareUtf8(QString::fromUtf8(x), QString::fromUtf8(y), true), 0) << x;
    }
    // Lower case first; an accent outweighs case.
    expectAscending({"abc", "aBc", "Abc", "ABC", "ábc", "Ábc"}, false);
    expectAscending({"ch", "cH", "Ch", "CH"}, false);
    EXPECT_LT(compareCzech(u"Adam", u"ádam", true), 0);
}

// The case-sensitive order is a strict total order: distinct texts never
// compare equal, and sorting a mixed corpus gives a consistent sequence.
TEST(CzechCollation, CaseSensitiveOrderIsTotal)
{
    QStringList corpus = {
        "",     " ",     "\t",    "a b", "a\tb",       "a",      "A",      "á",  "Á",
        "c",    "C",     "ch",    "cH",  "Ch",         "CH",     "č",      "Č",  "cch",
        "chc",  "h",     "1",     "١",   "x\u0301",    "x",      "Ł",      "L",  "ß",
        "s",    "ss",    "Ω",     "ω",   "\U0001F600", "\uE000", "\uFFFF", "ďa", "čx",
        "Čáp",  "Čapek", "Řeka",  "rez", "z",          "ž",      "Ž",      "-",  "_",
        "0100", "01 00", "01-00", "ä",   "ae",         "Æ",      "ab",     "ǅ",  "dž",
    };
    corpus << QString(QChar(0)) << QString::fromUtf16(u"\xD800") << QString::fromUtf16(u"a\xDC00");
    for (const QString &a : corpus) {
        for (const QString &b : corpus) {
            const int r = compareCzech(a, b, false);
            EXPECT_EQ(r == 0, a == b) << a.toStdString() << " / " << b.toStdString();
            EXPECT_EQ(sign(r), -sign(compareCzech(b, a, false)));
            if (!a.contains(QChar(0xD800)) && !a.contains(QChar(0xDC00)) &&
                !b.contains(QChar(0xD800)) && !b.contains(QChar(0xDC00))) {
                EXPECT_EQ(sign(r), sign(compareUtf8(a, b, false)))
                    << a.toStdString() << " / " << b.toStdString();
            }
        }
    }
    std::sort(corpus.begin(), corpus.end(),
              [](const QString &a, const QString &b) { return compareCzech(a, b, false) < 0; });
    expectAscending(corpus, false, false);
}

TEST(CzechCollation, ByteStringsThatAreNotUtf8CompareConsistently)
{
    const QByteArray samples[] = {
        "\xC4",         "\xC4\x8D",     "\xC4\x8D\x80", "\x80",  "\xFF\xFE", "\xE2\x82",
        "\xE2\x82\xAC", "\xED\xA0\x80", "\xC0\xAF",     "c\xC4", "ch"};
    for (const QByteArray &a : samples) {
        for (const QByteArray &b : samples) {
            const int r = compareCzechUtf8(a.constData(), a.size(), b.constData(), b.size(), false);
            const int back =
                compareCzechUtf8(b.constData(), b.size(), a.constData(), a.size(), false);
            EXPECT_EQ(r == 0, a == b);
            EXPECT_EQ(sign(r), -sign(back));
        }
    }
}

// The collations as a table index uses them, on a connection opened by QtSql.
TEST(CzechCollation, OrdersAndGuardsSqliteIndexes)
{
    const QString connection = QStringLiteral("czech-collation");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(db.open());
        sqlite3 *handle = *static_cast<sqlite3 *const *>(db.driver()->handle().constData());
        ASSERT_TRUE(registerCzechCollations(handle));
        EXPECT_FALSE(registerCzechCollations(nullptr));

        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE t (JMENO TEXT)")));
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE INDEX i ON t (JMENO COLLATE CZ)")));
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE UNIQUE INDEX u ON t (JMENO COLLATE CZ_NOCASE)")));
        const QStringList sorted = {"Adam",  "Ádám",    "Cz",    "Čapek", "Dvořák",
                                    "Hz",    "Chalupa", "Ivan",  "Rybka", "Řehoř",
                                    "Sokol", "Šťastný", "Tomáš", "Zeman", "Žák"};
        QStringList shuffled = sorted;
        std::reverse(shuffled.begin(), shuffled.end());
        std::rotate(shuffled.begin(), shuffled.begin() + 5, shuffled.end());
        for (const QString &name : shuffled) {
            ASSERT_TRUE(q.prepare(QStringLiteral("INSERT INTO t VALUES (?)")));
            q.addBindValue(name);
            ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
        }
        ASSERT_TRUE(q.prepare(QStringLiteral("INSERT INTO t VALUES (?)")));
        q.addBindValue(QStringLiteral("ČAPEK"));
        EXPECT_FALSE(q.exec()); // the case-insensitive unique index sees Čapek again

        QStringList read;
        ASSERT_TRUE(
            q.exec(QStringLiteral("SELECT JMENO FROM t INDEXED BY i ORDER BY JMENO COLLATE CZ")));
        while (q.next())
            read << q.value(0).toString();
        EXPECT_EQ(read, sorted);

        ASSERT_TRUE(
            q.exec(QStringLiteral("SELECT JMENO FROM t WHERE JMENO = 'ŽÁK' COLLATE CZ_NOCASE")));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("Žák"));
    }
    QSqlDatabase::removeDatabase(connection);
}

} // namespace
} // namespace vardex
