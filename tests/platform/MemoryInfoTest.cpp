#include "platform/MemoryInfo.h"

#include <gtest/gtest.h>

using namespace vardex;

TEST(MemoryInfo, LoadComesFromTotalAndAvailable)
{
    // The text of /proc/meminfo; whether it is understood, the load.
    const std::tuple<const char *, bool, int> cases[] = {
        {"MemTotal:  16314368 kB\nMemFree:  1000 kB\nMemAvailable:  10278052 kB\n", true, 37},
        // Older kernels have no MemAvailable.
        {"MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 100 kB\n", true, 75},
        {"MemTotal: 1000 kB\nMemAvailable: 1200 kB\n", true, 0},
        {"MemTotal: 1000 kB\nMemAvailable: 0 kB\n", true, 100},
        {"MemFree: 100 kB\nMemAvailable: 50 kB\n", false, 0},
        {"MemTotal: lots kB\n", false, 0},
    };
    for (const auto &[text, ok, load] : cases) {
        const MemoryStatus status = parseMemInfo(QString::fromLatin1(text));
        EXPECT_EQ(std::pair(status.ok, status.loadPercent), std::pair(ok, load)) << text;
    }
    EXPECT_EQ(parseMemInfo(QStringLiteral("MemTotal: 2 kB\n")).totalBytes, 2048u);
    EXPECT_FALSE(readMemoryStatus(QStringLiteral("/nonexistent/meminfo")).ok);
}

TEST(MemoryInfo, TotalIsShownInGroupedKilobytes)
{
    const QString nb(QChar(0x00A0));
    const std::pair<quint64, QString> cases[] = {
        {1023, "0 KB"},
        {999 * 1024, "999 KB"},
        {1000 * 1024, "1" + nb + "000 KB"},
        {123456789012ull * 1024, "123" + nb + "456" + nb + "789" + nb + "012 KB"},
    };
    for (const auto &[bytes, text] : cases)
        EXPECT_EQ(formatMemoryTotal(bytes), text) << bytes;
    EXPECT_EQ(formatMemoryLoad(37), QStringLiteral("37 %"));
}
