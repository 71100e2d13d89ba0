#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <mutex>
#include <thread>

#include "link/PtyCounter.h"

// The counter's end of a pseudo-terminal pair, driven by a console test: it
// answers every ENQ with ACK (so the console can connect again and again),
// records every byte the console writes, and sends the frames the test gives
// it. COMn is mapped to the console's end while it lives.
class PtyCounter {
public:
    explicit PtyCounter(int com = 1);
    ~PtyCounter();
    PtyCounter(const PtyCounter&) = delete;
    PtyCounter& operator=(const PtyCounter&) = delete;

    bool ok() const { return m_pty.master() >= 0; }
    QString ConsolePath() const { return m_pty.slavePath(); }

    void Send(const QByteArray& bytes);
    void SendEvent(const QString& name);
    void SendCount(const QString& count, const QString& packNo);

    // Every byte the console has written so far (the handshake included).
    QByteArray Received() const;
    // The bytes written since the last call (the handshake dropped), after
    // pumping the event loop until there are `atLeast` of them or `ms` pass.
    QByteArray TakeFrames(qsizetype atLeast = 0, int ms = 3000);
    int EnqCount() const { return m_nEnq; }

    // Stop answering the handshake (a silent counter).
    void SetSilent(bool silent) { m_bSilent = silent; }
    // A slow line: the counter takes at most `bytesPerMs` bytes a millisecond
    // (0: none, the line is stuck; -1: all at once, the default). What it has
    // not taken yet waits in the pseudo-terminal, as in a port's output queue.
    void SetBytesPerMs(int bytesPerMs) { m_nBytesPerMs = bytesPerMs; }
    // Bytes the console has written that the counter has not taken yet,
    // after waiting up to `settleMs` for bytes still on their way through the
    // pseudo-terminal.
    int Pending(int settleMs = 0) const;
    // The counter goes away: its end of the line closes.
    void Vanish();

private:
    void Run();

    PtyPair m_pty;
    PortEnv m_env;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bSilent{false};
    std::atomic<int> m_nEnq{0};
    std::atomic<int> m_nBytesPerMs{-1};
    mutable std::mutex m_lock;
    QByteArray m_received;
    qsizetype m_taken = 0;
    std::thread m_thread;
};
