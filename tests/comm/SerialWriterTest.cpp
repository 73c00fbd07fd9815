#include "comm/SerialWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <unistd.h>

namespace vardex {
namespace {

// A frame the line refuses (here a pipe: no parity can be set on it) ends
// the writer, and the failure reaches the main thread instead of vanishing.
TEST(SerialWriter, AFailedWriteIsReportedAndEndsTheThread)
{
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    EventFd stop;
    std::mutex mutex;
    std::condition_variable rung;
    bool woken = false;
    LineMailbox mailbox([&] {
        const std::lock_guard lock(mutex);
        woken = true;
        rung.notify_all();
    });
    SerialWriter writer(pipeFds[1], stop.fd(), mailbox);
    ASSERT_TRUE(writer.start());
    writer.sendFrame(QByteArray("\x05\x03\x84\x8c", 4));

    std::vector<LineMessage::Kind> kinds;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (kinds.size() < 2 && std::chrono::steady_clock::now() < deadline) {
        std::unique_lock lock(mutex);
        rung.wait_until(lock, deadline, [&] { return woken; });
        woken = false;
        lock.unlock();
        for (LineMessage &m : mailbox.takeAll())
            kinds.push_back(m.kind);
    }
    EXPECT_EQ(kinds, (std::vector{LineMessage::Kind::Ready, LineMessage::Kind::Failed}));
    stop.set();
    writer.join();
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
}

} // namespace
} // namespace vardex
