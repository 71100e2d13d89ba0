#include "ledger/LedgerSync.h"

#include <algorithm>

#include "ledger/PgLedgerStore.h"

namespace {
constexpr int kBatch = 500;
}  // namespace

SyncReport SendWaiting(SqlLedgerStore& local, PgLedgerStore& server, const QString& station) {
    SyncReport report;
    qint64 last = server.LastSequence(station, &report.problem);
    if (!report.problem.IsProblem()) {
        report.serverLast = last;
    }
    const qint64 own = local.LastSequence(station, &report.problem);
    // The last transaction the server has of this station must be this
    // station's own, or another station sends under the same name.
    if (!report.problem.IsProblem() && last > 0) {
        const std::vector<LedgerEntry> shared = local.After(station, last - 1, 1, &report.problem);
        LedgerEntry mine;  // none: the server has more of the name than the station
        mine.station = station;
        mine.sequence = last;
        if (!report.problem.IsProblem()) {
            report.problem = server.SameAsStored(shared.empty() ? mine : shared.front());
        }
    }
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
            report.serverLast = last;
        }
    }
    report.waiting = std::max<qint64>(0, own - last);
    return report;
}
