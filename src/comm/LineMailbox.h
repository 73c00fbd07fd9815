#pragma once

#include <QByteArray>
#include <deque>
#include <functional>
#include <mutex>

namespace vardex {

// Which worker thread a message comes from.
enum class LineThread { Reader = 0, Writer = 1 };

// What the reader and writer threads tell the main thread.
struct LineMessage
{
    enum class Kind {
        Chunk,  // received bytes (or a line-error text), owned by the receiver
        Failed, // the thread has failed and is ending
        Ready,  // the thread has started
    };
    Kind kind = Kind::Chunk;
    LineThread from = LineThread::Reader;
    QByteArray bytes;
};

// The hand-over from the worker threads to the main thread: a thread posts a
// message (its bytes move into the box) and rings `wake`, which queues a call
// on the main thread; the main thread takes what has arrived.
class LineMailbox
{
public:
    explicit LineMailbox(std::function<void()> wake) : m_wake(std::move(wake)) {}

    // Any thread.
    void post(LineMessage message);
    // Main thread.
    std::deque<LineMessage> takeAll();

private:
    std::function<void()> m_wake;
    std::mutex m_mutex;
    std::deque<LineMessage> m_messages;
};

} // namespace vardex
