// Start-up to a shown form with a 65,000-entry inventory and 50 seed sets,
// and the shut-down write of that inventory.
//   QT_QPA_PLATFORM=offscreen ./build/bench/bench_startup

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "app/CMainFrame.h"
#include "console/Cvyn8_rk47View.h"
#include "data/Cvyn8_rk47Doc.h"
#include "data/InventoryFile.h"
#include "platform/DataFolder.h"
#include "platform/Text8.h"

namespace {

constexpr int kInventoryEntries = 65000;
constexpr int kSeedSets = 50;

void WriteFixtures(const QString& folder) {
    QByteArray seeds;
    for (int k = 0; k < kSeedSets; ++k) {
        seeds += "Seed" + QByteArray::number(k) + " 50 5 10 12\n";
    }
    text8::WriteFileAtomic(folder + "/SeedPara.txt", seeds);
    QByteArray inventory;
    for (int i = 0; i < kInventoryEntries; ++i) {
        inventory +=
            "SAMPLE-" + QByteArray::number(100000 + i) + "\t" + QByteArray::number(i % 997) + "\n";
    }
    text8::WriteFileAtomic(folder + "/vyn8_inventory.txt", inventory);
}

void BM_StartupToShownForm(benchmark::State& state) {
    QTemporaryDir dir;
    WriteFixtures(dir.path());
    SetDataFolder(dir.path());
    for (auto _ : state) {
        Cvyn8_rk47Doc doc;
        CMainFrame frame(&doc);
        frame.StartAndShow();
        QApplication::processEvents();
        benchmark::DoNotOptimize(doc.m_inventory.GetCount());
        state.PauseTiming();
        frame.hide();
        doc.m_inventory.RemoveAll();  // keep the shut-down from rewriting the fixture
        state.ResumeTiming();
    }
    SetDataFolder(QString());
}
BENCHMARK(BM_StartupToShownForm)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->UseRealTime();

void BM_InventoryShutdownWrite(benchmark::State& state) {
    QTemporaryDir dir;
    InventoryMap map;
    for (int i = 0; i < kInventoryEntries; ++i) {
        map.Set("SAMPLE-" + QString::number(100000 + i), QString::number(i % 997));
    }
    const QString path = dir.filePath("vyn8_inventory.txt");
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveInventoryFile(path, map));
    }
}
BENCHMARK(BM_InventoryShutdownWrite)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->UseRealTime();

}  // namespace
