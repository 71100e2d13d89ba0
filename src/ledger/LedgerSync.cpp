#include "ledger/LedgerSync.h"

#include <algorithm>

#include "ledger/PgLedgerStore.h"

namespace {
constexpr int kBatch = 500;
}  // namespace

SyncReport SendWaiting(SqlLedgerStore& local, PgLedgerStore& server, const QString& station) {
    SyncReport report;
    qint64 last = server.LastSequence(station, &report.problem);
    const qint64 own = local.LastSequence(station, &report.problem);
    while (!report.problem.IsProblem() && last < own) {
        const std::vector<LedgerEntry> batch = local.After(station, last, kBatch, &report.problem);
        if (batch.empty()) {
            break;
        }
        int added = 0;
        report.problem = server.Receive(batch, &added);
        if (!report.problem.IsProblem()) {
            report.sent += added;
            report.alreadyThere += static_cast<int>(batch.size()) - added;
            last = batch.back().sequence;
        }
    }
    report.waiting = std::max<qint64>(0, own - last);
    return report;
}
