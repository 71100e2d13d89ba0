#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

#include "data/InventoryChange.h"
#include "data/InventoryMap.h"
#include "ledger/LedgerProblem.h"
#include "ledger/ServerSync.h"

class Ledger;
class QLabel;
class QStatusBar;
class QWidget;

// The inventory ledger in the window: started with the console, fed the
// final figures of each sample, shown in the status bar with the operator.
// The operator hears once when the ledger cannot be written (transactions
// then wait in memory and are retried) and once when all that waited is kept.
// With a lab server set, the station's transactions are sent there on a
// thread of their own; the operator hears once when the server cannot be
// reached and once when all that waited has been sent, and what the other
// stations counted reaches the window's inventory.
class LedgerHookup : public QObject {
    Q_OBJECT
public:
    LedgerHookup(Ledger& ledger, QStatusBar* statusBar);

    // Opens the ledger beside `inventoryFile` and says what its start found.
    void Start(const QString& inventoryFile);
    void Record(const FinalFigures& figures);
    void NoteSaved(int recordCount, const QString& file);
    // Takes the operator's name and the ledger server from the settings
    // (after Setup).
    void TakeSettings();
    // The window holds the inventory (read from its file): from now on what
    // other stations counted is kept and handed to it. Before, it is read
    // again later, so that the file is never written without it.
    void WindowTakesBalances() { m_bWindowTakes = true; }
    // The console closes: one last sending to the server, and what still
    // waits for it is told.
    void Close();
    void ExportLedger(QWidget* parent);

    Ledger& ledger() { return m_ledger; }
    QString StatusText() const;
    // The lab's server, empty for none, and where its sending stands.
    const QString& Server() const { return m_strServer; }
    const ServerSyncState& ServerState() const { return m_server; }

signals:
    // Other stations' transactions came from the lab's server: these IDs'
    // balances as the ledger now has them.
    void labBalancesChanged(const InventoryMap& balances);

private:
    void Report(const LedgerProblem& problem);
    void ShowStatus();
    void StartServerSync();
    void TakeServerState(const ServerSyncState& state);
    void TakeFromServer(const std::vector<LedgerEntry>& read);

    Ledger& m_ledger;
    QLabel* m_label = nullptr;
    QTimer m_retry;
    bool m_bTold = false;  // the operator knows the ledger cannot be written
    QString m_strServer;   // the lab's server, empty for none
    std::unique_ptr<ServerSync> m_sync;
    ServerSyncState m_server;
    bool m_bServerTold = false;  // the operator knows the server cannot be reached
    bool m_bWindowTakes = false;
};
