#include "app/ui/TMyAbout.h"

#include <gtest/gtest.h>

using namespace vardex;

TEST(TMyAbout, ShowsThisMachinesMemoryOrNothing)
{
    TMyAbout about, unknown(MemoryStatus{});
    EXPECT_TRUE(about.memoryTotalText().endsWith(QStringLiteral(" KB")));
    EXPECT_TRUE(about.memoryLoadText().endsWith(QStringLiteral(" %")));
    EXPECT_EQ(unknown.memoryTotalText() + unknown.memoryLoadText(), QString());
}
