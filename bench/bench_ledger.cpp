// The inventory ledger: one transaction written to disk (WAL, synchronous
// FULL), and the balance, balances, history and CSV export of a ledger of 1,000,000
// transactions (10,000 IDs of 100 each).
//   make -C build bench_ledger && ./build/bench/bench_ledger
// The files go to VYN8_BENCH_DIR, else a folder under the current one (not
// /tmp, which may be a RAM disk where fsync costs nothing).

#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>

#include "ledger/Ledger.h"
#include "ledger/LedgerExport.h"
#include "ledger/SqliteLedgerStore.h"

namespace {

constexpr int kIds = 10000;
constexpr int kPerId = 100;

QString BenchFolder() {
    const QString base = qEnvironmentVariable("VYN8_BENCH_DIR", QDir::currentPath());
    return QDir(base).filePath("vyn8-ledger-bench-XXXXXX");
}

QString IdText(int i) {
    return QStringLiteral("VAR-%1").arg(i, 6, 10, QChar('0'));
}

void BM_WriteOneTransaction(benchmark::State& state) {
    QTemporaryDir dir(BenchFolder());
    Ledger ledger(dir.path(), {"bench", "operator", "run"});
    ledger.Start(InventoryMap());
    std::vector<double> times;
    int n = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        const LedgerProblem p = ledger.Record({{n},
                                               {{IdText(n % kIds), InventoryChangeKind::CountResult,
                                                 QString::number(n), QString::number(n + 1), n}}});
        times.push_back(t.nsecsElapsed() / 1e6);
        if (p.IsProblem()) {
            state.SkipWithError(p.Message().toStdString().c_str());
            break;
        }
        ++n;
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["p99_ms"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    }
}
BENCHMARK(BM_WriteOneTransaction)->Unit(benchmark::kMillisecond)->Iterations(1000);

// The ledger of a million transactions, made once for the benchmarks below.
class MillionLedger {
public:
    static MillionLedger& Get() {
        static MillionLedger ledger;
        return ledger;
    }
    LedgerStore* store() { return m_store.get(); }
    QString Folder() const { return m_dir.path(); }

private:
    MillionLedger() : m_dir(BenchFolder()) {
        LedgerProblem problem;
        m_store = SqliteLedgerStore::Open(QDir(m_dir.path()).filePath(kLedgerFileName), &problem);
        std::vector<LedgerEntry> batch;
        for (int round = 0; round < kPerId; ++round) {
            for (int i = 0; i < kIds; ++i) {
                LedgerEntry e;
                e.station = "bench";
                e.time = "2026-12-08T06:00:00.000Z";
                e.operatorName = "operator";
                e.sampleId = IdText(i);
                e.kind = InventoryChangeKind::CountResult;
                e.before = QString::number(round);
                e.after = QString::number(round + 1);
                e.run = "run";
                e.record = round * kIds + i + 1;
                batch.push_back(e);
            }
            m_store->Append(batch);
            batch.clear();
        }
    }
    QTemporaryDir m_dir;
    std::unique_ptr<SqliteLedgerStore> m_store;
};

void BM_BalanceOfOneId(benchmark::State& state) {
    LedgerStore* store = MillionLedger::Get().store();
    LedgerProblem problem;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(store->Balance(IdText(i++ % kIds), &problem));
    }
}
BENCHMARK(BM_BalanceOfOneId)->Unit(benchmark::kMicrosecond);

void BM_HistoryOfOneId(benchmark::State& state) {
    LedgerStore* store = MillionLedger::Get().store();
    LedgerProblem problem;
    int i = 0;
    for (auto _ : state) {
        const auto history = store->History(IdText(i++ % kIds), &problem);
        if (history.size() != kPerId) {
            state.SkipWithError("wrong history");
            break;
        }
    }
}
BENCHMARK(BM_HistoryOfOneId)->Unit(benchmark::kMillisecond);

// Every ID's balance: what each start of the console compares with the
// inventory file.
void BM_BalancesOfAllIds(benchmark::State& state) {
    LedgerStore* store = MillionLedger::Get().store();
    LedgerProblem problem;
    for (auto _ : state) {
        if (store->Balances(&problem).GetCount() != kIds) {
            state.SkipWithError("wrong balances");
            break;
        }
    }
}
BENCHMARK(BM_BalancesOfAllIds)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExportMillionToCsv(benchmark::State& state) {
    LedgerStore* store = MillionLedger::Get().store();
    const QString path = QDir(MillionLedger::Get().Folder()).filePath("ledger.csv");
    for (auto _ : state) {
        QString error;
        if (!ExportLedgerCsv([store](const auto& visit) { return store->ForEach(visit); }, path,
                             &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kIds * kPerId);
}
BENCHMARK(BM_ExportMillionToCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
