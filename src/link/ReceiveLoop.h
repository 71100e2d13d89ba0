#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "link/FrameAssembler.h"

class QObject;

// The receive loop: on a thread of its own it waits with poll() for the
// counter's bytes, reads them as soon as they arrive, reassembles the frames
// and hands them to the receiver's (user-interface) thread as queued calls,
// in arrival order. It never touches anything of the receiver itself.
class ReceiveLoop {
public:
    struct Handlers {
        // The complete frames of one read, in order.
        std::function<void(const std::vector<QByteArray>&)> frames;
        // The line closed or failed; the loop has ended. `reason` is for the
        // operator.
        std::function<void(const QString& reason)> lineLost;
    };
    // `fd` is read, never closed. The handlers run on `receiver`'s thread;
    // calls still queued when it is destroyed are dropped.
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

    int m_fd;
    int m_wakeFd = -1;
    QObject* m_receiver;  // outlives the thread: its owner stops the loop first
    Handlers m_handlers;
    FrameAssembler m_assembler;  // used on the loop's thread only
    mutable std::mutex m_lock;
    bool m_bStop = false;
    std::thread m_thread;
};
