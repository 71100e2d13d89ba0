#pragma once

#include <QByteArray>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "link/FrameAssembler.h"

class QObject;
class QSocketNotifier;

// The receive loop: on a thread of its own it waits with poll() for the
// counter's bytes, reads them as soon as they arrive, reassembles the frames
// and hands them to the receiver's (user-interface) thread as calls, in
// arrival order. It never touches anything of the receiver itself. The calls
// wait in a queue of the loop's own, under its lock, and an eventfd that the
// receiver's thread watches says that some are waiting: the hand-over is
// plain to see (no object made on one thread is taken apart on the other by
// Qt's event queue), and nothing is left to run once the loop is gone.
class ReceiveLoop {
public:
    struct Handlers {
        // The complete frames of one read, in order.
        std::function<void(const std::vector<QByteArray>&)> frames;
        // The line closed or failed; the loop has ended. `reason` is for the
        // operator.
        std::function<void(const QString& reason)> lineLost;
        // How the bytes are cut into messages; the counter's frames when
        // empty (another instrument's lines, say).
        std::function<std::vector<QByteArray>(const char*, size_t)> split;
    };
    // `fd` is read, never closed. Made on `receiver`'s thread, where the
    // handlers run; calls still waiting when the loop is destroyed are dropped.
    ReceiveLoop(int fd, QObject* receiver, Handlers handlers);
    ~ReceiveLoop();
    ReceiveLoop(const ReceiveLoop&) = delete;
    ReceiveLoop& operator=(const ReceiveLoop&) = delete;

    // Starts the thread; false when the wake-up descriptor could not be made.
    bool Start();
    // Sets the stop flag, wakes the thread and joins it. The thread never
    // waits for the receiver, so this returns promptly. Idempotent.
    void Stop();
    bool Running() const;

private:
    void Run();
    bool StopRequested() const;
    // Reads what is waiting; false when the line is gone (`hungUp`: poll
    // reported a hang-up or error, so an empty read means the end).
    bool ReadAvailable(bool hungUp);
    void Post(std::function<void()> call);
    void PostLost(const QString& reason);
    // On the receiver's thread: runs the waiting calls in order, one by one,
    // so that a call that opens a message box (and so runs the event loop)
    // never lets a later one overtake an earlier one. Stops when a call
    // destroys the loop.
    void RunPosted();

    int m_fd;
    int m_wakeFd = -1;
    QObject* m_receiver;  // outlives the thread: its owner stops the loop first
    Handlers m_handlers;
    FrameAssembler m_assembler;  // used on the loop's thread only
    int m_postFd = -1;           // eventfd: calls are waiting
    std::unique_ptr<QSocketNotifier> m_postNotifier;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    mutable std::mutex m_lock;  // guards m_bStop and m_calls
    bool m_bStop = false;
    std::deque<std::function<void()>> m_calls;
    std::thread m_thread;
};
