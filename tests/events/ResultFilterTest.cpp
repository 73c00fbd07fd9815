#include "events/ResultFilter.h"

#include <gtest/gtest.h>

using namespace vardex;

namespace {

// The boxes ticked: kinds 0..3, places 0..15 (all with -1).
ResultFilter ticked(std::initializer_list<int> kinds, bool pairs, std::initializer_list<int> places)
{
    ResultFilter f;
    for (int k : kinds)
        f.kinds[k] = true;
    f.pairs = pairs;
    for (int p : places)
        p < 0 ? f.places.fill(true) : void(f.places[p] = true);
    return f;
}

} // namespace

TEST(ResultFilter, TermsRunByKindThenBit6ThenPlaceAndNeedAKindAndAPlace)
{
    QStringList all; // 80..8F, C0..CF, 90..9F, D0..DF, A0..AF, E0..EF, B0..BF, F0..FF
    for (int from : {0x80, 0xC0, 0x90, 0xD0, 0xA0, 0xE0, 0xB0, 0xF0})
        for (int code = from; code < from + 16; ++code)
            all.append(QString::number(code, 16).toUpper());
    const struct
    {
        ResultFilter filter;
        QStringList codes;
    } cases[] = {
        {ticked({ResultFilter::Povoleno}, false, {0, 9}), {"00", "09", "40", "49"}},
        {ticked({ResultFilter::Neotevreno}, true, {8, 7}), {"A7", "A8", "E7", "E8"}},
        {ticked({0, 1, 2, 3}, true, {-1}), all},
        {ticked({}, false, {-1}), {}},
        {ticked({0}, true, {}), {}},
    };
    for (const auto &c : cases) {
        const QString text = c.filter.text();
        EXPECT_EQ(c.filter.complete(), !c.codes.isEmpty());
        EXPECT_EQ(text, c.codes.isEmpty() ? QString() : "RES='" + c.codes.join("' OR RES='") + "'");
    }
}
