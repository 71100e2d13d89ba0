// Saving and opening a sample record file of 100,000 records.
//   make -C build bench_records && ./build/bench/bench_records

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "data/Cvyn8_rk47Doc.h"
#include "data/RecordFile.h"

namespace {

constexpr int kRecords = 100000;

void FillRecords(Cvyn8_rk47Doc& doc) {
    for (int i = 0; i < kRecords; ++i) {
        const QString id = QStringLiteral("VAR-%1").arg(i, 6, 10, QChar('0'));
        doc.AddRecord(id)->SetFromRecordOrder({id, "Wheat", QString::number(i % 200 + 1), "50",
                                               QString::number(10000 - i % 10000), "50", "Shelf 4",
                                               i % 7 ? "" : "InComplete"});
    }
}

void BM_SaveRecordFile(benchmark::State& state) {
    Cvyn8_rk47Doc doc;
    FillRecords(doc);
    QTemporaryDir dir;
    const QString path = dir.filePath("records.txt");
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteRecordFile(path, doc.m_records, RecordFieldOrder::Record));
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_SaveRecordFile)->Unit(benchmark::kMillisecond);

void BM_OpenRecordFile(benchmark::State& state) {
    Cvyn8_rk47Doc source;
    FillRecords(source);
    QTemporaryDir dir;
    const QString path = dir.filePath("records.txt");
    WriteRecordFile(path, source.m_records, RecordFieldOrder::Record);
    for (auto _ : state) {
        Cvyn8_rk47Doc doc;
        std::vector<std::array<QString, 8>> read;
        ReadRecordFile(path, &read);
        for (const auto& fields : read) {
            doc.AddRecord(fields[0])->SetFromRecordOrder(fields);
        }
        if (doc.RecordCount() != kRecords) {
            state.SkipWithError("wrong record count");
        }
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_OpenRecordFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
