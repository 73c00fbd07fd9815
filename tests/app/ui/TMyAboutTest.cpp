#include "app/ui/TMyAbout.h"

#include <gtest/gtest.h>

using namespace vardex;

TEST(TMyAbout, ShowsThisMachinesMemoryOrNothing)
{
    TMyAbout about;
    EXPECT_GT(about.memoryTotalText().size(), 4);
    EXPECT_TRUE(about.memoryTotalText().endsWith(QStringLiteral(" KB")));
    EXPECT_TRUE(about.memoryLoadText().endsWith(QStringLiteral(" %")));

    TMyAbout unknown(MemoryStatus{});
    EXPECT_TRUE(unknown.memoryTotalText().isEmpty());
    EXPECT_TRUE(unknown.memoryLoadText().isEmpty());
}
