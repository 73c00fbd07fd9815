#include "tables/FilterExpression.h"
#include "TableTestData.h"
#include "tables/FilterConstant.h"

#include <gtest/gtest.h>

#include <random>

namespace vardex {
namespace {

// The event table without its indexes, whose collations would change the clauses.
const TableSchema schema = [] {
    TableSchema s = testing::eventSchema();
    s.indexes.clear();
    return s;
}();

TEST(FilterExpression, CompilesTheFormsTheProgramBuildsAndTheOperatorTypes)
{
    const QString ctm = QStringLiteral("0100000000AB12");
    const std::tuple<const char *, const char *, QVariantList> cases[] = {
        {"   ", "", {}},
        // The component filters of the event browser, recombined.
        {"(DATUM>='01.03.2026' AND DATUM<='31.03.2026') AND (CAS>='00:00' AND CAS<='12:00') AND "
         "(CTM='0100000000AB12') AND (AHWJ='1A') AND (RES='00' OR RES='09')",
         R"(("DATUM" >= ? AND "DATUM" <= ? AND "CAS" >= ? AND "CAS" <= ? AND "CTM" = ? AND )"
         R"("AHWJ" = ? AND ("RES" = ? OR "RES" = ?)))",
         {"2026-03-01", "2026-03-31", "00:00:00", "12:00:00", ctm, "1A", "00", "09"}},
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
    for (const auto &[text, where, params] : cases) {
        SCOPED_TRACE(text);
        const CompiledFilter f = compileFilter(QString::fromUtf8(text), schema);
        ASSERT_TRUE(f.ok) << f.error.toStdString();
        EXPECT_EQ(f.where, QString::fromUtf8(where));
        EXPECT_EQ(f.params, params);
        for (const QVariant &p : f.params) // a null text would be bound as NULL
            EXPECT_FALSE(p.typeId() == QMetaType::QString && p.toString().isNull());
    }
}

TEST(FilterExpression, RefusesMalformedTextsSayingWhatAndWhereAndLimitsNesting)
{
    const std::pair<const char *, const char *> cases[] = {
        {"XYZ = '1'", "Neznámá položka: XYZ (pozice 1)"},
        {"DATUM '01.03.2026'", "Chybí operátor za položkou DATUM (pozice 7)"},
        {"CTM = 'abc", "Neukončený řetězec (pozice 7)"},
        {"\"CTM = '1'", "Neukončený název položky (pozice 1)"},
        {"DATUM >= '31.02.2026'", "Chybné datum: 31.02.2026 (pozice 10)"},
        {"CAS >= '24:00'", "Chybný čas: 24:00 (pozice 8)"},
        {"ORI = 'X'", "Chybná logická hodnota: X (pozice 7)"},
        {"IdEve > '1x'", "Chybné číslo: 1x (pozice 9)"},
        {"(CTM = '1'", "Chybí pravá závorka (pozice 11)"},
        {"(CTM = '1' RES = '2')", "Nečekaný text: RES = '2') (pozice 12)"},
        {"CTM = '1' XYZ AND AHWJ = '01' AND RES = '02'",
         "Nečekaný text: XYZ AND AHWJ = '01' ... (pozice 11)"},
        {"CTM = '1' AND", "Chybí podmínka (pozice 14)"},
        {"CTM = '1' AND OR RES = '2'", "Chybí podmínka (pozice 15)"},
        {"CTM =", "Chybí hodnota pro položku CTM (pozice 6)"},
        {"CTM = AND RES = '1'", "Chybí hodnota pro položku CTM (pozice 7)"},
        {"DATUM < ''", "Chybí hodnota pro položku DATUM (pozice 9)"},
        {"= '1'", "Chybí název položky (pozice 1)"},
    };
    for (const auto &[text, message] : cases) {
        SCOPED_TRACE(text);
        const CompiledFilter f = compileFilter(QString::fromUtf8(text), schema);
        EXPECT_FALSE(f.ok);
        EXPECT_EQ(f.error, QString::fromUtf8(message));
        EXPECT_TRUE(f.where.isEmpty());
    }
    // Nesting of parentheses is limited; a long run of NOTs is no recursion at all.
    const auto nested = [](int depth) {
        return QString(depth, u'(') + QStringLiteral("CTM='1'") + QString(depth, u')');
    };
    EXPECT_TRUE(compileFilter(nested(100), schema).ok);
    const CompiledFilter deep = compileFilter(nested(100000), schema);
    EXPECT_FALSE(deep.ok);
    EXPECT_EQ(deep.error, QStringLiteral("Příliš mnoho vnořených závorek (pozice 101)"));
    EXPECT_TRUE(compileFilter(QStringLiteral("NOT ").repeated(100001) + "CTM='1'", schema).ok);
}

// Whatever the text, the result is either a clause whose "?" match the
// parameters or a message; nothing crashes.
TEST(FilterExpression, SurvivesGarbage)
{
    // Blanks of every kind, impossible constants, a foreign name, a NUL; every prefix and every
    // one-character omission of a full filter, and pseudo-random strings of its pieces.
    QStringList texts = {"CTM\t=\n'1'\r\nAND\u00a0RES='2'", "DATUM >= '99.99.9999'",
                         "IdEve > '99999999999999999999999'", "ŽLUŤOUČKÝ = 'kůň'"};
    texts << QString(QChar(0));
    const QString full = QStringLiteral("(DATUM>='01.03.2026' AND NOT CAS<='12:00') OR "
                                        "(CTM='0100*' AND ORI='T') OR IdEve <> 5");
    for (qsizetype i = 0; i <= full.size(); ++i)
        texts << full.left(i) << full.left(i) + full.mid(i + 1);
    const QStringList pieces = {"(",   ")",   "'",     "''",  "\"",  "=",   "<", ">", "AND", "OR",
                                "NOT", "CTM", "DATUM", "ORI", "'1'", "'T'", " ", "*", "x"};
    std::mt19937 rng(12345);
    for (int n = 0; n < 2000; ++n) {
        QString text;
        for (int k = 0; k < 12; ++k)
            text += pieces[rng() % pieces.size()];
        texts << text;
    }
    for (const QString &text : texts) {
        const CompiledFilter f = compileFilter(text, schema);
        EXPECT_TRUE(f.ok ? f.where.count(u'?') == f.params.size() : !f.error.isEmpty())
            << text.toStdString();
    }
}

TEST(FilterConstant, ConvertsToTheStorageFormOrRefuses)
{
    using enum FieldType;
    const std::tuple<FieldType, const char *, QVariant> accepted[] = {
        {Date, "29.02.2024", "2024-02-29"},
        {Date, " 1.1.2026 ", "2026-01-01"},
        {Time, "23:59:59", "23:59:59"},
        {DateTime, "01.03.2026 7:05", "2026-03-01 07:05:00"},
        {DateTime, "01.03.2026", "2026-03-01 00:00:00"},
        {Float, "1,5", 1.5},
        {Boolean, "ano", 1},
        {String, " a ", " a "},
    };
    for (const auto &[type, text, value] : accepted) {
        const FilterConstant v = convertFilterConstant(QString::fromUtf8(text), type);
        EXPECT_TRUE(v.ok) << text << ": " << v.error.toStdString();
        EXPECT_EQ(v.value, value) << text;
    }
    const std::pair<FieldType, QStringList> refused[] = {
        {Date, {"29.02.2026", "01.13.2026", "00.01.2026", "2026-3-1", "01.03.0999"}},
        {Time, {"23:59:60", "7:5", "07:05:"}},
        {DateTime, {"01.03.202607:05", "01.03.2026 25:00"}},
        {Integer, {"1.5", "0x10", "-"}},
        {Float, {"inf", "1e999"}},
        {Boolean, {"yes"}},
        {Bytes, {"00"}},
    };
    for (const auto &[type, texts] : refused) {
        for (const QString &text : texts) {
            const FilterConstant v = convertFilterConstant(text, type);
            EXPECT_FALSE(v.ok) << text.toStdString();
            EXPECT_FALSE(v.error.isEmpty()) << text.toStdString();
        }
    }
}

} // namespace
} // namespace vardex
