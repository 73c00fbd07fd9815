#include "tables/CzechCollation.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vardex {
namespace {

const auto sign = [](int v) { return (v > 0) - (v < 0); };

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
        {"Rybka", "Řehoř", "Sokol", "Šťastný", "Tomáš", "Zeman", "Žák"},
        {"ca", "ci", "cz", "čz", "da", "ha", "hz", "cha", "chz", "ia"},
        // Accents break ties only: Adam < Ádám but Ádám < Adamec.
        {"Adam", "Ádám", "Adamec"},
        {"ea", "éa", "ěa", "eb"},
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
    for (const char *pair : {"abc ABC", "čapek ČAPEK", "chalupa CHALUPA", "ch Ch", "ŘEHOŘ řehoř"}) {
        const QStringList xy = QString::fromUtf8(pair).split(u' ');
        EXPECT_EQ(compareCzech(xy[0], xy[1], true), 0) << pair;
        EXPECT_EQ(compareUtf8(xy[0], xy[1], true), 0) << pair;
    }
    // Lower case first; an accent outweighs case.
    expectAscending({"abc", "aBc", "Abc", "ABC", "ábc", "Ábc"}, false);
    expectAscending({"ch", "cH", "Ch", "CH"}, false);
    EXPECT_LT(compareCzech(u"Adam", u"ádam", true), 0);
}

// The case-sensitive order is a strict total order: distinct texts never
// compare equal, and sorting a mixed corpus gives a consistent sequence.
// Byte strings that are not UTF-8 compare consistently too.
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
    const auto utf8Safe = [](const QString &s) {
        return !s.contains(QChar(0xD800)) && !s.contains(QChar(0xDC00));
    };
    for (const QString &a : corpus) {
        for (const QString &b : corpus) {
            const int r = compareCzech(a, b, false);
            EXPECT_EQ(r == 0, a == b) << a.toStdString() << " / " << b.toStdString();
            EXPECT_EQ(sign(r), -sign(compareCzech(b, a, false)));
            if (utf8Safe(a) && utf8Safe(b)) {
                EXPECT_EQ(sign(r), sign(compareUtf8(a, b, false)))
                    << a.toStdString() << " / " << b.toStdString();
            }
        }
    }
    std::sort(corpus.begin(), corpus.end(),
              [](const QString &a, const QString &b) { return compareCzech(a, b, false) < 0; });
    expectAscending(corpus, false, false);
    const QByteArray bytes[] = {"\xC4",     "\xC4\x8D",     "\xC4\x8D\x80", "\x80",     "\xFF\xFE",
                                "\xE2\x82", "\xE2\x82\xAC", "\xED\xA0\x80", "\xC0\xAF", "c\xC4",
                                "ch"};
    for (const QByteArray &a : bytes) {
        for (const QByteArray &b : bytes) {
            const int r = compareCzechUtf8(a.constData(), a.size(), b.constData(), b.size(), false);
            EXPECT_EQ(r == 0, a == b);
            EXPECT_EQ(sign(r), -sign(compareCzechUtf8(b.constData(), b.size(), a.constData(),
                                                      a.size(), false)));
        }
    }
}

} // namespace
} // namespace vardex
