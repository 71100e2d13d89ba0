// The lab's ledger on a PostgreSQL server started for the benchmark (its
// writes synced to the disk): one transaction sent from a station (median,
// p99), 10,000 transactions waiting in a station's own ledger sent in one
// sync, and 10,000 of other stations read into a station's ledger.
//   make -C build bench_server_sync && ./build/bench/bench_server_sync

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>

#include "ledger/LedgerSync.h"
#include "ledger/PgCluster.h"
#include "ledger/PgLedgerStore.h"
#include "ledger/ServerSync.h"
#include "ledger/SqliteLedgerStore.h"

namespace {

PgCluster& Cluster() {
    static PgCluster cluster(true);
    return cluster;
}

// A fresh lab database with the ledger made; null (and the benchmark
// skipped) without a server.
std::unique_ptr<PgLedgerStore> FreshServer(benchmark::State& state) {
    static int counter = 0;
    if (!Cluster().Problem().isEmpty()) {
        state.SkipWithError(Cluster().Problem().toStdString().c_str());
        return nullptr;
    }
    const QString database = QString("bench_%1").arg(++counter);
    Cluster().Admin("postgres", "CREATE DATABASE " + database);
    LedgerProblem problem;
    auto server = PgLedgerStore::Open(Cluster().Conninfo(database), &problem);
    if (!server) {
        state.SkipWithError(problem.Message().toStdString().c_str());
    }
    return server;
}

LedgerEntry Entry(qint64 sequence) {
    LedgerEntry e;
    e.station = "bench";
    e.sequence = sequence;
    e.time = "2026-12-08T08:00:00.000Z";
    e.operatorName = "operator";
    e.sampleId = QString("VAR-%1").arg(sequence % 1000, 6, 10, QChar('0'));
    e.before = QString::number(sequence);
    e.after = QString::number(sequence + 1);
    return e;
}

void BM_SendOneTransaction(benchmark::State& state) {
    auto server = FreshServer(state);
    if (!server) {
        return;
    }
    std::vector<double> times;
    qint64 n = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        int added = 0;
        const LedgerProblem p = server->Receive({Entry(++n)}, &added);
        times.push_back(t.nsecsElapsed() / 1e6);
        if (p.IsProblem()) {
            state.SkipWithError(p.Message().toStdString().c_str());
            break;
        }
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["p99_ms"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
        state.counters["per_second"] = 1000.0 / times[times.size() / 2];
    }
}
BENCHMARK(BM_SendOneTransaction)->Unit(benchmark::kMillisecond)->Iterations(1000);

void BM_SyncTenThousandWaiting(benchmark::State& state) {
    QTemporaryDir dir;
    LedgerProblem problem;
    auto local = SqliteLedgerStore::Open(dir.filePath("station.sqlite"), &problem);
    std::vector<LedgerEntry> entries;
    for (int i = 0; i < 10000; ++i) {
        entries.push_back(Entry(0));
    }
    local->Append(entries);
    for (auto _ : state) {
        state.PauseTiming();
        auto server = FreshServer(state);
        state.ResumeTiming();
        if (!server) {
            return;
        }
        const SyncReport report = SendWaiting(*local, *server, "bench");
        if (report.problem.IsProblem() || report.sent != 10000) {
            state.SkipWithError("the sync did not send all 10,000");
            return;
        }
    }
}
BENCHMARK(BM_SyncTenThousandWaiting)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadTenThousandOfOthers(benchmark::State& state) {
    auto server = FreshServer(state);
    if (!server) {
        return;
    }
    std::vector<LedgerEntry> others;
    for (int i = 1; i <= 10000; ++i) {
        others.push_back(Entry(i));
        others.back().station = "other";
    }
    int added = 0;
    server->Receive(others, &added);
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        LedgerProblem problem;
        auto local = SqliteLedgerStore::Open(dir.filePath("station.sqlite"), &problem);
        state.ResumeTiming();
        // As the console does: the sending thread reads, the window keeps.
        qint64 last = 0;
        QStringList changed;
        for (;;) {
            const auto read = server->Since(last, ServerSync::kReadMost, &problem);
            if (read.empty() || local->TakeFromServer(read, "read", &changed).IsProblem()) {
                break;
            }
            last = read.back().id;
        }
        if (local->Count(&problem) != 10000) {
            state.SkipWithError("the station did not read all 10,000");
            return;
        }
    }
}
BENCHMARK(BM_ReadTenThousandOfOthers)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
