#pragma once

// A pseudo-terminal pair for link tests and a scripted counter on its master
// side.

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "link/PortLineStatus.h"
#include "link/cSerialCom.h"

// The master end stays with the test; the slave end is reached by path, as
// the console reaches a port. Only the console holds the slave open.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    int master() const { return m_master; }
    const QString& slavePath() const { return m_slavePath; }
    // True when nobody holds the slave end open any more.
    bool SlaveClosed() const;
    void CloseMaster();

private:
    int m_master = -1;
    QString m_slavePath;
};

// Maps a console port name to a device path while alive.
class PortEnv {
public:
    explicit PortEnv(const QString& path, const QString& port = "COM1");
    ~PortEnv();

private:
    QByteArray m_name;
};

// Reads the master side on its own thread, keeps every byte with its arrival
// time, and answers ACK to the Nth ENQ (never when N is 0).
class ScriptedCounter {
public:
    using Clock = std::chrono::steady_clock;
    ScriptedCounter(int master, int ackOnEnq);
    ~ScriptedCounter();
    // Waits up to `ms` for at least `n` bytes; returns what arrived.
    QByteArray WaitBytes(int n, int ms = 2000);
    std::vector<Clock::time_point> Times();

private:
    void Run();
    int m_master;
    int m_ackOnEnq;
    std::atomic<bool> m_stop{false};
    std::mutex m_lock;
    QByteArray m_bytes;
    std::vector<Clock::time_point> m_times;
    std::thread m_thread;
};

// Line status of the real port, with scripted errors and a busy output queue.
class ScriptedLineStatus : public ILineStatus {
public:
    bool Query(int fd, uint32_t* errorMask, COMSTAT* stat) override;
    uint32_t nextMask = 0;   // reported once, then 0
    int busyQueries = 0;     // this many queries report a busy output queue
    bool failQuery = false;  // the query itself fails
    int queries = 0;

private:
    PortLineStatus m_real;
};
