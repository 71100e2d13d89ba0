// Save and load of 100,000 records as .xlsx and as CSV: the writers, and
// the driver's read of the whole sheet as Load File reads it.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "data/Cvyn8_rk47Doc.h"
#include "data/SpreadsheetFiles.h"
#include "data/excel/ExcelDatabase.h"
#include "data/excel/ExcelRecordset.h"

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

void BM_Load(benchmark::State& state, const char* ext) {
    Cvyn8_rk47Doc doc;
    FillRecords(doc);
    QTemporaryDir dir;
    const QString path = dir.filePath(QString("in.") + ext);
    if (!Write(path, doc)) {
        state.SkipWithError("save failed");
        return;
    }
    const QString connect =
        QString("ODBC;DRIVER={%1};DSN='';DBQ=%2").arg(doc.m_strExcelDriver, path);
    for (auto _ : state) {
        ExcelDatabase db;
        db.Open(connect, true);
        ExcelRecordset rs(&db);
        rs.Open("SELECT *  FROM [vyn8$]");
        qsizetype chars = 0;
        for (; !rs.IsEOF(); rs.MoveNext()) {
            for (int c = 0; c < rs.GetFieldCount(); ++c) {
                chars += rs.GetFieldValue(c).size();
            }
        }
        benchmark::DoNotOptimize(chars);
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
