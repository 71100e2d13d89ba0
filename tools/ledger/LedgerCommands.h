#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// The commands of vyn8-ledger over the ledger of `folder`. Each writes its
// answer to `out`, its complaints to `err`, and returns the exit status:
// 0 done, 1 a problem found or met, 2 a wrong command line.
struct LedgerCommandStreams {
    QTextStream& out;
    QTextStream& err;
};

// With `server` (a libpq connection string) balance, history, export and
// check read the lab's ledger on that server, and init-server, sync and
// stations are there to be run.
int RunLedgerCommand(const QString& folder, const QStringList& args, LedgerCommandStreams io,
                     const QString& server = QString());
