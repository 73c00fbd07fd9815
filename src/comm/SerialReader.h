#pragma once

#include "comm/LineMailbox.h"

#include <QByteArray>
#include <chrono>
#include <optional>
#include <thread>

namespace vardex {

struct LineCounters;

// The reader thread: collects received bytes and posts them as one chunk
// when 50 ms pass without a further byte or 512 bytes have come together.
// Line errors (where the driver counts them) are posted as a text chunk.
// Ends when the stop signal is set, or on a failure of the line, which it
// reports.
class SerialReader
{
public:
    static constexpr std::chrono::milliseconds kSilence{50};
    static constexpr qsizetype kMaxChunk = 512;
    // The thread's name as the system lists it.
    static constexpr const char *kThreadName = "com-reader";

    SerialReader(int fd, int stopFd, LineMailbox &mailbox);
    ~SerialReader();
    SerialReader(const SerialReader &) = delete;
    SerialReader &operator=(const SerialReader &) = delete;

    // False when the system could not create the thread.
    bool start();
    // Waits for the thread to end (the stop signal must be set first).
    void join();

private:
    void run();
    void postChunk(QByteArray &chunk);
    void checkLineErrors(std::optional<LineCounters> &counters);
    void fail(QByteArray &chunk);

    const int m_fd;
    const int m_stopFd;
    LineMailbox &m_mailbox;
    std::thread m_thread;
};

} // namespace vardex
