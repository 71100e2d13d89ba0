// Save and load of 100,000 records as .xlsx and as CSV: the writers, and
// Load File's read of the whole list (ReadSampleSheet). bench/python_csv_read.py
// times Python's csv reader on the same CSV file for comparison.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "data/Cvyn8_rk47Doc.h"
#include "data/SampleSheet.h"
#include "data/SpreadsheetFiles.h"

namespace {

constexpr int kRows = 100000;

void FillRecords(Cvyn8_rk47Doc& doc) {
    for (int i = 0; i < kRows; ++i) {
        const QString n = QString::number(i);
        doc.AddRecord("ID" + n)->SetFromRecordOrder(
            {"ID" + n, "Wheat", QString::number(i % 20 + 1), "50", n, "1000",
             "Shelf " + QString::number(i % 9), "comment " + n});
    }
}

bool Write(const QString& path, const Cvyn8_rk47Doc& doc) {
    QString error;
    return path.endsWith(".csv") ? WriteCsvRecords(path, doc.m_records, &error)
                                 : WriteXlsxRecords(path, doc.m_records, &error);
}

void BM_Save(benchmark::State& state, const char* ext) {
    Cvyn8_rk47Doc doc;
    FillRecords(doc);
    QTemporaryDir dir;
    const QString path = dir.filePath(QString("out.") + ext);
    for (auto _ : state) {
        if (!Write(path, doc)) {
            state.SkipWithError("save failed");
            break;
        }
    }
}

// Load File's read of the whole list: the file read, its rows made list rows.
// 100,000 rows are more than the sample list holds, so each read ends in the
// row-limit refusal, after every row was read and checked.
void BM_Load(benchmark::State& state, const char* ext) {
    Cvyn8_rk47Doc doc;
    FillRecords(doc);
    QTemporaryDir dir;
    const QString path = dir.filePath(QString("in.") + ext);
    if (!Write(path, doc)) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        const SampleSheet sheet = ReadSampleSheet(path);
        if (sheet.fault != SampleSheet::Fault::Refused ||
            !sheet.message.contains(QString(": it has %1 rows,").arg(kRows + 1))) {
            state.SkipWithError(qPrintable("load failed: " + sheet.message));
            break;
        }
        benchmark::DoNotOptimize(sheet.message.size());
    }
}

}  // namespace

BENCHMARK_CAPTURE(BM_Save, xlsx, "xlsx")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK_CAPTURE(BM_Save, csv, "csv")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK_CAPTURE(BM_Load, xlsx, "xlsx")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK_CAPTURE(BM_Load, csv, "csv")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK_MAIN();
