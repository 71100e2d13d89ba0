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

int RunLedgerCommand(const QString& folder, const QStringList& args, LedgerCommandStreams io);
