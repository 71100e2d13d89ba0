#pragma once

#include <QObject>
#include <QString>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ledger/LedgerEntry.h"
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
    // What the server received that the station's ledger does not have yet,
    // in the server's order (each entry's id the server's number), for the
    // window to keep (Ledger::TakeFromServer): the window alone writes the
    // ledger and the inventory file that follows it.
    std::vector<LedgerEntry> read;
};

// Sends this station's transactions from its own ledger file to the lab's
// server on a thread of its own, every few seconds and whenever asked, so
// that the window never waits for the network, and reads what the server
// received since (the other stations' counts) for the window. What the
// server does not take stays in the file and goes with the next attempt,
// each transaction once.
// The thread and the window hand work and state over under this object's
// lock; an eventfd wakes the window.
class ServerSync : public QObject {
    Q_OBJECT
public:
    // `ledgerFile` the station's SQLite ledger, `conninfo` the server.
    ServerSync(const QString& ledgerFile, const QString& conninfo, const QString& station,
               int intervalMs = kIntervalMs, QObject* parent = nullptr);
    static constexpr int kIntervalMs = 2000;
    ~ServerSync() override;

    // An attempt soon (after a sample's transactions were kept).
    void SendSoon();
    // One attempt now, waited for (at the console's close).
    ServerSyncState SendAndWait();

    // The window could not keep what was read: the next attempt reads again
    // from the ledger's note of the last it kept.
    void ReadAgain();

    // "lab-db" for host=lab-db, "vyn8" for service=vyn8, ...
    static QString ShortName(const QString& conninfo);
    // The key of the ledger's note of the server's number of the last
    // transaction the station kept from it.
    static QString ReadNote(const QString& conninfo);
    static constexpr int kReadMost = 5000;  // read at one attempt

signals:
    // In the window's thread, after each attempt.
    void stateChanged(const ServerSyncState& state);

private:
    void Run();
    ServerSyncState Attempt(bool mayRead, quint64 readEpoch);
    void TakeState();
    QString SentNote() const;

    const QString m_ledgerFile;
    const QString m_conninfo;
    const QString m_station;
    const int m_intervalMs;

    // The sending thread's own.
    std::unique_ptr<SqliteLedgerStore> m_local;
    std::unique_ptr<PgLedgerStore> m_server;
    qint64 m_lastOnServer = 0;              // this station's last sequence the server had
    qint64 m_lastRead = 0;                  // the server's number of the last transaction read
    quint64 m_readEpochSeen = ~quint64{0};  // none yet: the note tells where to read on

    // Shared, under m_lock.
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    quint64 m_asked = 0;     // attempts asked for
    quint64 m_answered = 0;  // attempts asked for and made
    ServerSyncState m_state;
    bool m_stateNew = false;
    std::vector<LedgerEntry> m_read;  // read, not taken by the window yet
    bool m_moreToRead = false;
    quint64 m_readEpoch = 0;  // one more at each ReadAgain()

    int m_eventFd = -1;
    QSocketNotifier* m_notifier = nullptr;
    std::thread m_thread;
};
