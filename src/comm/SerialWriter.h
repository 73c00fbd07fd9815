#pragma once

#include "comm/EventFd.h"
#include "comm/LineMailbox.h"

#include <QByteArray>
#include <chrono>
#include <deque>
#include <mutex>
#include <thread>

namespace vardex {

// The writer thread: sends what the main thread queues, in order. A command
// frame goes out as the address byte with mark parity, a pause of at least
// 5 ms, then the rest with space parity; a plain write (the acknowledgement)
// goes out as it is with the parity in force. Ends when the stop signal is
// set, or on a write failure, which it reports.
class SerialWriter
{
public:
    static constexpr std::chrono::milliseconds kSettle{1};
    static constexpr std::chrono::milliseconds kAddressGap{5};
    // The thread's name as the system lists it.
    static constexpr const char *kThreadName = "com-writer";

    SerialWriter(int fd, int stopFd, LineMailbox &mailbox);
    ~SerialWriter();
    SerialWriter(const SerialWriter &) = delete;
    SerialWriter &operator=(const SerialWriter &) = delete;

    // False when the system could not create the thread.
    bool start();
    // Waits for the thread to end (the stop signal must be set first).
    void join();

    // Main thread: queue a command frame (address byte first) or plain bytes.
    void sendFrame(QByteArray frame);
    void sendPlain(QByteArray bytes);

private:
    struct Job
    {
        QByteArray bytes;
        bool addressed = false;
    };
    enum class Outcome { Sent, Stopped, Abandoned, Failed };

    void queue(Job job);
    void run();
    Outcome send(const Job &job);
    Outcome writeAll(const char *data, qsizetype size);
    // Waits at least `duration`; false when the stop signal came first.
    bool pause(std::chrono::milliseconds duration);

    const int m_fd;
    const int m_stopFd;
    LineMailbox &m_mailbox;
    EventFd m_wake;
    std::mutex m_mutex;
    std::deque<Job> m_jobs;
    std::thread m_thread;
};

} // namespace vardex
