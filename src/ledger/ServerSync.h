#pragma once

#include <QObject>
#include <QString>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "ledger/LedgerProblem.h"

class PgLedgerStore;
class QSocketNotifier;
class SqliteLedgerStore;

// Where the sending of a station's transactions to the lab's server stands.
struct ServerSyncState {
    QString server;  // its short name, as the status bar shows it
    bool reachable = false;
    bool known = false;     // false until the first attempt ended
    qint64 waiting = 0;     // this station's transactions not on the server yet
    LedgerProblem problem;  // why the last attempt failed
};

// Sends this station's transactions from its own ledger file to the lab's
// server on a thread of its own, every few seconds and whenever asked, so
// that the window never waits for the network. What the server does not take
// stays in the file and goes with the next attempt, each transaction once.
// The thread and the window hand work and state over under this object's
// lock; an eventfd wakes the window.
class ServerSync : public QObject {
    Q_OBJECT
public:
    // `ledgerFile` the station's SQLite ledger, `conninfo` the server.
    ServerSync(const QString& ledgerFile, const QString& conninfo, const QString& station,
               int intervalMs = 5000, QObject* parent = nullptr);
    ~ServerSync() override;

    // An attempt soon (after a sample's transactions were kept).
    void SendSoon();
    // One attempt now, waited for (at the console's close).
    ServerSyncState SendAndWait();

    // "lab-db" for host=lab-db, "vyn8" for service=vyn8, ...
    static QString ShortName(const QString& conninfo);

signals:
    // In the window's thread, after each attempt.
    void stateChanged(const ServerSyncState& state);

private:
    void Run();
    ServerSyncState Attempt();
    void TakeState();
    QString SentNote() const;

    const QString m_ledgerFile;
    const QString m_conninfo;
    const QString m_station;
    const int m_intervalMs;

    // The sending thread's own.
    std::unique_ptr<SqliteLedgerStore> m_local;
    std::unique_ptr<PgLedgerStore> m_server;
    qint64 m_lastOnServer = 0;  // this station's last sequence the server had

    // Shared, under m_lock.
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    quint64 m_asked = 0;     // attempts asked for
    quint64 m_answered = 0;  // attempts asked for and made
    ServerSyncState m_state;
    bool m_stateNew = false;

    int m_eventFd = -1;
    QSocketNotifier* m_notifier = nullptr;
    std::thread m_thread;
};
