#pragma once

#include <QtGlobal>
#include <optional>

#include "ledger/LedgerProblem.h"

class PgLedgerStore;
class SqlLedgerStore;

// What one sending of a station's waiting transactions did.
struct SyncReport {
    int sent = 0;          // new on the server
    int alreadyThere = 0;  // the server had them (sent before, the answer lost)
    qint64 waiting = 0;    // still only in the station's own ledger
    // The station's last sequence on the server after the sending, when known.
    std::optional<qint64> serverLast;
    LedgerProblem problem;
};

// Sends the transactions of `station` that `server` lacks from the station's
// own ledger, oldest first, in batches each stored all or none: every
// transaction arrives once and in order, whatever broke off before.
SyncReport SendWaiting(SqlLedgerStore& local, PgLedgerStore& server, const QString& station);
