#include "tables/FilterExpression.h"
#include "tables/FilterConstant.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <set>

namespace vardex {
namespace {

TableSchema eventsSchema()
{
    TableSchema schema;
    schema.baseName = QStringLiteral("WKVREVE");
    schema.fields = {
        {QStringLiteral("IdEve"), FieldType::AutoInc, 0, false},
        {QStringLiteral("DATUM"), FieldType::Date, 0, true},
        {QStringLiteral("CAS"), FieldType::Time, 0, true},
        {QStringLiteral("AHWJ"), FieldType::String, 2, false},
        {QStringLiteral("CTM"), FieldType::String, 14, false},
        {QStringLiteral("RES"), FieldType::String, 2, false},
        {QStringLiteral("ORI"), FieldType::Boolean, 0, false},
    };
    return schema;
}

struct Compiles
{
    const char *text;
    const char *where;
    QVariantList params;
};

TEST(FilterExpression, CompilesTheFormsTheProgramBuildsAndTheOperatorTypes)
{
    const QString ctm = QStringLiteral("0100000000AB12");
    const Compiles cases[] = {
        {"   ", "", {}},
        // The component filters of the event browser, recombined.
        {"(DATUM>='01.03.2026' AND DATUM<='31.03.2026') AND (CAS>='00:00' AND CAS<='12:00') AND "
         "(CTM='0100000000AB12') AND (AHWJ='1A') AND (RES='00' OR RES='09')",
         R"(("DATUM" >= ? AND "DATUM" <= ? AND "CAS" >= ? AND "CAS" <= ? AND "CTM" = ? AND )"
         R"("AHWJ" = ? AND ("RES" = ? OR "RES" = ?)))",
         {"2026-03-01", "2026-03-31", "00:00:00", "12:00:00", ctm, "1A", "00", "09"}},
        {"(DATUM >='01.03.2026') AND (DATUM <='31.03.2026')",
         R"(("DATUM" >= ? AND "DATUM" <= ?))",
         {"2026-03-01", "2026-03-31"}},
        {"CTM='0100000000AB12' AND DATUM='5.3.2026'",
         R"(("CTM" = ? AND "DATUM" = ?))",
         {ctm, "2026-03-05"}},
        // Precedence: NOT binds tighter than AND, AND tighter than OR.
        {"RES='00' OR RES='01' AND ORI='T'",
         R"(("RES" = ? OR "RES" = ? AND "ORI" = ?))",
         {"00", "01", 1}},
        {"(RES='00' OR RES='01') AND ORI='F'",
         R"((("RES" = ? OR "RES" = ?) AND "ORI" = ?))",
         {"00", "01", 0}},
        {"NOT RES='00' AND ORI=True", R"((NOT ("RES" = ?) AND "ORI" = ?))", {"00", 1}},
        {"NOT (RES='00' OR ORI='0')", R"((NOT ("RES" = ? OR "ORI" = ?)))", {"00", 0}},
        {"not NOT ctm = 'A'", R"(("CTM" = ?))", {"A"}},
        {"((((CTM='A'))))", R"(("CTM" = ?))", {"A"}},
        // Names and keywords in any case, other operators, unquoted constants.
        {"datum <> '2026-03-01' and Cas < '7:05:09' Or res > '8F'",
         R"(("DATUM" <> ? AND "CAS" < ? OR "RES" > ?))",
         {"2026-03-01", "07:05:09", "8F"}},
        {"IdEve > 100", R"(("IdEve" > ?))", {qlonglong(100)}},
        {"\"ctm\" = 'A'", R"(("CTM" = ?))", {"A"}},
        // Quotes in a constant stay inside the bound value.
        {"CTM='x'' OR 1=1 --'", R"(("CTM" = ?))", {"x' OR 1=1 --"}},
        // Blank constants ask for empty fields; a trailing * compares a beginning.
        {"CTM=''", R"((("CTM" IS NULL OR "CTM" = ?)))", {""}},
        {"CTM<>''", R"((("CTM" IS NOT NULL AND "CTM" <> ?)))", {""}},
        {"DATUM=''", R"(("DATUM" IS NULL))", {}},
        {"CTM='0100*'", R"((substr("CTM", 1, ?) = ?))", {qlonglong(4), "0100"}},
        {"CTM>='0100*'", R"(("CTM" >= ?))", {"0100*"}},
    };
    const TableSchema schema = eventsSchema();
    for (const Compiles &c : cases) {
        SCOPED_TRACE(c.text);
        const CompiledFilter f = compileFilter(QString::fromUtf8(c.text), schema);
        ASSERT_TRUE(f.ok) << f.error.toStdString();
        EXPECT_EQ(f.where, QString::fromUtf8(c.where));
        EXPECT_EQ(f.params, c.params);
        for (const QVariant &p : f.params) // a null text would be bound as NULL
            EXPECT_FALSE(p.typeId() == QMetaType::QString && p.toString().isNull());
    }
}

TEST(FilterExpression, RefusesMalformedTextsSayingWhatAndWhere)
{
    const std::pair<const char *, const char *> cases[] = {
        {"XYZ = '1'", "Neznámá položka: XYZ (pozice 1)"},
        {"DATUM '01.03.2026'", "Chybí operátor za položkou DATUM (pozice 7)"},
        {"datum", "Chybí operátor za položkou DATUM (pozice 6)"},
        {"CTM = 'abc", "Neukončený řetězec (pozice 7)"},
        {"\"CTM = '1'", "Neukončený název položky (pozice 1)"},
        {"DATUM >= '31.02.2026'", "Chybné datum: 31.02.2026 (pozice 10)"},
        {"CAS >= '24:00'", "Chybný čas: 24:00 (pozice 8)"},
        {"ORI = 'X'", "Chybná logická hodnota: X (pozice 7)"},
        {"IdEve > '1x'", "Chybné číslo: 1x (pozice 9)"},
        {"(CTM = '1'", "Chybí pravá závorka (pozice 11)"},
        {"(CTM = '1' RES = '2')", "Nečekaný text: RES = '2') (pozice 12)"},
        {"CTM = '1')", "Nečekaný text: ) (pozice 10)"},
        {"CTM = '1' XYZ AND AHWJ = '01' AND RES = '02'",
         "Nečekaný text: XYZ AND AHWJ = '01' ... (pozice 11)"},
        {"CTM = '1' AND", "Chybí podmínka (pozice 14)"},
        {"CTM = '1' AND OR RES = '2'", "Chybí podmínka (pozice 15)"},
        {"()", "Chybí podmínka (pozice 2)"},
        {"NOT", "Chybí podmínka (pozice 4)"},
        {"CTM =", "Chybí hodnota pro položku CTM (pozice 6)"},
        {"CTM = AND RES = '1'", "Chybí hodnota pro položku CTM (pozice 7)"},
        {"CTM == '1'", "Chybí hodnota pro položku CTM (pozice 6)"},
        {"DATUM < ''", "Chybí hodnota pro položku DATUM (pozice 9)"},
        {"= '1'", "Chybí název položky (pozice 1)"},
        {"'1' = CTM", "Chybí název položky (pozice 1)"},
    };
    const TableSchema schema = eventsSchema();
    for (const auto &[text, message] : cases) {
        SCOPED_TRACE(text);
        const CompiledFilter f = compileFilter(QString::fromUtf8(text), schema);
        EXPECT_FALSE(f.ok);
        EXPECT_EQ(f.error, QString::fromUtf8(message));
        EXPECT_TRUE(f.where.isEmpty());
    }
}

TEST(FilterExpression, LimitsNestingOfParentheses)
{
    const TableSchema schema = eventsSchema();
    const auto nested = [](int depth) {
        return QString(depth, u'(') + QStringLiteral("CTM='1'") + QString(depth, u')');
    };
    EXPECT_TRUE(compileFilter(nested(100), schema).ok);
    const CompiledFilter deep = compileFilter(nested(100000), schema);
    EXPECT_FALSE(deep.ok);
    EXPECT_EQ(deep.error, QStringLiteral("Příliš mnoho vnořených závorek (pozice 101)"));
    // A long run of NOTs is no recursion at all.
    EXPECT_TRUE(
        compileFilter(QStringLiteral("NOT ").repeated(100001) + QStringLiteral("CTM='1'"), schema)
            .ok);
}

// Whatever the text, the result is either a clause whose "?" match the
// parameters or a message; nothing crashes.
TEST(FilterExpression, SurvivesGarbage)
{
    QStringList texts = {QString(QChar(0)),
                         "'",
                         "\"",
                         "<><>",
                         ")))(((",
                         "AND OR NOT",
                         "CTM\t=\n'1'\r\nAND\u00a0RES='2'",
                         "DATUM >= '99.99.9999'",
                         "IdEve > '99999999999999999999999'",
                         "ŽLUŤOUČKÝ = 'kůň'"};
    // Every prefix and every one-character omission of a full filter, and
    // pseudo-random strings of its pieces.
    const QString full = QStringLiteral("(DATUM>='01.03.2026' AND NOT CAS<='12:00') OR "
                                        "(CTM='0100*' AND ORI='T') OR IdEve <> 5");
    for (qsizetype i = 0; i <= full.size(); ++i) {
        texts << full.left(i);
        texts << full.left(i) + full.mid(i + 1);
    }
    const QStringList pieces = {"(",   ")",   "'",     "''",  "\"",  "=",   "<", ">", "AND", "OR",
                                "NOT", "CTM", "DATUM", "ORI", "'1'", "'T'", " ", "*", "x"};
    quint32 seed = 12345;
    for (int n = 0; n < 2000; ++n) {
        QString text;
        for (int k = 0; k < 12; ++k) {
            seed = seed * 1664525u + 1013904223u;
            text += pieces[(seed >> 16) % pieces.size()];
        }
        texts << text;
    }
    const TableSchema schema = eventsSchema();
    for (const QString &text : texts) {
        const CompiledFilter f = compileFilter(text, schema);
        if (f.ok) {
            EXPECT_EQ(f.where.count(u'?'), f.params.size()) << text.toStdString();
        } else {
            EXPECT_FALSE(f.error.isEmpty()) << text.toStdString();
        }
    }
}

struct Converts
{
    FieldType type;
    const char *text;
    QVariant value; // invalid when the text is refused
};

TEST(FilterConstant, ConvertsToTheStorageFormOrRefuses)
{
    const Converts cases[] = {
        {FieldType::Date, "29.02.2024", "2024-02-29"},
        {FieldType::Date, " 1.1.2026 ", "2026-01-01"},
        {FieldType::Date, "29.02.2026", {}},
        {FieldType::Date, "01.13.2026", {}},
        {FieldType::Date, "00.01.2026", {}},
        {FieldType::Date, "2026-3-1", {}},
        {FieldType::Date, "01.03.0999", {}},
        {FieldType::Time, "7:05", "07:05:00"},
        {FieldType::Time, "23:59:59", "23:59:59"},
        {FieldType::Time, "23:59:60", {}},
        {FieldType::Time, "7:5", {}},
        {FieldType::Time, "07:05:", {}},
        {FieldType::DateTime, "01.03.2026 7:05", "2026-03-01 07:05:00"},
        {FieldType::DateTime, "01.03.2026", "2026-03-01 00:00:00"},
        {FieldType::DateTime, "01.03.202607:05", {}},
        {FieldType::DateTime, "01.03.2026 25:00", {}},
        {FieldType::Integer, "-42", qlonglong(-42)},
        {FieldType::Integer, "1.5", {}},
        {FieldType::Integer, "0x10", {}},
        {FieldType::Integer, "-", {}},
        {FieldType::Float, "1,5", 1.5},
        {FieldType::Float, "-2.25", -2.25},
        {FieldType::Float, "inf", {}},
        {FieldType::Float, "1e999", {}},
        {FieldType::Boolean, "ano", 1},
        {FieldType::Boolean, "false", 0},
        {FieldType::Boolean, "yes", {}},
        {FieldType::String, " a ", " a "},
        {FieldType::Bytes, "00", {}},
    };
    for (const Converts &c : cases) {
        SCOPED_TRACE(c.text);
        const FilterConstant v = convertFilterConstant(QString::fromUtf8(c.text), c.type);
        EXPECT_EQ(v.ok, c.value.isValid()) << v.error.toStdString();
        if (c.value.isValid()) {
            EXPECT_EQ(v.value, c.value);
        } else {
            EXPECT_FALSE(v.error.isEmpty());
        }
    }
}

// The compiled clause run by SQLite itself: dates compare as dates, times as
// times, and the quoted text is only ever a value.
TEST(FilterExpression, SelectsTheRightEventsInSqlite)
{
    const QString connection = QStringLiteral("filter-end-to-end");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral(
            R"(CREATE TABLE "WKVREVE" ("IdEve" INTEGER PRIMARY KEY, "DATUM" TEXT, "CAS" TEXT,
               "AHWJ" TEXT, "CTM" TEXT, "RES" TEXT, "ORI" INTEGER))")));
        ASSERT_TRUE(q.exec(QStringLiteral(R"(INSERT INTO "WKVREVE" VALUES
            (1, '2026-02-28', '23:59:00', '01', '0100000000AB12', '00', 1),
            (2, '2026-03-01', '00:00:00', '01', '0100000000AB13', '10', 1),
            (3, '2026-03-31', '12:00:00', '02', '0200000000AB12', '00', 0),
            (4, '2027-01-15', '09:00:00', '02', NULL, '38', 1),
            (5, '2025-03-15', '12:01:00', '01', '', '00', 1),
            (6, '2026-03-15', '07:29:00', '01', 'x'' OR 1=1 --', '00', 1))")));

        const std::pair<const char *, std::set<int>> cases[] = {
            {"DATUM>='01.03.2026' AND DATUM<='31.03.2026'", {2, 3, 6}},
            {"CAS>='07:30' AND CAS<='12:00'", {3, 4}},
            {"DATUM<='28.02.2026'", {1, 5}},
            {"CTM='0100*'", {1, 2}},
            {"CTM=''", {4, 5}},
            {"CTM='x'' OR 1=1 --'", {6}},
            {"ORI='F' OR NOT (RES='00' OR RES='10')", {3, 4}},
            {"", {1, 2, 3, 4, 5, 6}},
        };
        for (const auto &[text, expected] : cases) {
            SCOPED_TRACE(text);
            const CompiledFilter f = compileFilter(QString::fromUtf8(text), eventsSchema());
            ASSERT_TRUE(f.ok) << f.error.toStdString();
            QString sql = QStringLiteral(R"(SELECT "IdEve" FROM "WKVREVE")");
            if (!f.where.isEmpty())
                sql += QStringLiteral(" WHERE ") + f.where;
            ASSERT_TRUE(q.prepare(sql)) << q.lastError().text().toStdString();
            for (const QVariant &p : f.params)
                q.addBindValue(p);
            ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
            std::set<int> found;
            while (q.next())
                found.insert(q.value(0).toInt());
            EXPECT_EQ(found, expected);
        }
    }
    QSqlDatabase::removeDatabase(connection);
}

} // namespace
} // namespace vardex
