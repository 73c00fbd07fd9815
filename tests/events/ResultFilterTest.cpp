#include "events/ResultFilter.h"
#include "accessdata/TDB0DM.h"
#include "platform/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace vardex;

namespace {

// The codes of a filter text, in order ("RES='0A' OR RES='1B'" gives 0A 1B).
QStringList codes(const QString &text)
{
    QStringList out;
    for (const QString &term : text.split(QStringLiteral(" OR ")))
        out.append(term.mid(5, 2));
    EXPECT_EQ(text, "RES='" + out.join(QStringLiteral("' OR RES='")) + "'");
    return out;
}

// Every code from `from` up to `from` + 15.
QStringList run(int from)
{
    QStringList out;
    for (int code = from; code < from + 16; ++code)
        out.append(QString::number(code, 16).toUpper());
    return out;
}

ResultFilter filter(std::initializer_list<int> kinds, bool pairs, std::initializer_list<int> places)
{
    ResultFilter f;
    for (int k : kinds)
        f.kinds[k] = true;
    f.pairs = pairs;
    for (int p : places)
        f.places[p] = true;
    return f;
}

} // namespace

TEST(ResultFilter, TermsRunByKindThenBit6ThenPlace)
{
    QStringList all;
    for (int from : {0x80, 0xC0, 0x90, 0xD0, 0xA0, 0xE0, 0xB0, 0xF0})
        all += run(from);
    ResultFilter everything = filter({0, 1, 2, 3}, true, {});
    everything.places.fill(true);

    const struct
    {
        ResultFilter filter;
        QStringList codes;
    } cases[] = {
        {filter({ResultFilter::Povoleno}, false, {0, 9}), {"00", "09", "40", "49"}},
        {filter({ResultFilter::Nezavreno, ResultFilter::Ilegalni}, false, {15}),
         {"1F", "5F", "3F", "7F"}},
        {filter({ResultFilter::Neotevreno}, true, {7, 8}), {"A7", "A8", "E7", "E8"}},
        {everything, all},
    };
    for (const auto &c : cases) {
        EXPECT_TRUE(c.filter.complete());
        EXPECT_EQ(codes(c.filter.text()), c.codes);
    }
    EXPECT_EQ(all.size(), 128);
}

TEST(ResultFilter, NeedsAKindAndAPlace)
{
    for (const ResultFilter &f :
         {filter({}, false, {}), filter({0}, false, {}), filter({}, true, {3})}) {
        EXPECT_FALSE(f.complete());
        EXPECT_TRUE(f.text().isEmpty());
    }
}

// The text is a filter the event table takes, the longest one too.
TEST(ResultFilter, SelectsInTheEventTable)
{
    vardex::testing::TempDir dir;
    vardex::testing::ScriptedMessages messages;
    FixedClock clock{QDateTime(QDate(2027, 1, 2), QTime(10, 0))};
    TDB0DM db{dir.path(), messages, clock};
    ASSERT_TRUE(db.OpenMinimalDatabases(nullptr));
    Table &e = db.tbEvents;
    const QStringList fields = {"DATUM", "CAS", "AHWJ", "CTM", "ORI", "RES"};
    for (const char *res : {"00", "49", "09", "01", "89", "10"}) {
        const QVariantList values = {QDate(2027, 1, 2), QTime(8, 0), "05",
                                     "01665544332211",  true,        res};
        ASSERT_TRUE(e.append());
        for (qsizetype i = 0; i < fields.size(); ++i)
            e.setValue(fields[i], values[i]);
        ASSERT_TRUE(e.post()) << e.errorMessage().toStdString();
    }
    ResultFilter all = filter({0, 1, 2, 3}, false, {});
    all.places.fill(true);
    for (const auto &[f, count] : {std::pair{filter({0}, false, {0, 9}), 3}, {all, 5}}) {
        ASSERT_TRUE(e.setFilterText(f.text())) << e.filterError().toStdString();
        e.setFiltered(true);
        EXPECT_EQ(e.recordCount(), count);
    }
}
