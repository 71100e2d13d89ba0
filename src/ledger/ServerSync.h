#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "ledger/LedgerProblem.h"

class QThread;
class ServerSyncWorker;

// Where the sending of a station's transactions to the lab's server stands.
struct ServerSyncState {
    QString server;  // its short name, as the status bar shows it
    bool reachable = false;
    bool known = false;     // false until the first attempt ended
    qint64 waiting = 0;     // this station's transactions not on the server yet
    LedgerProblem problem;  // why the last attempt failed
};
Q_DECLARE_METATYPE(ServerSyncState)

// Sends this station's transactions from its own ledger file to the lab's
// server on a thread of its own, every few seconds and whenever asked, so
// that the window never waits for the network. What the server does not take
// stays in the file and goes with the next attempt, each transaction once.
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
    void stateChanged(const ServerSyncState& state);

private:
    QThread* m_thread;
    ServerSyncWorker* m_worker;
};
