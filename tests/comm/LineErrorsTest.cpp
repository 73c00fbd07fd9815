#include "comm/LineErrors.h"

#include <gtest/gtest.h>

namespace vardex {
namespace {

TEST(LineErrors, ComposesTheTextInItsFixedOrder)
{
    using namespace LineErrors;
    const std::pair<quint32, const char *> cases[] = {
        {0, "CommEvent: NULL Error, EvtMask = 0"},
        {Frame, "CommEvent: CE_FRAME, EvtMask = 8"},
        {Overrun, "CommEvent: CE_OVERRUN, EvtMask = 2"},
        {RxParity | Frame, "CommEvent: CE_FRAME and CE_RXPARITY, EvtMask = 12"},
        {Frame | Overrun | RxParity,
         "CommEvent: CE_FRAME and CE_OVERRUN and CE_RXPARITY, EvtMask = 14"},
        {Break, "CommEvent: EV_ERR neznámá EvtMask, EvtMask = 16"},
        {RxOver | Break | Frame, "CommEvent: CE_FRAME and EV_ERR neznámá EvtMask, EvtMask = 25"},
    };
    for (const auto &[flags, expected] : cases)
        EXPECT_EQ(text(flags), QString::fromUtf8(expected)) << flags;
}

TEST(LineErrors, FlagsComeFromChangedCountersOnlyAndTheChunkIsCp1250)
{
    const LineCounters before{3, 1, 0, 0, 0};
    EXPECT_EQ(LineErrors::flagsBetween(before, before), 0u);
    EXPECT_EQ(LineErrors::flagsBetween(before, {4, 1, 2, 0, 0}),
              LineErrors::Frame | LineErrors::RxParity);
    EXPECT_EQ(LineErrors::flagsBetween(before, {3, 2, 0, 1, 5}),
              LineErrors::Overrun | LineErrors::Break | LineErrors::RxOver);
    EXPECT_EQ(LineErrors::chunk(LineErrors::Break),
              QByteArray("CommEvent: EV_ERR nezn\xe1m\xe1 EvtMask, EvtMask = 16"));
}

} // namespace
} // namespace vardex
